// Whole games through the headless runner, played with the mouse and keyboard from the intro.
#include "screens/SettingsFile.h"
#include "screens/ShareScreen.h"
#include "shell/Unit1.h"
#include "support/GameFolder.h"
#include "tools/runner/GameRunner.h"
#include "tools/runner/Playthrough.h"
#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

bool Saw(const TPlaythrough& play, int screen) {
    return std::find(play.Screens.begin(), play.Screens.end(), screen) != play.Screens.end();
}

bool OnTable(const TGameState& s, const std::string& name, int score) {
    for (const THighScoreEntry& entry : s.HighScoreTable[size_t(s.Difficulty)])
        if (entry.Name == name && entry.Score == std::to_string(score)) return true;
    return false;
}

class PlaythroughTest : public ::testing::Test {
protected:
    void Start(uint64_t seed) {
        runner = std::make_unique<TGameRunner>(folder.Path(), seed, false);
        ASSERT_TRUE(runner->Start());
    }
    TGameState& game() { return runner->Form().Game; }
    static bool AtTable(const TGameState& s) { return s.ScreenState == 9; }

    // The main menu's quit, its confirmation and the exit screen's own exit button after the
    // countdown, all with the mouse.
    void QuitThroughTheExitScreen(TPlaythrough& play) {
        TForm1& form = runner->Form();
        for (const char* button : {"b_highscore_back", "b_mainmenu_exit", "b_exit_yes"}) {
            ASSERT_TRUE(play.Player.WaitFor([&] { return form.FormVisible(button); }, 200))
                << button;
            play.Player.PressControl(*form.Control(button));
        }
        ASSERT_EQ(game().ScreenState, 32);
        ASSERT_TRUE(form.ShareScreen && form.ShareScreen->Valid);
        const auto& exit = form.ShareScreen->Buttons.back();
        ASSERT_TRUE(exit.IsExit());
        ASSERT_TRUE(play.Player.WaitFor([&] { return form.ShareScreen->Countdown == 0; }, 1000));
        play.Player.PressAt(exit.X + exit.Width / 2, exit.Y + exit.Height / 2);
        play.Player.WaitFor([&] { return form.Closed(); }, 10);
        EXPECT_TRUE(form.Closed());
    }

    TGameFolder folder{"playthrough"};
    std::unique_ptr<TGameRunner> runner;
};

} // namespace

TEST_F(PlaythroughTest, ANewGameGoesThroughAllSixteenLevelsToTheTableAndTheGameQuits) {
    folder.Write("console.ini", ""); // "NEXT LEVEL" where the clock runs short
    Start(3);
    TPlaythroughOptions options;
    options.playerName = "Ada";
    options.skipBelowSeconds = 20;
    TPlaythrough play(*runner, options);
    ASSERT_TRUE(play.RunUntil(AtTable, 1'000'000)) << play.Reason;

    // Every level once, in order, each ended by clearing its board or by the console.
    std::vector<int> levels = play.LevelsWon;
    levels.insert(levels.end(), play.LevelsSkipped.begin(), play.LevelsSkipped.end());
    std::sort(levels.begin(), levels.end());
    std::vector<int> all(16);
    for (int i = 0; i < 16; ++i) all[size_t(i)] = i + 1;
    EXPECT_EQ(levels, all);
    EXPECT_GE(play.LevelsWon.size(), 3u) << "some levels are won by playing";
    EXPECT_FALSE(Saw(play, 14)) << "never game over";

    // The screens a first game shows: name, menu, difficulty, story, level intro, play, stage
    // complete, shop, then the score screens after the final picture.
    for (int screen : {1, 4, 15, 34, 36, 13, 16, 37, 23, 31, 24, 9}) EXPECT_TRUE(Saw(play, screen)) << screen;
    EXPECT_EQ(game().FinalPictureDone, 1) << "the final picture was shown";
    EXPECT_GT(play.ItemsBought, 0);
    EXPECT_GT(play.Player.SuperBonusesUsed, 0);
    EXPECT_GT(play.Player.HintsUsed, 0);

    const int score = game().GetScore();
    EXPECT_GT(score, 0);
    EXPECT_TRUE(OnTable(game(), "Ada", score)) << "the game's score is on its difficulty's table";
    EXPECT_EQ(game().HighScoreView, game().Difficulty) << "the table opens on its tab";

    QuitThroughTheExitScreen(play);
    // What the table held is what the settings file keeps.
    TGameState reread;
    ASSERT_TRUE(fs::exists(folder.Path() / "Config.cfg"));
    LoadSettings(reread, (folder.Path() / "Config.cfg").string());
    EXPECT_TRUE(OnTable(reread, "Ada", score));
}

TEST_F(PlaythroughTest, AGameLeftFromPlayStillCountsItsScore) {
    Start(5);
    TPlaythrough play(*runner);
    TForm1& form = runner->Form();
    ASSERT_TRUE(play.RunUntil([](const TGameState& s) { return s.ScreenState == 13; }, 20'000))
        << play.Reason;
    for (int i = 0; i < 6; ++i) play.Step();
    ASSERT_EQ(game().ScreenState, 13);
    const int score = game().GetScore();
    ASSERT_GT(score, 0) << "moves were played";

    std::string error;
    runner->Execute({[] {
                        TScenarioStep escape;
                        escape.kind = TScenarioStep::Kind::Key;
                        escape.a = 27;
                        return escape;
                    }()},
                    error);
    runner->RunFrames(2);
    ASSERT_EQ(game().ScreenState, 0) << "Escape asks first";
    play.Player.PressControl(*form.Control("b_exitmm_yes"));
    EXPECT_EQ(game().ScreenState, 23) << "straight to the score";
    ASSERT_TRUE(play.RunUntil(AtTable, 20'000)) << play.Reason;
    EXPECT_EQ(game().GetScore(), score);
    EXPECT_TRUE(OnTable(game(), "Robin", score));
    EXPECT_FALSE(Saw(play, 16)) << "no level was finished";
}

TEST_F(PlaythroughTest, AGameLostOnTimeEndsAtTheTable) {
    Start(9);
    TPlaythrough play(*runner);
    ASSERT_TRUE(play.RunUntil([](const TGameState& s) { return s.ScreenState == 13; }, 20'000))
        << play.Reason;
    play.Step();
    game().LevelTimeLeft = 1;
    ASSERT_TRUE(play.RunUntil(AtTable, 20'000)) << play.Reason;
    const std::vector<int> after(std::find(play.Screens.begin(), play.Screens.end(), 14),
                                 play.Screens.end());
    EXPECT_EQ(after, (std::vector<int>{14, 23, 31, 24, 9})) << "game over, then the score screens";
    EXPECT_TRUE(OnTable(game(), "Robin", game().GetScore()));
}

TEST_F(PlaythroughTest, AScoreOffTheTableGoesBackToTheMenuAndTheNextGameStarts) {
    Start(9);
    for (auto& table : game().HighScoreTable)
        for (THighScoreEntry& place : table) place = {"Best", "999999"};
    TPlaythroughOptions options;
    options.games = 2;
    TPlaythrough play(*runner, options);
    const auto inLevel = [&](int games) {
        return [&, games](const TGameState& s) {
            return play.GamesStarted == games && s.ScreenState == 13;
        };
    };
    ASSERT_TRUE(play.RunUntil(inLevel(1), 20'000)) << play.Reason;
    play.Step();
    game().LevelTimeLeft = 1;
    ASSERT_TRUE(play.RunUntil(inLevel(2), 20'000)) << play.Reason;
    EXPECT_EQ(play.GamesEnded, 1);
    EXPECT_FALSE(Saw(play, 9)) << "no table for a score that is not on it";
    const auto over = std::find(play.Screens.begin(), play.Screens.end(), 14);
    ASSERT_NE(over, play.Screens.end());
    EXPECT_EQ(std::vector<int>(over, over + 5), (std::vector<int>{14, 23, 31, 24, 4}));
}
