#pragma once
// The board procedures as one include: layouts, board build and shuffle, matching, settling
// and refilling, and the state machine's steps.
#include "board/BoardModel.h"
#include "board/BoardPhases.h"
#include "board/Layouts.h"
#include "board/Matching.h"
#include "board/Refill.h"
