#pragma once
#include "screens/HighScoreTable.h"
#include "shell/DisplayModes.h"
#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <vector>

// Board arrays are indexed [column][row] with columns and rows 1..8. Index 0 and 9 form a
// border that nothing writes: it stays 0, which is never a colour, so a neighbour test that
// strays one cell off the board reads "no chip" instead of another array's memory.
inline constexpr int BoardSize = 8;
template <typename T> using TBoardArray = std::array<std::array<T, BoardSize + 2>, BoardSize + 2>;
using TWordGrid = TBoardArray<uint16_t>;
using TByteGrid = TBoardArray<uint8_t>;

// Values of BoardPhase.
enum : int {
    PhaseShuffle = -1,
    PhaseWaiting = 0,
    PhaseSuperBonus = 1,
    PhaseMoving = 2,
    PhaseClearing = 3,
    PhaseFallTargets = 4,
    PhaseCheckSwap = 5,
    PhaseCheckRefill = 6,
    PhaseBurst = 8,
};

// Everything of a game session that crosses the game's parts, with its start-up default.
// The shell's TForm1 owns one; sprites and screens reach it through that owner. Reset()
// restores every default, so a test or a restart starts from a fresh session.
struct TGameState {
    TGameState();
    void Reset();

    // Score and lives exist only as codec text (EncodeNumber); these are the only readers
    // and writers of that text.
    void SetScore(int n);
    int GetScore() const;
    void SetLives(int n);
    int GetLives() const;
    void AddScore(int points) { SetScore(GetScore() + points); }

    int GetLevelNumber() const { return LevelNumber; }
    int GetBoardOriginX() const { return BoardOriginX; }
    int GetBoardOriginY() const { return BoardOriginY; }

    // A new game: score 0, level 1, three lives.
    void StartNewGame();
    // The board state machine and move statistics at a level start, board at (260, 50);
    // level 1 also restores the whole-game counters (chain meter, super-bonus stock).
    void ResetForLevelStart();
    // The level time at a level start: level 1 restores the base of 240 s, every start then
    // takes 5 s from it, and the difficulty scales what is left (easy 1, medium 2/3, hard 1/2).
    void StartLevelTime();

    // Level and settings.
    uint8_t ScreenState = 3;
    int LevelNumber = 1;
    uint8_t Difficulty = 0;
    uint8_t FullScreen = 0;
    uint8_t Antialias = 1;
    uint8_t VSync = 0;
    uint8_t ShowHowToPlay = 1;
    uint8_t ShowStory = 1;
    int MusicVolume = 250;
    int SoundVolume = 250;
    std::string PlayerName;
    int ProfileIndex = 0;
    int ProfileCount = 0;
    std::vector<TDisplayModeEntry> DisplayModes;
    int DisplayModeIndex = 0;
    // At most 21 codes bound to game actions; the defaults are a second copy.
    std::vector<int> KeyBindings, DefaultKeyBindings;
    std::bitset<256> FreeLetterKeys, FreeSpecialKeys;

    // Level timing and board placement.
    int BaseLevelTime = 240;
    double LevelTimeLeft = -1.0;
    double LevelTimeTotal = 0.0;
    int BoardOriginX = 260;
    int BoardOriginY = 100;
    // Before the frame timer has measured a rate the factor is at its cap.
    double SpeedFactor = 1.2;
    int PulseCounter = 0;
    uint8_t FlaskGrown = 0;
    int FlaskTimer = 0;

    // Board state machine.
    int BoardPhase = PhaseWaiting;
    int MovePhase = 0;
    int MovingCount = 0; // also the burst timer (0..128) of phase 3
    int GrowingCount = 0;
    uint8_t FirstSelected = 0;
    uint8_t SwapStarted = 0;
    uint8_t SwapLocked = 0;
    uint8_t TickLock = 0;
    float SelX1 = 0, SelY1 = 0, SelX2 = 0, SelY2 = 0;
    int ArrivedCount = 0;
    int ShuffleCount = 0;
    int BurstArmed = 0;
    int ComboProgress = 0;
    int PointMultiplier2 = 1;
    int PointMultiplier5 = 1;
    double FlaskFillStep = 0.0;
    uint8_t LevelDone = 0;
    uint8_t UnderlayCleared = 0;
    // Item number 1..8 of the super-bonus acting, 0 for none.
    int ActiveSuperBonus = 0;
    // Cells whose underlay count is above 0.
    int UnderlayCount = 0;

    // Move statistics.
    int ChainCount = 0;
    int ShownChain = 0;
    double ChainBannerPos = 0.0;
    double ChainMeter = 0.0;
    std::array<int, 9> SuperBonusCount{}; // items 1..8; [0] unused
    std::array<int, 8> BonusPool{};       // kinds 1..7; [0] unused
    int BonusPoolTotal = 0;
    int BonusCooldown = 0;

    // Flags and counters that pass between the screens, the level objects and the story.
    int Coins = 0;
    double CoinTextX = 0.0, CoinTextY = 0.0; // where the coin counter last drew its "X" text
    uint8_t LeavingPlay = 0;   // the level is being left: HUD pieces slide and fade out
    uint8_t PlayFadedOut = 0;  // the HUD has faded out after LeavingPlay
    uint8_t GamePaused = 0;
    uint8_t AdvanceRequested = 0; // a button or key asks a story character to finish
    uint8_t FinalPictureShown = 0, FinalPictureDone = 0;
    uint8_t PartsDelivered = 0; // not reset at level start
    uint8_t PreviousState = 0;  // state interrupted by the exit-to-menu confirmation
    int HelpPage = 0, HelpPageCount = 0, HowToPlayPage = 0, HighScoreView = 0;
    double HowToPlayDelay = 0.0;
    std::string Country;
    std::array<std::string, 5> ConsoleLines; // [0] newest
    int ConsoleAction = -1;

    // The shop's working copies during a visit (OK keeps them, Cancel restores the stock and
    // coins of the visit's start), and what the aiming guide records for the super-bonuses.
    std::array<int, 9> ShopStock{}; // items 1..8; [0] unused
    int ShopCoins = 0;
    uint8_t ShopClosing = 0;
    int PendingTargets = 0; // sub-sprites of the acting super-bonus still on their way
    // [colour 1..5] = {column, row} of the reagent's cell; column 0 when none is recorded.
    std::array<std::array<int, 2>, 6> ReagentTargets{};
    TByteGrid InjectionMask{}; // 0 = the injection clears the cell

    // Player profiles (slots 0..ProfileCount-1 in use, in creation order) and the three local
    // high-score tables; both travel in the settings file.
    static constexpr int MaxProfiles = 10;
    std::array<std::string, MaxProfiles> Profiles;
    THighScoreTables HighScoreTable = DefaultHighScores();

    // Level objects and story.
    int PartImageCounter = 0; // last molecule part picture 1..8; 0 at level start
    uint8_t ScrollDone = 0;   // the level-intro scroll has rolled down

    // Input.
    std::array<uint8_t, 256> KeyHeld{};
    std::array<uint8_t, 256> KeyReleased{};
    uint8_t MouseHeld = 0;
    uint8_t RightButtonHeld = 0;

    // Board arrays; MatchMask 1 keeps a chip, 0 clears it in the current step.
    TWordGrid ColourGrid{};
    TWordGrid BonusGrid{};
    TWordGrid FallGrid{};
    TByteGrid MatchMask{};

    static std::bitset<256> InitialLetterKeys();
    static std::bitset<256> InitialSpecialKeys();
    static const std::vector<int>& InitialKeyBindings();

private:
    std::string Score; // EncodeNumber text
    std::string Lives; // EncodeNumber text
};

// Cell (column, row) of a chip standing at screen position (x, y), as the swap and fall
// code converts positions: trunc(x - origin) div 64 + 1.
struct TCell {
    int c = 0, r = 0;
    bool operator==(const TCell&) const = default;
};
TCell CellAtPosition(const TGameState& s, float x, float y);
bool OnBoard(TCell cell);
