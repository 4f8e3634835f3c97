#pragma once
#include "board/Layouts.h"
#include "engine/Random.h"
#include "shell/GameState.h"
#include <optional>
#include <vector>

// Building and rebuilding the board: the bonus pool, the initial colours, the board build of
// a level and the shuffle. Pure functions over the session state; every random draw comes
// from the game's generator passed in.
//
// shuffleButtonsShown is the number of the shuffle buttons G_mix1..G_mix3 still visible;
// the caller reads it from the GUI at the moment of the call.

// Screen position of a cell's top-left corner.
float CellX(const TGameState& s, int c);
float CellY(const TGameState& s, int r);

// A chip the board wants created (the sprite code creates a TFishka for each).
struct TNewChip {
    TCell cell;
    int colour = 0;
    int bonusKind = 0;
    bool operator==(const TNewChip&) const = default;
};

// BonusPool, BonusPoolTotal and BonusCooldown for a level; needs LevelTimeLeft already set.
void ResetBonusPool(TGameState& s, TRandom& rng);
// 0 or a bonus kind 1..7 for one new chip. A drawn shuffle (5) gives no bonus while all three
// shuffle buttons are still shown, but stays taken from the pool.
int DrawBonusKind(TGameState& s, TRandom& rng, int shuffleButtonsShown);

// An 8x8 colour table [column][row] without a line of three.
TBoardArray<int> FillInitialColours(TRandom& rng);

struct TBoardBuild {
    TUnderlay underlay;
    std::vector<TNewChip> chips; // in creation order: row by row, column by column
};
// The build of a level's board once the background has faded in: the underlay of
// LevelNumber, the multipliers back to 1, a line-free fill with a bonus draw per chip, the
// grids written, FlaskFillStep and ComboProgress set, MouseHeld cleared.
TBoardBuild BuildBoard(TGameState& s, TRandom& rng, int shuffleButtonsShown);

// A shuffle button was pressed: only while the board waits (false otherwise, and the button
// stays). The chips then remove themselves, each calling ChipShuffleTick.
bool StartShuffle(TGameState& s);
void ChipShuffleTick(TGameState& s);
// Board background, every tick: once all chips are gone, the new board (phase back to 0).
std::optional<std::vector<TNewChip>> FinishShuffle(TGameState& s, TRandom& rng,
                                                   int shuffleButtonsShown);
