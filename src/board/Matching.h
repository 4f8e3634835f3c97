#pragma once
#include "engine/Random.h"
#include "shell/GameState.h"
#include <optional>
#include <span>
#include <vector>

// Line search, the neighbour blast of bonus kind 2 and the search for a remaining move.
// A cell of colour 0 holds no chip and is never part of a line or a move.

struct TStep {
    int dc = 0, dr = 0;
};
// The neighbours a blast chip at `cell` may take with it, in the order of the random index:
// eight inside the board, five on an edge, three in a corner.
std::span<const TStep> BlastNeighbours(TCell cell);

// Marks MatchMask (0 = cleared) for every line of three or more and for the neighbours that
// blast chips take along; MovePhase becomes 0 and, when something was marked, MovingCount 0
// (the burst timer starts). False when the board holds no line.
bool FindMatches(TGameState& s, TRandom& rng);

// One swap that makes a line, found with the twelve pair patterns.
struct TMoveFound {
    TCell first, second; // the pair's upper or left cell, then its partner
    int pattern = 0;     // 0..5 V1..V6 on a vertical pair, 6..11 H1..H6 on a horizontal one
};
// The first move in the scan order the hint uses: i = 1..7, within it j = 1..8, the vertical
// pair (column j, rows i, i+1), then the horizontal pair (columns i, i+1, row j). A swap that
// completes a line by its middle cell is not among the patterns, so it is never found.
std::optional<TMoveFound> FindFirstMove(const TGameState& s);
// Every move the same scan finds, in its order (a pair that holds two patterns counts once).
std::vector<TMoveFound> FindAllMoves(const TGameState& s);
// True when no pattern holds and no shuffle button is left to get the player out.
bool HasNoMove(const TGameState& s, int shuffleButtonsShown);
