#include "shell/GameState.h"
#include "screens/BitCodec.h"

namespace {

void FillMatchMask(TByteGrid& mask) {
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) mask[c][r] = 1;
}

} // namespace

std::bitset<256> TGameState::InitialLetterKeys() {
    std::bitset<256> keys;
    auto range = [&](int from, int to) {
        for (int code = from; code <= to; ++code) keys.set(code);
    };
    range(39, 39);
    range(42, 57);
    range(59, 59);
    range(61, 61);
    range(65, 93);
    range(96, 96);
    return keys;
}

std::bitset<256> TGameState::InitialSpecialKeys() {
    std::bitset<256> keys;
    for (int code : {9, 16, 17, 32, 33, 34, 35, 36, 37, 38, 39, 40, 45, 46}) keys.set(code);
    return keys;
}

const std::vector<int>& TGameState::InitialKeyBindings() {
    // Right, left, space, up.
    static const std::vector<int> bindings = {39, 37, 32, 38};
    return bindings;
}

TGameState::TGameState()
    : KeyBindings(InitialKeyBindings()), DefaultKeyBindings(InitialKeyBindings()),
      FreeLetterKeys(InitialLetterKeys()), FreeSpecialKeys(InitialSpecialKeys()) {
    FillMatchMask(MatchMask);
    FillMatchMask(InjectionMask);
    SetScore(0);
    // Lives are first set by a new game; 0 until then keeps GetLives decodable.
    SetLives(0);
}

void TGameState::Reset() { *this = TGameState(); }

void TGameState::SetScore(int n) { Score = BitCodec::EncodeNumber(n); }
// Only SetScore writes the text, so it always decodes; 0 is a safe answer if it ever did not.
int TGameState::GetScore() const { return BitCodec::DecodeNumber(Score).value_or(0); }
void TGameState::SetLives(int n) { Lives = BitCodec::EncodeNumber(n); }
int TGameState::GetLives() const { return BitCodec::DecodeNumber(Lives).value_or(0); }

void TGameState::StartNewGame() {
    SetScore(0);
    LevelNumber = 1;
    SetLives(3);
}

void TGameState::ResetForLevelStart() {
    FlaskGrown = 0;
    FlaskTimer = 0;
    ChainCount = 0;
    ShownChain = 0;
    ChainBannerPos = 0.0;
    if (LevelNumber == 1) {
        BaseLevelTime = 240;
        ChainMeter = 0.0;
        SuperBonusCount.fill(0);
    }

    BoardPhase = PhaseWaiting;
    MovePhase = 0;
    MovingCount = 0;
    GrowingCount = 0;
    FirstSelected = 0;
    SwapStarted = 0;
    SwapLocked = 0;
    TickLock = 0;
    SelX1 = SelY1 = SelX2 = SelY2 = 0;
    ArrivedCount = 0;
    ShuffleCount = 0;
    BurstArmed = 0;
    ComboProgress = 0;
    PointMultiplier2 = 1;
    PointMultiplier5 = 1;
    FlaskFillStep = 0.0;
    LevelDone = 0;
    UnderlayCleared = 0;
    ActiveSuperBonus = 0;
    UnderlayCount = 0;
    PartImageCounter = 0;

    ColourGrid = {};
    BonusGrid = {};
    FallGrid = {};
    MatchMask = {};
    FillMatchMask(MatchMask);

    BoardOriginX = 260;
    BoardOriginY = 50;
}

void TGameState::StartLevelTime() {
    if (LevelNumber == 1) BaseLevelTime = 240;
    BaseLevelTime -= 5;
    static constexpr double kFactor[3] = {1.0, 2.0 / 3.0, 0.5};
    LevelTimeLeft = BaseLevelTime * kFactor[Difficulty <= 2 ? Difficulty : 2];
    LevelTimeTotal = LevelTimeLeft;
}

TCell CellAtPosition(const TGameState& s, float x, float y) {
    // trunc, then integer division: positions a little left of the board give column 1
    // just as in the original conversion.
    int dx = int(x - float(s.BoardOriginX));
    int dy = int(y - float(s.BoardOriginY));
    return {dx / 64 + 1, dy / 64 + 1};
}

bool OnBoard(TCell cell) {
    return cell.c >= 1 && cell.c <= BoardSize && cell.r >= 1 && cell.r <= BoardSize;
}
