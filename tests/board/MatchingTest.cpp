#include "board/Matching.h"
#include "board/BoardPicture.h"
#include <gtest/gtest.h>
#include <set>

namespace {

using TMaskPicture = std::array<std::string, BoardSize>;

struct TLineCase {
    const char* name;
    TPicture colours;
    TMaskPicture cleared;
};

// Crafted on the move-free board, so only the drawn lines are lines.
const TLineCase kLineCases[] = {
    {"row of three",
     {"45123451", "12345123", "34512345", "51222512", "23451234", "45123451", "12345123",
      "34512345"},
     {"........", "........", "........", "..xxx...", "........", "........", "........",
      "........"}},
    {"row of four at the edge",
     {"45123451", "12345123", "34512345", "51234512", "23451234", "45123451", "12345123",
      "34515555"},
     {"........", "........", "........", "........", "........", "........", "........",
      "....xxxx"}},
    {"row of five",
     {"45123451", "33333123", "34512345", "51234512", "23451234", "45123451", "12345123",
      "34512345"},
     {"........", "xxxxx...", "........", "........", "........", "........", "........",
      "........"}},
    {"column of five",
     {"45123451", "12345123", "34512344", "51234514", "23451234", "45123454", "12345124",
      "34512345"},
     {"........", "........", ".......x", ".......x", ".......x", ".......x", ".......x",
      "........"}},
    {"cross",
     {"45123451", "12345123", "34532345", "51333512", "23431234", "45123451", "12345123",
      "34512345"},
     {"........", "........", "...x....", "..xxx...", "...x....", "........", "........",
      "........"}},
    {"L shape of five",
     {"45123451", "12345123", "34512345", "41234512", "43451234", "44423451", "12345123",
      "34512345"},
     {"........", "........", "........", "x.......", "x.......", "xxx.....", "........",
      "........"}},
    {"T shape",
     {"45123451", "12345123", "34512345", "51234512", "23444234", "45143451", "12345123",
      "34512345"},
     {"........", "........", "........", "........", "..xxx...", "...x....", "...x....",
      "........"}},
    {"two separate lines",
     {"11123451", "12345123", "34512345", "51234512", "23451234", "45123451", "12345123",
      "34512555"},
     {"xxx.....", "........", "........", "........", "........", "........", "........",
      ".....xxx"}},
};

TMaskPicture Blank() {
    TMaskPicture rows;
    rows.fill("........");
    return rows;
}

} // namespace

TEST(MatchTest, LinesOnCraftedBoards) {
    for (const TLineCase& c : kLineCases) {
        SCOPED_TRACE(c.name);
        TGameState s;
        TRandom rng(1);
        SetColours(s, c.colours);
        s.MovingCount = 40;
        s.MovePhase = 9;
        EXPECT_TRUE(FindMatches(s, rng));
        EXPECT_EQ(MaskPicture(s), c.cleared);
        EXPECT_EQ(s.MovingCount, 0); // the burst timer starts
        EXPECT_EQ(s.MovePhase, 0);
    }
}

TEST(MatchTest, NoLineLeavesEveryCellKept) {
    TGameState s;
    TRandom rng(1);
    SetColours(s, kNoMoveBoard);
    s.MatchMask[3][3] = 0; // left over from an earlier step
    s.MovingCount = 40;
    EXPECT_FALSE(FindMatches(s, rng));
    EXPECT_EQ(MaskPicture(s), Blank());
    EXPECT_EQ(s.MovingCount, 40);
}

TEST(MatchTest, EmptyCellsNeverFormALine) {
    TGameState s;
    TRandom rng(1);
    EXPECT_FALSE(FindMatches(s, rng));
}

TEST(MatchTest, BlastNeighbourTables) {
    struct Case {
        TCell cell;
        size_t count;
        TStep first;
    };
    // First choices: below inside and on the side edges, right on the top and bottom edges.
    for (Case c : {Case{{4, 5}, 8, {0, 1}},
                   {{1, 4}, 5, {0, 1}},
                   {{8, 4}, 5, {0, 1}},
                   {{4, 1}, 5, {1, 0}},
                   {{4, 8}, 5, {1, 0}},
                   {{1, 1}, 3, {0, 1}},
                   {{1, 8}, 3, {0, -1}},
                   {{8, 1}, 3, {-1, 0}},
                   {{8, 8}, 3, {-1, 0}}}) {
        SCOPED_TRACE(testing::Message() << c.cell.c << "," << c.cell.r);
        auto choices = BlastNeighbours(c.cell);
        ASSERT_EQ(choices.size(), c.count);
        EXPECT_EQ(choices[0].dc, c.first.dc);
        EXPECT_EQ(choices[0].dr, c.first.dr);
        // Distinct neighbours on the board: with the counts above that is all of them.
        std::set<std::pair<int, int>> cells;
        for (TStep step : choices) {
            TCell n{c.cell.c + step.dc, c.cell.r + step.dr};
            EXPECT_TRUE(OnBoard(n));
            EXPECT_LE(std::abs(step.dc) + std::abs(step.dr), 2);
            EXPECT_FALSE(step.dc == 0 && step.dr == 0);
            cells.insert({n.c, n.r});
        }
        EXPECT_EQ(cells.size(), c.count);
    }
    EXPECT_EQ(BlastNeighbours({4, 5})[7].dr, -1); // inside, last choice: above
}

TEST(MatchTest, BlastChipTakesOneNeighbourAlong) {
    struct Case {
        const char* name;
        TCell blast;
        TPicture colours;
    };
    // A line through the blast chip; every seed clears the line plus at most one neighbour,
    // and over many seeds every neighbour of the blast chip's position.
    const Case cases[] = {
        {"corner",
         {1, 1},
         {"33323451", "12345123", "34512345", "51234512", "23451234", "45123451", "12345123",
          "34512345"}},
        {"edge",
         {1, 4},
         {"45123451", "12345123", "34512345", "33334512", "23451234", "45123451", "12345123",
          "34512345"}},
        {"inside",
         {4, 4},
         {"45123451", "12345123", "34512345", "51333512", "23451234", "45123451", "12345123",
          "34512345"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::set<std::pair<int, int>> extras, expected;
        for (TStep step : BlastNeighbours(c.blast))
            expected.insert({c.blast.c + step.dc, c.blast.r + step.dr});
        for (uint64_t seed = 1; seed <= 200; ++seed) {
            TGameState s;
            TRandom rng(seed);
            SetColours(s, c.colours);
            TRandom plain(seed);
            FindMatches(s, plain);
            TByteGrid lineOnly = s.MatchMask;
            s.BonusGrid[c.blast.c][c.blast.r] = 2;
            ASSERT_TRUE(FindMatches(s, rng));
            int added = 0;
            for (int col = 1; col <= 8; ++col)
                for (int row = 1; row <= 8; ++row)
                    if (s.MatchMask[col][row] == 0 && lineOnly[col][row] == 1) {
                        ++added;
                        extras.insert({col, row});
                    }
            ASSERT_LE(added, 1);
        }
        for (auto cell : extras)
            EXPECT_TRUE(expected.count(cell)) << cell.first << "," << cell.second;
        // Every neighbour outside the line is hit by some seed; one inside adds nothing.
        size_t outsideLine = 0;
        for (auto cell : expected) {
            TGameState s;
            TRandom rng(1);
            SetColours(s, c.colours);
            FindMatches(s, rng);
            outsideLine += s.MatchMask[cell.first][cell.second] == 1;
        }
        EXPECT_EQ(extras.size(), outsideLine);
    }
}

TEST(MatchTest, BlastChainsOnlyForwardInTheScan) {
    // Line in column 4, rows 3..5; its blast chip (4,5) may hit two further blast chips:
    // (5,6) comes later in the column-by-column scan and goes off in turn, (3,6) came
    // earlier and does not.
    const TPicture colours = {"45123451", "12345123", "34532345", "51234512",
                              "23431234", "45123451", "12345123", "34512345"};
    bool chained = false;
    for (uint64_t seed = 1; seed <= 400; ++seed) {
        TGameState s;
        TRandom rng(seed);
        SetColours(s, colours);
        s.BonusGrid[4][5] = 2;
        s.BonusGrid[5][6] = 2;
        s.BonusGrid[3][6] = 2;
        ASSERT_TRUE(FindMatches(s, rng));
        int cleared = 0;
        for (int c = 1; c <= 8; ++c)
            for (int r = 1; r <= 8; ++r) cleared += s.MatchMask[c][r] == 0;
        if (s.MatchMask[3][6] == 0) EXPECT_EQ(cleared, 4) << "seed " << seed;
        if (s.MatchMask[5][6] == 0 && cleared == 5) chained = true;
        EXPECT_LE(cleared, 5);
    }
    EXPECT_TRUE(chained);
}

namespace {

struct TMoveCase {
    const char* name;
    TPicture colours;
    std::optional<TMoveFound> move;
};

// Each board holds exactly the one move named (or none), and no line.
const TMoveCase kMoveCases[] = {
    {"V1",
     {"44122152", "32123132", "14533245", "21514511", "13235232", "55114421", "32412435",
      "42432353"},
     TMoveFound{{4, 4}, {4, 5}, 0}},
    {"V2",
     {"11243414", "34554214", "51432535", "23514341", "24431132", "54122351", "15343123",
      "21352355"},
     TMoveFound{{4, 4}, {4, 5}, 1}},
    {"V3",
     {"23454325", "51424542", "22335133", "32512514", "31153253", "54345431", "25312543",
      "11453234"},
     TMoveFound{{4, 4}, {4, 5}, 2}},
    {"V4",
     {"54543341", "31414154", "24512543", "31354211", "43411452", "42523535", "22343131",
      "34514415"},
     TMoveFound{{4, 4}, {4, 5}, 3}},
    {"V5",
     {"53121245", "51425121", "34143541", "31531132", "52415243", "12353451", "34545152",
      "41413312"},
     TMoveFound{{4, 4}, {4, 5}, 4}},
    {"V6",
     {"32415132", "12145543", "55332415", "51154154", "33413232", "45524354", "12345125",
      "22512451"},
     TMoveFound{{4, 4}, {4, 5}, 5}},
    {"H1",
     {"41153242", "52345123", "23312345", "51214114", "33454224", "25123253", "14325153",
      "44113344"},
     TMoveFound{{4, 4}, {5, 4}, 6}},
    {"H2",
     {"43122552", "12341423", "53542345", "51213512", "23451233", "35121455", "12343223",
      "32314345"},
     TMoveFound{{4, 4}, {5, 4}, 7}},
    {"H3",
     {"25425234", "22541412", "51331545", "42512314", "35253532", "53425321", "42543151",
      "11525134"},
     TMoveFound{{4, 4}, {5, 4}, 8}},
    {"H4",
     {"55215244", "11242121", "33453342", "21141514", "52452434", "41523251", "25342135",
      "42154142"},
     TMoveFound{{4, 4}, {5, 4}, 9}},
    {"H5",
     {"13131415", "45353452", "15445131", "21431545", "52513254", "35215344", "42334112",
      "25254135"},
     TMoveFound{{4, 4}, {5, 4}, 10}},
    {"H6",
     {"34532323", "42413511", "54515325", "51221513", "13435231", "45143423", "12355434",
      "44122355"},
     TMoveFound{{4, 4}, {5, 4}, 11}},
    // (4,5) up between the 1s at (3,4) and (5,4) would make a line by its middle cell.
    {"middle cell only",
     {"12123425", "14345521", "44512345", "52151512", "13413234", "33123454", "52545115",
      "52342412"},
     std::nullopt},
    // (3,7) down next to the 1s at (4,8), (5,8) is a real swap, but V2 stops at row 6.
    {"V2 not tried in row 7",
     {"32435214", "24215425", "32142433", "55331233", "34252121", "23214354", "54135251",
      "12311224"},
     std::nullopt},
    {"V2 one row higher",
     {"22513125", "52345435", "34512342", "11234151", "43423212", "45142455", "15311425",
      "34223321"},
     TMoveFound{{3, 6}, {3, 7}, 1}},
    // (7,3) right above the 1s at (8,4), (8,5): H2 stops at column 6.
    {"H2 not tried from column 7",
     {"45123251", "12345123", "34512312", "21235441", "42451251", "15123455", "32312123",
      "34141342"},
     std::nullopt},
    {"H2 one column further left",
     {"45125451", "12345321", "34512145", "51234512", "23451212", "55123453", "42345123",
      "34512411"},
     TMoveFound{{6, 3}, {7, 3}, 7}},
    {"no move", kNoMoveBoard, std::nullopt},
};

} // namespace

TEST(MatchTest, MovePatterns) {
    for (const TMoveCase& c : kMoveCases) {
        SCOPED_TRACE(c.name);
        TGameState s;
        TRandom rng(1);
        SetColours(s, c.colours);
        std::optional<TMoveFound> found = FindFirstMove(s);
        ASSERT_EQ(found.has_value(), c.move.has_value());
        if (found) {
            EXPECT_EQ(found->first, c.move->first);
            EXPECT_EQ(found->second, c.move->second);
            EXPECT_EQ(found->pattern, c.move->pattern);
        }
        EXPECT_EQ(HasNoMove(s, 0), !c.move);
        // With a shuffle button left the board is never stuck.
        EXPECT_FALSE(HasNoMove(s, 1));
        EXPECT_FALSE(FindMatches(s, rng)) << "a crafted board must not hold a line";
    }
}

TEST(MatchTest, ScanTakesPairIndexBeforeRow) {
    // Two moves: the horizontal pair (1,5)-(2,5) has i = 1, the vertical pair (5,2)-(5,3)
    // i = 2; a row-by-row scan would meet the second first.
    const TPicture colours = {"41323134", "54532325", "42411221", "12535345",
                              "13114234", "54525451", "32341122", "51232135"};
    TGameState s;
    SetColours(s, colours);
    auto found = FindFirstMove(s);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->first, (TCell{1, 5}));
    EXPECT_EQ(found->second, (TCell{2, 5}));
    EXPECT_EQ(found->pattern, 6);
    // The full scan lists both, in the same order.
    const std::vector<TMoveFound> all = FindAllMoves(s);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].first, (TCell{1, 5}));
    EXPECT_EQ(all[1].first, (TCell{5, 2}));
    EXPECT_EQ(all[1].second, (TCell{5, 3}));
    // Without that move, the other one is found.
    s.ColourGrid[1][5] = 4;
    found = FindFirstMove(s);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->first, (TCell{5, 2}));
}
