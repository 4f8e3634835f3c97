#include "board/BoardModel.h"
#include <cmath>
#include <numeric>

namespace {

// Kinds 1..7 per difficulty: time, blast, coin, crystal, shuffle, x2, x5.
constexpr int kBonusPools[3][8] = {
    {0, 3, 9, 3, 9, 3, 6, 3}, // easy
    {0, 2, 6, 2, 6, 2, 4, 2}, // medium
    {0, 1, 3, 1, 3, 1, 2, 1}, // hard
};
constexpr int kShuffleKind = 5;

int PoolSum(const TGameState& s) {
    return std::accumulate(s.BonusPool.begin() + 1, s.BonusPool.end(), 0);
}

void DrawCooldown(TGameState& s, TRandom& rng) {
    // nearbyint rounds halves to even, like the original's Round.
    int n = int(std::nearbyint(s.LevelTimeLeft / 40.0));
    s.BonusCooldown = rng.Random(n) * 8 + 8;
}

int RandomColour(TRandom& rng) { return rng.Random(5) + 1; }

std::vector<TNewChip> PlaceChips(TGameState& s, TRandom& rng, const TBoardArray<int>& colours,
                                 int shuffleButtonsShown) {
    std::vector<TNewChip> chips;
    chips.reserve(BoardSize * BoardSize);
    for (int r = 1; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c) {
            TNewChip chip{{c, r}, colours[c][r], DrawBonusKind(s, rng, shuffleButtonsShown)};
            s.ColourGrid[c][r] = uint16_t(chip.colour);
            s.BonusGrid[c][r] = uint16_t(chip.bonusKind);
            chips.push_back(chip);
        }
    return chips;
}

} // namespace

float CellX(const TGameState& s, int c) { return float(s.BoardOriginX + (c - 1) * 64); }
float CellY(const TGameState& s, int r) { return float(s.BoardOriginY + (r - 1) * 64); }

void ResetBonusPool(TGameState& s, TRandom& rng) {
    const int* pool = kBonusPools[s.Difficulty <= 2 ? s.Difficulty : 2];
    for (int kind = 1; kind <= 7; ++kind) s.BonusPool[kind] = pool[kind];
    s.BonusPoolTotal = PoolSum(s);
    DrawCooldown(s, rng);
}

int DrawBonusKind(TGameState& s, TRandom& rng, int shuffleButtonsShown) {
    if (s.BonusCooldown > 0) {
        --s.BonusCooldown;
        return 0;
    }
    s.BonusPoolTotal = PoolSum(s);
    int b = rng.Random(s.BonusPoolTotal) + 1;
    int kind = 0;
    for (int k = 1, sum = 0; k <= 7; ++k) {
        sum += s.BonusPool[k];
        if (s.BonusPool[k] > 0 && sum >= b) {
            kind = k;
            --s.BonusPool[k];
            break;
        }
    }
    DrawCooldown(s, rng);
    // A shuffle bonus is worthless while every shuffle button is still there.
    if (kind == kShuffleKind && shuffleButtonsShown >= 3) return 0;
    return kind;
}

TBoardArray<int> FillInitialColours(TRandom& rng) {
    TBoardArray<int> t{};
    auto lineLeft = [&](int c, int r) { return t[c][r] == t[c - 1][r] && t[c][r] == t[c - 2][r]; };
    auto lineAbove = [&](int c, int r) { return t[c][r] == t[c][r - 1] && t[c][r] == t[c][r - 2]; };
    auto draw = [&](int c, int r) {
        t[c][r] = RandomColour(rng);
        // Only a cell with two cells to its left or above can close a line.
        while ((c >= 3 && lineLeft(c, r)) || (r >= 3 && lineAbove(c, r)))
            t[c][r] = RandomColour(rng);
    };
    // The draw order is the original's: the top-left square, the rest of rows 1 and 2, then
    // the remaining rows.
    for (TCell cell : {TCell{1, 1}, TCell{2, 1}, TCell{1, 2}, TCell{2, 2}}) draw(cell.c, cell.r);
    for (int r = 1; r <= 2; ++r)
        for (int c = 3; c <= BoardSize; ++c) draw(c, r);
    for (int r = 3; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c) draw(c, r);
    return t;
}

TBoardBuild BuildBoard(TGameState& s, TRandom& rng, int shuffleButtonsShown) {
    TBoardBuild build;
    build.underlay = BuildUnderlay(s.LevelNumber);
    s.UnderlayCount = build.underlay.CellsWithTiles();
    s.PointMultiplier2 = s.PointMultiplier5 = 1;
    TBoardArray<int> colours = FillInitialColours(rng);
    build.chips = PlaceChips(s, rng, colours, shuffleButtonsShown);
    s.FlaskFillStep = s.UnderlayCount / 120.0;
    s.ComboProgress = 0;
    s.MouseHeld = 0;
    return build;
}

bool StartShuffle(TGameState& s) {
    if (s.BoardPhase != PhaseWaiting) return false;
    s.BoardPhase = PhaseShuffle;
    s.ShuffleCount = BoardSize * BoardSize;
    s.MouseHeld = 0;
    return true;
}

void ChipShuffleTick(TGameState& s) { --s.ShuffleCount; }

std::optional<std::vector<TNewChip>> FinishShuffle(TGameState& s, TRandom& rng,
                                                   int shuffleButtonsShown) {
    if (s.BoardPhase != PhaseShuffle || s.ShuffleCount > 0) return std::nullopt;
    TBoardArray<int> colours = FillInitialColours(rng);
    std::vector<TNewChip> chips = PlaceChips(s, rng, colours, shuffleButtonsShown);
    s.BoardPhase = PhaseWaiting;
    return chips;
}
