#pragma once
#include "tools/runner/Scenario.h"
#include "shell/GameState.h"
#include <functional>
#include <string>
#include <vector>

class TGameRunner;
class TGuiControl;
struct TGameState;

// What one autoplayed move came to.
enum class TAutoPlayResult {
    Moved,      // a swap was made and the board settled (or the level ended on it)
    Shuffled,   // no move on the board: a shuffle button was pressed and the new board stands
    NotPlaying, // not on the playing screen, or the level is over
    NoMove,     // no move and no shuffle button left
    Ignored,    // the board did not take the presses
    Timeout,    // the board did not settle within the limits
};
const char* AutoPlayResultName(TAutoPlayResult result);
// The control and every parent of it are visible.
bool ControlShown(const TGuiControl* control);

// Frame limits of the waits; every wait ends at its limit, so the player never hangs.
struct TAutoPlayLimits {
    int readyFrames = 3000;  // the board to wait for input before a move
    int startFrames = 100;   // the swap or shuffle to start after the last press
    int settleFrames = 5000; // a move with its cascades, or a shuffle, to settle
    int finishFrames = 1500; // PlayUntil: the game to reach the goal on its own after the last move
    int gapFrames = 3;       // between the pointer moving, pressing and releasing
};

// Plays the board as a person would, through the runner's mouse only: the pointer moves onto
// a chip, presses and releases, then onto its neighbour. Moves come from the board's own move
// scan; among them the first that takes the most underlay tiles, else the first found. The
// how-to-play pages that open over a level are closed by their OK button.
class TAutoPlayer {
public:
    explicit TAutoPlayer(TGameRunner& runner, TAutoPlayLimits limits = {});

    TAutoPlayResult PlayMove();
    // Buys a hint with points (G_help) and plays the swap its arrow lies across; NoMove when
    // the points do not reach or no arrow came.
    TAutoPlayResult UseHint();
    // Takes the item from the combo bar's ring and places it on the chip with the most
    // underlay under it (the board's middle once none is left); NoMove when none is held.
    TAutoPlayResult UseSuperBonus(int item);
    // Only the pick-up: the pointer carries item afterwards. False when none is held.
    bool PickUpSuperBonus(int item);
    // Moves until done holds: the moves played, or -1 when it gives up (Reason says why).
    int PlayUntil(const std::function<bool(const TGameState&)>& done, int maxMoves);

    // Why the last move or PlayUntil stopped; empty after a move that went through.
    std::string Reason;
    // Every input and wait so far as scenario steps (waits merged): replaying them on a runner
    // with the same seed plays the same game.
    std::vector<TScenarioStep> Recorded;
    int MovesOnTiles = 0; // moves chosen for the underlay tiles they take
    int HintsUsed = 0, SuperBonusesUsed = 0;

    // The building blocks, for drivers of the other screens. Every step is recorded.
    // Runs frames until the condition holds (closing the how-to-play pages on the way).
    bool WaitFor(const std::function<bool()>& condition, int frames);
    void Do(TScenarioStep step);
    // The pointer onto the point, a press and a release, with the gap frames between.
    void PressAt(int x, int y);
    void PressControl(const TGuiControl& control);

private:
    // The two presses of a swap and the wait for the board to settle.
    TAutoPlayResult Swap(TCell a, TCell b);
    // Moved once the board takes input; otherwise why not, with Reason set.
    TAutoPlayResult WaitReady();
    TAutoPlayResult Shuffle();

    TGameRunner& runner_;
    TAutoPlayLimits limits_;
};

// One move with the default limits: true when a swap or a shuffle went through.
bool PlayMove(TGameRunner& runner);
// Moves until done holds or maxMoves were played: the moves played, or -1 when it gave up.
int PlayUntil(TGameRunner& runner, const std::function<bool(const TGameState&)>& done,
              int maxMoves);
