#include "screens/HighScores.h"
#include "engine/GuiButton.h"
#include "engine/GuiLabel.h"
#include "shell/GameState.h"
#include <gtest/gtest.h>

namespace {

std::vector<std::string> Scores(const TGameState& s, int d) {
    std::vector<std::string> out;
    for (const auto& e : s.HighScoreTable[d]) out.push_back(e.Score);
    return out;
}

} // namespace

TEST(HighScoresTest, DefaultsAndReset) {
    TGameState s;
    for (int d = 0; d < 3; ++d) {
        EXPECT_EQ(Scores(s, d), (std::vector<std::string>{"1000", "900", "800", "700", "600", "500",
                                                          "400", "300", "200", "100"}));
        for (const auto& e : s.HighScoreTable[d]) EXPECT_EQ(e.Name, "Anonymous");
    }
    InsertHighScore(s, 1, "X", 5000);
    ResetHighScores(s);
    EXPECT_EQ(s.HighScoreTable, DefaultHighScores());
}

TEST(HighScoresTest, InsertionPlaces) {
    struct Case {
        int score;
        bool enters;
        int place; // 1-based, where the new entry lands
    };
    for (Case c : {Case{1000, true, 1},
                   {5000, true, 1},
                   {950, true, 2},
                   {100, true, 10},
                   {101, true, 10},
                   {99, false, 0},
                   {0, false, 0}}) {
        SCOPED_TRACE(c.score);
        TGameState s;
        EXPECT_EQ(InsertHighScore(s, 0, "Neo", c.score), c.enters);
        if (!c.enters) {
            EXPECT_EQ(s.HighScoreTable, DefaultHighScores());
            continue;
        }
        const auto& table = s.HighScoreTable[0];
        EXPECT_EQ(table[c.place - 1], (THighScoreEntry{"Neo", std::to_string(c.score)}));
        // Above it unchanged, below it moved down one, the old tenth gone.
        for (int p = 1; p < c.place; ++p) EXPECT_EQ(table[p - 1], DefaultHighScores()[0][p - 1]);
        for (int p = c.place + 1; p <= 10; ++p)
            EXPECT_EQ(table[p - 1], DefaultHighScores()[0][p - 2]);
    }
}

TEST(HighScoresTest, OnlyTheTableOfTheDifficultyChanges) {
    TGameState s;
    EXPECT_TRUE(InsertHighScore(s, 2, "", 700)); // an empty name is stored as it is
    EXPECT_EQ(s.HighScoreTable[0], DefaultHighScores()[0]);
    EXPECT_EQ(s.HighScoreTable[1], DefaultHighScores()[1]);
    EXPECT_EQ(s.HighScoreTable[2][3], (THighScoreEntry{"", "700"})); // tie goes above the 700
    EXPECT_EQ(s.HighScoreTable[2][4], (THighScoreEntry{"Anonymous", "700"}));
    EXPECT_FALSE(InsertHighScore(s, 3, "X", 99999));
    EXPECT_FALSE(InsertHighScore(s, -1, "X", 99999));
}

namespace {

struct HighScoreForm {
    TGuiControl root{nullptr};
    TGuiButton* tabs[3];
    TGuiLabel* headers[3];
    TGuiLabel* labels[3][10];
    HighScoreForm() {
        const char* tabNames[] = {"b_highscore_easy", "b_highscore_medium", "b_highscore_hard"};
        const char* headerNames[] = {"l_highscore_place", "l_highscore_name", "l_highscore_score"};
        for (int i = 0; i < 3; ++i) {
            tabs[i] = new TGuiButton(&root);
            tabs[i]->Name = tabNames[i];
            headers[i] = new TGuiLabel(&root);
            headers[i]->Name = headerNames[i];
        }
        const char* prefixes[] = {"n", "name", "score"};
        for (int k = 0; k < 3; ++k)
            for (int p = 1; p <= 10; ++p) {
                labels[k][p - 1] = new TGuiLabel(&root);
                labels[k][p - 1]->Name = prefixes[k] + std::to_string(p);
            }
    }
    std::array<int, 3> Frames(int tab) const {
        return {tabs[tab]->NormalGlyph, tabs[tab]->DisabledGlyph, tabs[tab]->ClickedGlyph};
    }
};

} // namespace

TEST(HighScoresTest, ScreenShowsTheChosenTable) {
    HighScoreForm f;
    TGameState s;
    InsertHighScore(s, 1, "Mia", 1234);
    s.HighScoreView = 1;
    ShowHighScoreTable(f.root, s, true);
    EXPECT_EQ(f.Frames(1), (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(f.Frames(0), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(f.Frames(2), (std::array<int, 3>{0, 0, 0}));
    for (TGuiLabel* h : f.headers)
        for (int corner = 0; corner < 4; ++corner) EXPECT_EQ(h->Bkgrnd.Colors(corner), 0xFF02F0FFu);
    EXPECT_EQ(f.labels[0][9]->Text(), "10");
    EXPECT_EQ(f.labels[1][0]->Text(), "Mia");
    EXPECT_EQ(f.labels[2][0]->Text(), "1234");
    EXPECT_EQ(f.labels[2][1]->Text(), "1000");

    // The Easy tab's own click: its colour, and the Hard tab left with pressed frame 2.
    f.labels[0][0]->SetText("");
    s.HighScoreView = 0;
    ShowHighScoreTable(f.root, s, false, true);
    EXPECT_EQ(f.Frames(0), (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(f.Frames(2), (std::array<int, 3>{0, 0, 2}));
    EXPECT_EQ(f.headers[0]->Bkgrnd.Colors(0), 0xFF64FF66u);
    EXPECT_EQ(f.labels[2][0]->Text(), "1000");
    EXPECT_EQ(f.labels[0][0]->Text(), ""); // place numbers only on entry

    s.HighScoreView = 2;
    ShowHighScoreTable(f.root, s, false);
    EXPECT_EQ(f.headers[2]->Bkgrnd.Colors(3), 0xFF00C9FFu);
}
