#pragma once
#include "board/BoardModel.h"
#include "engine/Random.h"
#include "shell/GameState.h"
#include <vector>

// After a clear: the columns settle over the cleared cells, the falling chips' entries move
// down, and the cells left empty at the top are refilled.

// FallGrid gets, for each chip that falls, the row it falls to; MatchMask afterwards marks
// each column's empty cells (0), all at the top. MovePhase = the number of falling chips.
void SettleColumns(TGameState& s);
// Copies the colour and bonus of every falling chip to its target row (bottom up, so no
// entry is overwritten before it has moved).
void ApplyFalls(TGameState& s);

// Colours for the empty cells, chosen into a copy of ColourGrid, columns 8..1 and rows 8..1.
// Edge cells take any colour; an inner cell keeps the last chosen colour unless it equals a
// neighbour in the table, and redraws until it differs from all four.
TBoardArray<int> ChooseRefillColours(const TGameState& s, TRandom& rng);

// Points each refilled cell is worth: 3 x multipliers x (ChainCount + 1).
int RefillPointsPerCell(const TGameState& s);

// The refill runs in two halves around one extra sprite-engine move step: BeginRefill takes
// TickLock and sets phase 0 for that step; FinishRefill chooses the colours, scores and
// returns the chips to create (column order, rows 1..8), writes them into the grids, resets
// the move fields and the multipliers, enters phase 6 and releases TickLock.
// The chip sprites create the returned chips (each adding to GrowingCount itself).
void BeginRefill(TGameState& s);
std::vector<TNewChip> FinishRefill(TGameState& s, TRandom& rng, int shuffleButtonsShown);
