#include "shell/GameState.h"
#include <climits>
#include <gtest/gtest.h>

namespace {

void Scramble(TGameState& s) {
    s.ScreenState = 13;
    s.LevelNumber = 9;
    s.Difficulty = 2;
    s.Antialias = 0;
    s.MusicVolume = 25;
    s.PlayerName = "Ann";
    s.KeyBindings.push_back(65);
    s.FreeLetterKeys.reset();
    s.BaseLevelTime = 100;
    s.LevelTimeLeft = 12.5;
    s.BoardOriginY = 50;
    s.BoardPhase = PhaseBurst;
    s.MovingCount = 77;
    s.PointMultiplier5 = 5;
    s.ChainMeter = 8;
    s.SuperBonusCount[3] = 2;
    s.BonusPool[2] = 4;
    s.KeyHeld[40] = 1;
    s.MouseHeld = 1;
    s.ColourGrid[3][4] = 5;
    s.MatchMask[2][2] = 0;
    s.SetScore(4321);
    s.SetLives(2);
}

} // namespace

TEST(GameStateTest, ResetRestoresStartUpDefaults) {
    TGameState s;
    Scramble(s);
    s.Reset();
    EXPECT_EQ(s.ScreenState, 3);
    EXPECT_EQ(s.LevelNumber, 1);
    EXPECT_EQ(s.Difficulty, 0);
    EXPECT_EQ(s.Antialias, 1);
    EXPECT_EQ(s.ShowHowToPlay, 1);
    EXPECT_EQ(s.ShowStory, 1);
    EXPECT_EQ(s.MusicVolume, 250);
    EXPECT_EQ(s.SoundVolume, 250);
    EXPECT_TRUE(s.PlayerName.empty());
    EXPECT_EQ(s.KeyBindings, (std::vector<int>{39, 37, 32, 38}));
    EXPECT_EQ(s.DefaultKeyBindings, s.KeyBindings);
    EXPECT_EQ(s.BaseLevelTime, 240);
    EXPECT_EQ(s.LevelTimeLeft, -1.0);
    EXPECT_EQ(s.BoardOriginX, 260);
    EXPECT_EQ(s.BoardOriginY, 100);
    EXPECT_EQ(s.BoardPhase, PhaseWaiting);
    EXPECT_EQ(s.MovingCount, 0);
    EXPECT_EQ(s.PointMultiplier2, 1);
    EXPECT_EQ(s.PointMultiplier5, 1);
    EXPECT_EQ(s.ChainMeter, 0.0);
    EXPECT_EQ(s.SuperBonusCount[3], 0);
    EXPECT_EQ(s.BonusPool[2], 0);
    EXPECT_EQ(s.KeyHeld[40], 0);
    EXPECT_EQ(s.MouseHeld, 0);
    EXPECT_EQ(s.ColourGrid[3][4], 0);
    EXPECT_EQ(s.MatchMask[2][2], 1);
    EXPECT_EQ(s.GetScore(), 0);
    EXPECT_EQ(s.GetLives(), 0);
}

TEST(GameStateTest, InitialFreeKeySets) {
    TGameState s;
    for (int code : {39, 42, 57, 59, 61, 65, 90, 93, 96})
        EXPECT_TRUE(s.FreeLetterKeys.test(code)) << code;
    for (int code : {40, 41, 58, 60, 62, 64, 94, 95, 97})
        EXPECT_FALSE(s.FreeLetterKeys.test(code)) << code;
    EXPECT_EQ(s.FreeLetterKeys.count(), 1u + 16 + 1 + 1 + 29 + 1);
    for (int code : {9, 16, 17, 32, 33, 40, 45, 46})
        EXPECT_TRUE(s.FreeSpecialKeys.test(code)) << code;
    EXPECT_EQ(s.FreeSpecialKeys.count(), 14u);
}

TEST(GameStateTest, ScoreAndLivesRoundTripThroughTheCodec) {
    TGameState s;
    for (int n : {0, 12, 999, 1000, 1234567890, -1000, INT_MAX, INT_MIN}) {
        s.SetScore(n);
        s.SetLives(n);
        EXPECT_EQ(s.GetScore(), n);
        EXPECT_EQ(s.GetLives(), n);
    }
    s.SetScore(997);
    s.AddScore(3);
    EXPECT_EQ(s.GetScore(), 1000);
}

TEST(GameStateTest, LevelTimeByDifficulty) {
    struct Case {
        uint8_t difficulty;
        double first, second;
    };
    for (Case c : {Case{0, 235.0, 230.0}, {1, 235.0 * 2 / 3, 230.0 * 2 / 3}, {2, 117.5, 115.0}}) {
        TGameState s;
        s.Difficulty = c.difficulty;
        s.StartLevelTime();
        EXPECT_NEAR(s.LevelTimeLeft, c.first, 1e-9);
        EXPECT_EQ(s.LevelTimeTotal, s.LevelTimeLeft);
        s.LevelNumber = 2;
        s.StartLevelTime();
        EXPECT_NEAR(s.LevelTimeLeft, c.second, 1e-9);
        // A new game restores the base time before taking the level's 5 seconds.
        s.LevelNumber = 1;
        s.StartLevelTime();
        EXPECT_NEAR(s.LevelTimeLeft, c.first, 1e-9);
    }
    TGameState medium;
    medium.Difficulty = 1;
    medium.StartLevelTime();
    EXPECT_NEAR(medium.LevelTimeLeft, 156.67, 0.005);
}

TEST(GameStateTest, LevelStartKeepsWholeGameCountersExceptOnLevelOne) {
    TGameState s;
    s.StartNewGame();
    EXPECT_EQ(s.GetLives(), 3);
    Scramble(s);
    s.LevelNumber = 4;
    s.ChainCount = 3;
    s.UnderlayCleared = 1;
    s.ResetForLevelStart();
    EXPECT_EQ(s.BoardPhase, PhaseWaiting);
    EXPECT_EQ(s.MovingCount, 0);
    EXPECT_EQ(s.ChainCount, 0);
    EXPECT_EQ(s.UnderlayCleared, 0);
    EXPECT_EQ(s.PointMultiplier5, 1);
    EXPECT_EQ(s.MatchMask[2][2], 1);
    EXPECT_EQ(s.ColourGrid[3][4], 0);
    EXPECT_EQ(s.BoardOriginX, 260);
    EXPECT_EQ(s.BoardOriginY, 50);
    EXPECT_EQ(s.ChainMeter, 8.0);
    EXPECT_EQ(s.SuperBonusCount[3], 2);
    EXPECT_EQ(s.GetScore(), 4321);

    s.LevelNumber = 1;
    s.ResetForLevelStart();
    EXPECT_EQ(s.ChainMeter, 0.0);
    EXPECT_EQ(s.SuperBonusCount[3], 0);
    EXPECT_EQ(s.BaseLevelTime, 240);
}

TEST(GameStateTest, CellAtPosition) {
    TGameState s;
    s.BoardOriginY = 50;
    struct Case {
        float x, y;
        TCell cell;
    };
    for (Case c : {Case{260, 50, {1, 1}},
                   {260 + 7 * 64, 50 + 7 * 64, {8, 8}},
                   {323.9f, 50, {1, 1}},
                   {324, 114, {2, 2}},
                   {259.5f, 49.5f, {1, 1}}}) {
        EXPECT_EQ(CellAtPosition(s, c.x, c.y), c.cell) << c.x << "," << c.y;
    }
    EXPECT_FALSE(OnBoard(CellAtPosition(s, 260 + 8 * 64, 50)));
    EXPECT_FALSE(OnBoard({0, 3}));
}
