#pragma once
#include "shell/GameState.h"
#include <array>
#include <string>
#include <string_view>

// Boards in tests are drawn as 8 rows, top row first, one character per column.
using TPicture = std::array<std::string_view, BoardSize>;

// '1'..'5' a colour, '.' no chip.
inline void SetColours(TGameState& s, const TPicture& rows) {
    for (int r = 1; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c) {
            char ch = rows[r - 1][c - 1];
            s.ColourGrid[c][r] = uint16_t(ch == '.' ? 0 : ch - '0');
        }
}

// '0'..'7' a bonus kind ('.' for none).
inline void SetBonuses(TGameState& s, const TPicture& rows) {
    for (int r = 1; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c) {
            char ch = rows[r - 1][c - 1];
            s.BonusGrid[c][r] = uint16_t(ch == '.' ? 0 : ch - '0');
        }
}

// 'x' where MatchMask clears the cell, '.' where it keeps it.
inline std::array<std::string, BoardSize> MaskPicture(const TGameState& s) {
    std::array<std::string, BoardSize> rows;
    for (int r = 1; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c) rows[r - 1] += s.MatchMask[c][r] == 0 ? 'x' : '.';
    return rows;
}

inline void SetMask(TGameState& s, const TPicture& rows) {
    for (int r = 1; r <= BoardSize; ++r)
        for (int c = 1; c <= BoardSize; ++c) s.MatchMask[c][r] = rows[r - 1][c - 1] == 'x' ? 0 : 1;
}

// Colours (c + 2r) mod 5 + 1: equal colours are never next to each other in a row or a
// column, so the board holds neither a line nor a move.
inline constexpr TPicture kNoMoveBoard = {"45123451", "12345123", "34512345", "51234512",
                                          "23451234", "45123451", "12345123", "34512345"};
