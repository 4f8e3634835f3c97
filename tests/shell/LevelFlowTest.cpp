// Whole levels through the headless runner, played by the autoplayer with the mouse.
#include "board/Matching.h"
#include "board/TFishka.h"
#include "board/tfing.h"
#include "shell/Unit1.h"
#include "support/GameFolder.h"
#include "tools/runner/AutoPlay.h"
#include "tools/runner/GameRunner.h"
#include <gtest/gtest.h>

namespace {

class LevelFlowTest : public ::testing::Test {
protected:
    std::unique_ptr<TGameRunner> Start(uint64_t seed = 7) {
        auto runner = std::make_unique<TGameRunner>(folder.Path(), seed, false);
        EXPECT_TRUE(runner->Start());
        return runner;
    }
    // Into a level of a new game, as the level intro would hand over; unless tips is set,
    // the player has turned the how-to-play pages off.
    static void Play(TGameRunner& runner, int level = 1, bool tips = false) {
        runner.Form().Game.StartNewGame();
        runner.Form().Game.LevelNumber = level;
        runner.Form().Game.ShowHowToPlay = tips;
        runner.Form().States.Go(13);
        runner.RunFrames(20);
        ASSERT_EQ(runner.Form().Game.ScreenState, 13);
    }
    // Runs frames until the condition holds; false when it did not within the frames.
    static bool RunUntil(TGameRunner& runner, const std::function<bool()>& condition, int frames) {
        for (int i = 0; i < frames && !condition(); ++i) runner.RunFrames(1);
        return condition();
    }

    // Repaints every chip so that no swap makes a line: equal colours never stand within two
    // cells of each other on a row or a column.
    static void DealStuckBoard(TGameRunner& runner) {
        TForm1& form = runner.Form();
        for (int i = 0; i < form.SpriteEngine->Count(); ++i)
            if (auto* chip = dynamic_cast<TFishka*>(form.SpriteEngine->Items(i));
                chip && !chip->IsDead) {
                const TCell cell = CellAtPosition(form.Game, chip->X, chip->Y);
                chip->Colour = (cell.c + 2 * cell.r) % 5 + 1;
            }
        runner.RunFrames(1); // the chips write their colours to the grid
    }
    static int ShuffleButtonsShown(TForm1& form) {
        int shown = 0;
        for (const char* name : {"G_mix1", "G_mix2", "G_mix3"}) shown += form.FormVisible(name);
        return shown;
    }

    TGameFolder folder{"levelflow"};
};

} // namespace

TEST_F(LevelFlowTest, ALevelIsWonByPlayingAndTheGameGoesOnToTheNext) {
    auto runner = Start();
    TForm1& form = runner->Form();
    TGameState& g = form.Game;
    Play(*runner, 1, true); // the autoplayer closes the how-to-play pages
    const int scoreBefore = g.GetScore();

    TAutoPlayer player(*runner);
    const int moves =
        player.PlayUntil([](const TGameState& s) { return s.ScreenState == 16; }, 150);
    ASSERT_GE(moves, 1) << player.Reason;
    EXPECT_GT(player.MovesOnTiles, 0) << "moves were chosen for the tiles";
    EXPECT_EQ(g.UnderlayCount, 0) << "won by clearing every tile";
    EXPECT_GT(g.GetScore(), scoreBefore);
    EXPECT_GT(g.LevelTimeLeft, 0) << "won in time";

    ASSERT_TRUE(RunUntil(
        *runner, [&] { return form.FormVisible("b_stagecomplete_next"); }, 3000))
        << "the next button follows the score count-up";
    form.Click("b_stagecomplete_next");
    ASSERT_TRUE(RunUntil(
        *runner, [&] { return g.ScreenState == 37; }, 1000))
        << int(g.ScreenState);
    EXPECT_EQ(g.LevelNumber, 2);
    ASSERT_TRUE(RunUntil(
        *runner, [&] { return form.FormVisible("NG_level"); }, 1000));
    form.Click("NG_level");
    ASSERT_TRUE(RunUntil(
        *runner, [&] { return g.ScreenState == 36; }, 1000))
        << int(g.ScreenState);
    runner->RunFrames(100);
    std::string error;
    TScenarioStep escape;
    escape.kind = TScenarioStep::Kind::Key;
    escape.a = 27; // the doctor finishes
    ASSERT_TRUE(runner->Execute({escape}, error)) << error;
    ASSERT_TRUE(RunUntil(
        *runner, [&] { return g.ScreenState == 13; }, 3000))
        << int(g.ScreenState);
    EXPECT_EQ(g.LevelNumber, 2);

    // The new level's board takes moves again.
    EXPECT_TRUE(PlayMove(*runner));
}

TEST_F(LevelFlowTest, RunningOutOfTimeEndsTheGame) {
    auto runner = Start();
    TGameState& g = runner->Form().Game;
    Play(*runner);
    ASSERT_TRUE(PlayMove(*runner)) << "a move before the clock runs out";
    g.LevelTimeLeft = 0.5;
    ASSERT_TRUE(RunUntil(
        *runner, [&] { return g.ScreenState == 14; }, 500))
        << int(g.ScreenState);
    EXPECT_FALSE(runner->Form().Timer1.Enabled()) << "the level clock stopped";
    TAutoPlayer player(*runner);
    EXPECT_EQ(player.PlayMove(), TAutoPlayResult::NotPlaying) << "nothing to play at game over";
    EXPECT_FALSE(player.Reason.empty());
}

TEST_F(LevelFlowTest, TheSameSeedAndInputGiveTheSameGame) {
    struct TRun {
        std::array<std::array<uint16_t, BoardSize + 2>, BoardSize + 2> grid;
        int score;
        long frame;
    };
    const auto board = [](TGameRunner& runner) {
        return TRun{runner.Form().Game.ColourGrid, runner.Form().Game.GetScore(), runner.Frame()};
    };

    // First run: the autoplayer chooses five moves on a level with many tiles; its input is
    // recorded.
    std::vector<TScenarioStep> script;
    TRun first;
    {
        auto runner = Start(11);
        Play(*runner, 6);
        TAutoPlayer player(*runner);
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(player.PlayMove() == TAutoPlayResult::Moved) << player.Reason;
        script = player.Recorded;
        first = board(*runner);
    }
    ASSERT_GT(first.score, 0);

    // Second run: the same seed and the recorded input only, no choices.
    auto runner = Start(11);
    Play(*runner, 6);
    std::string error;
    ASSERT_TRUE(runner->Execute(script, error)) << error;
    const TRun second = board(*runner);
    EXPECT_EQ(second.frame, first.frame);
    EXPECT_EQ(second.score, first.score);
    EXPECT_EQ(second.grid, first.grid);

    // A different seed deals a different board from the same input.
    auto other = Start(12);
    Play(*other, 6);
    other->Execute(script, error);
    EXPECT_NE(board(*other).grid, first.grid);
}

TEST_F(LevelFlowTest, WithoutAMoveTheShuffleButtonsHelpUntilNoneIsLeft) {
    auto runner = Start();
    TForm1& form = runner->Form();
    Play(*runner, 3);
    ASSERT_TRUE(PlayMove(*runner));
    const int buttons = ShuffleButtonsShown(form);
    ASSERT_GT(buttons, 0);

    DealStuckBoard(*runner);
    ASSERT_FALSE(FindFirstMove(form.Game));
    TAutoPlayer player(*runner);
    EXPECT_EQ(player.PlayMove(), TAutoPlayResult::Shuffled) << player.Reason;
    EXPECT_EQ(ShuffleButtonsShown(form), buttons - 1);
    EXPECT_EQ(player.PlayMove(), TAutoPlayResult::Moved) << player.Reason << " on the new board";

    for (const char* name : {"G_mix1", "G_mix2", "G_mix3"}) form.HideForm(name);
    // A goal out of reach in the moves allowed: it stops at the limit.
    ASSERT_EQ(player.PlayUntil([](const TGameState& s) { return s.ScreenState == 16; }, 2), -1);
    EXPECT_NE(player.Reason.find("after 2 moves"), std::string::npos) << player.Reason;
    DealStuckBoard(*runner);
    EXPECT_EQ(player.PlayMove(), TAutoPlayResult::NoMove);
    EXPECT_NE(player.Reason.find("no shuffle"), std::string::npos) << player.Reason;
    EXPECT_EQ(player.PlayUntil([](const TGameState& s) { return s.ScreenState == 16; }, 5), -1)
        << "gives up instead of waiting for ever";
    EXPECT_NE(player.Reason.find("no move"), std::string::npos) << player.Reason;
}

TEST_F(LevelFlowTest, HintsAndSuperBonusesArePlayedWithTheMouse) {
    auto runner = Start();
    TForm1& form = runner->Form();
    TGameState& g = form.Game;
    Play(*runner, 14); // many tiles, so every item has chips to take
    TAutoPlayer player(*runner);

    EXPECT_EQ(player.UseHint(), TAutoPlayResult::NoMove) << "no points for a hint yet";
    g.SetScore(HintPrice + 50);
    ASSERT_EQ(player.UseHint(), TAutoPlayResult::Moved) << player.Reason;
    EXPECT_EQ(player.HintsUsed, 1);
    EXPECT_GT(g.GetScore(), 50) << "the hint's swap scored";
    EXPECT_LT(g.GetScore(), HintPrice + 50) << "the hint was paid for";

    EXPECT_EQ(player.UseSuperBonus(7), TAutoPlayResult::NoMove) << "none held";
    // Every item, each from its own place on the ring.
    for (int item = 1; item <= 8; ++item) {
        g.SuperBonusCount[size_t(item)] = 1;
        const auto before = g.ColourGrid;
        ASSERT_EQ(player.UseSuperBonus(item), TAutoPlayResult::Moved)
            << "item " << item << ": " << player.Reason;
        EXPECT_EQ(g.SuperBonusCount[size_t(item)], 0) << item;
        if (g.UnderlayCleared || g.ScreenState != 13) break; // the items cleared the level
        EXPECT_NE(g.ColourGrid, before) << "item " << item << " took chips";
    }
    EXPECT_EQ(player.SuperBonusesUsed, 8);
}
