#pragma once
#include <array>
#include <string>

// One place of a local high-score table. The score is kept as decimal text, as it is stored.
struct THighScoreEntry {
    std::string Name;
    std::string Score;
    friend bool operator==(const THighScoreEntry&, const THighScoreEntry&) = default;
};

inline constexpr int HighScorePlaces = 10;
inline constexpr int HighScoreDifficulties = 3;
// [difficulty 0 easy, 1 medium, 2 hard][place - 1]; place 1 is the best.
using THighScoreTables =
    std::array<std::array<THighScoreEntry, HighScorePlaces>, HighScoreDifficulties>;

// Every place p of every table: "Anonymous" with 1100 - 100 * p.
inline THighScoreTables DefaultHighScores() {
    THighScoreTables tables;
    for (auto& table : tables)
        for (int p = 1; p <= HighScorePlaces; ++p)
            table[size_t(p - 1)] = {"Anonymous", std::to_string(1100 - 100 * p)};
    return tables;
}
