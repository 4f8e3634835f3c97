#pragma once
#include "board/Layouts.h"
#include "engine/Random.h"
#include "shell/GameState.h"
#include <optional>
#include <vector>

// The board state machine's decisions, one function per step that a sprite carries out, so
// the chip (TFishka), combo bar (tkombobar) and underlay (podlarray) sprites only move
// pictures, play sounds and create objects. Each function names its caller and the phase it
// runs in; the caller checks the phase (and, for chips, that they have grown in and TickLock
// is clear) before calling.

// --- Phase 0, chip: selection and swap set-up -------------------------------------------

enum class TPress {
    SwapPartner, // this chip becomes Moving towards (SelX1, SelY1); the cells were exchanged
    Reselected,  // the selection moved to this chip (its animation runs)
    Selected,    // first selection: play "selfishka"
};
// The player pressed the chip standing at (x, y) with MouseHeld set. Clears MouseHeld and
// TickLock afterwards, as every outcome does.
TPress PressChip(TGameState& s, float x, float y);
// One cell left, right, above or below: positions exactly 64 pixels apart on one axis.
bool AreNeighbours(float x1, float y1, float x2, float y2);
// Colours and bonus kinds of two cells change places.
void ExchangeCells(TGameState& s, TCell a, TCell b);
// The first chip, once the partner is chosen: true when it should start moving to
// (SelX2, SelY2); the board enters phase 2 with MovePhase 2.
bool StartSwapMove(TGameState& s, float x, float y, bool moving);

// --- Phase 2, chip: movement -------------------------------------------------------------

// A swapped chip arrived; the second arrival hands the board to the check of phase 5.
void SwapChipArrived(TGameState& s);
// MovePhase -3: a chip took its way back; when both have, MovePhase -5.
void SwapBackTargetTaken(TGameState& s);
// A chip arrived back; the second arrival (MovePhase -7) ends the void move in phase 0.
void SwapBackChipArrived(TGameState& s);
// MovePhase -2: a falling chip reached its row.
void FallChipLanded(TGameState& s);
// True when the refill (BeginRefill/FinishRefill) is due: every falling chip has landed.
bool RefillDue(const TGameState& s);

// --- Phase 3 and 4, chip: clearing and fall targets ---------------------------------------

enum class TClearing {
    Counting, // the burst timer advanced; chips on cleared cells remove themselves
    Burst,    // the timer ran out: phase 8
    Settled,  // after the burst: columns settled, entries moved down, phase 4
};
// One chip tick in phase 3. On Counting and Burst a chip whose cell is cleared (IsCleared)
// removes itself; after Settled the mask describes the emptied top cells, not the chips.
TClearing ClearingTick(TGameState& s);
bool IsCleared(const TGameState& s, TCell cell);
// One chip tick in phase 4: the row this chip falls to, if it falls. When every falling chip
// has its target the board moves on to phase 2, MovePhase -2. Each chip calls it once per
// settle (a second call would count the chip twice).
std::optional<int> FallTargetTick(TGameState& s, TCell cell);

// --- Phase -1, chip: see StartShuffle/ChipShuffleTick in BoardModel.h ---------------------

// --- Phases 5 and 6, combo bar (only while GrowingCount is 0) -----------------------------

enum class TSwapCheck {
    Cleared, // lines found: phase 3
    SwapBack // no line: the cells are exchanged back and both chips glide back
};
TSwapCheck CheckAfterSwap(TGameState& s, TRandom& rng);

struct TRefillCheck {
    bool cascade = false;  // new lines: phase 3 again, ChainCount and ComboProgress rose
    bool gameOver = false; // no move and no shuffle left: enter screen state 14
    bool chained = false;  // the move cascaded: play "combogo"
};
TRefillCheck CheckAfterRefill(TGameState& s, TRandom& rng, int shuffleButtonsShown);

// --- Phase 8, combo bar: points labels -----------------------------------------------------

struct TPointsLabel {
    float x = 0, y = 0;
    int points = 0;
};
// One label per cleared cell, showing the points of one chip at the current chain step.
std::vector<TPointsLabel> PointsLabels(const TGameState& s);

// Combo bar, every tick: a full bar pays 1000 points and empties; true when it paid (the
// reels then spin).
bool CollectFullComboBar(TGameState& s);

// Playing tick: once the board waits, a finished chain moves to the banner; true when the
// banner starts.
bool TakeChainForBanner(TGameState& s);

// --- Underlay (podlarray), every tick -------------------------------------------------------

struct TUnderlayTick {
    // First burst of a move only: play "blowfishka" and, unless a super-bonus acts, an
    // explosion and the bonus object of BonusGrid at each of these cells.
    bool firstBurst = false;
    std::vector<TCell> burstCells;
    std::vector<TCell> tilesGone; // hide the tile, send a molecule
    std::vector<TCell> tilesWorn; // one tile left: show the picture for the new count
};
// The board part of the underlay's tick (the pulse is the sprite's own).
TUnderlayTick UnderlayTick(TGameState& s, TUnderlay& underlay);
