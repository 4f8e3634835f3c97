// The whole game through the headless runner: real start-up, real frames, scripted input.
#include "board/tfing.h"
#include "objects/Cursor.h"
#include "shell/Unit1.h"
#include "support/GameFolder.h"
#include "tools/runner/GameRunner.h"
#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>

using platform::Event;

namespace {

class EndToEndTest : public ::testing::Test {
protected:
    void Start() {
        runner = std::make_unique<TGameRunner>(folder.Path(), 7, false);
        ASSERT_TRUE(runner->Start());
    }
    void Script(const std::string& text) {
        std::istringstream in(text);
        std::vector<TScenarioStep> steps;
        std::string error;
        ASSERT_TRUE(ParseScenario(in, steps, error)) << error;
        ASSERT_TRUE(runner->Execute(steps, error)) << error;
    }
    TForm1& form() { return runner->Form(); }
    uint8_t state() { return form().Game.ScreenState; }
    // Straight into a level, as the level intro would hand over.
    void Play() {
        form().States.Go(13);
        runner->RunFrames(20); // the level-start pause
        ASSERT_EQ(state(), 13);
    }
    bool Played(const std::string& file) {
        const auto played = runner->Audio().SoundsPlayed();
        return std::find(played.begin(), played.end(), file) != played.end();
    }

    TGameFolder folder{"e2e"};
    std::unique_ptr<TGameRunner> runner;
};

} // namespace

TEST_F(EndToEndTest, WithoutAProfileTheIntroEndsOnTheNameScreen) {
    Start();
    Script("wait 270");
    EXPECT_EQ(state(), 3);
    Script("wait 20");
    EXPECT_EQ(state(), 1);
    EXPECT_FALSE(form().FormVisible("scr_mainmenu"));
}

TEST_F(EndToEndTest, ClosingTheWindowAsksFirst) {
    Start();
    form().Game.ProfileCount = 1;
    Script("wait 290");
    ASSERT_EQ(state(), 4);
    Script("close");
    EXPECT_EQ(state(), 11) << "the quit confirmation";
    EXPECT_FALSE(form().Closed());

    form().States.Go(4);
    Play();
    Script("close");
    EXPECT_EQ(state(), 0) << "the exit-to-menu confirmation";
    const double left = form().Game.LevelTimeLeft;
    Script("close\nwait 50\nclose");
    EXPECT_EQ(state(), 0) << "closing again while it shows changes nothing";
    EXPECT_EQ(form().Game.LevelTimeLeft, left) << "the level clock stands still";
    EXPECT_FALSE(form().Closed());
}

TEST_F(EndToEndTest, ThePauseStopsTheLevelClock) {
    Start();
    Play();
    Script("wait 30");
    const double running = form().Game.LevelTimeLeft;
    Script("key 80");
    ASSERT_EQ(state(), 18);
    const double paused = form().Game.LevelTimeLeft;
    EXPECT_LT(paused, form().Game.LevelTimeTotal);
    EXPECT_LE(paused, running);
    Script("wait 100");
    EXPECT_EQ(form().Game.LevelTimeLeft, paused);
    Script("key 112"); // F1 ends the pause as P does
    EXPECT_EQ(state(), 13);
    Script("wait 100");
    EXPECT_NEAR(form().Game.LevelTimeLeft, paused - 1.0, 0.25);
}

TEST_F(EndToEndTest, MinimisingWhilePlayingPauses) {
    Start();
    Play();
    Script("minimize");
    EXPECT_EQ(state(), 18);
}

TEST_F(EndToEndTest, TheConsoleKeyNeedsTheSwitchFile) {
    Start();
    Play();
    Script("key 192\nwait 2");
    EXPECT_EQ(state(), 13) << "no console.ini: the key does nothing";

    runner.reset();
    folder.Write("console.ini", "");
    Start();
    Play();
    Script("key 192\nwait 2");
    EXPECT_EQ(state(), 35);
    EXPECT_TRUE(Played("Sounds/check.wav"));
}

TEST_F(EndToEndTest, GameOverSwitchesTheMusicAndStopsTheLevelClock) {
    Start();
    Play();
    ASSERT_TRUE(form().Timer1.Enabled());
    runner->Audio().log.clear();
    form().States.EnterState(14);
    EXPECT_FALSE(form().Timer1.Enabled());
    const auto& log = runner->Audio().log;
    const auto stop2 = std::find_if(log.begin(), log.end(), [](const std::string& e) {
        return e.rfind("stop music", 0) == 0;
    });
    const auto play3 = std::find_if(log.begin(), log.end(), [](const std::string& e) {
        return e.rfind("play music", 0) == 0;
    });
    ASSERT_NE(stop2, log.end());
    ASSERT_NE(play3, log.end());
    EXPECT_LT(stop2, play3) << "the level song stops before the game-over song starts";
    EXPECT_EQ(runner->Audio().playingMusic, runner->Form().Sound.SongId(3));
    Script("wait 260");
    EXPECT_EQ(state(), 23) << "the score screen follows";
}

TEST_F(EndToEndTest, EscapeLeavesThePlayForTheConfirmationAndBack) {
    Start();
    Play();
    ASSERT_TRUE(form().FormVisible("L_form"));
    Script("key 27");
    ASSERT_EQ(state(), 0);
    EXPECT_TRUE(form().FormVisible("scr_exittomm"));
    EXPECT_FALSE(form().FormVisible("L_form"));
    Script("key 27"); // Escape is the "no" button
    EXPECT_EQ(state(), 13);
    EXPECT_TRUE(form().FormVisible("L_form"));
    EXPECT_FALSE(form().FormVisible("scr_exittomm"));

    // From the pause, "no" returns to the pause as it was.
    Script("key 80\nclose");
    ASSERT_EQ(state(), 0);
    Script("key 27");
    EXPECT_EQ(state(), 18);
    EXPECT_FALSE(form().FormVisible("L_form"));
}

TEST_F(EndToEndTest, MusicFollowsTheGame) {
    Start();
    auto& audio = runner->Audio();
    const auto song = [&](int n) { return form().Sound.SongId(n); };
    EXPECT_EQ(audio.playingMusic, song(1)) << "the menu song from start-up";

    form().Sound.StopSong(1); // as the title doctor does when a game begins
    form().Sound.PlaySong(2);
    Play();
    Script("key 27");
    ASSERT_EQ(state(), 0);
    form().Click("b_exitmm_yes");
    EXPECT_EQ(audio.playingMusic, song(1)) << "leaving a game goes back to the menu song";
    EXPECT_EQ(state(), 23);

    form().Sound.PlaySong(3);
    form().States.Go(24);
    Script("key 27"); // "no" to sending
    EXPECT_EQ(audio.playingMusic, song(1));
    EXPECT_TRUE(state() == 4 || state() == 9) << int(state());
}

TEST_F(EndToEndTest, ScenariosCanPlayMovesBuyAHintAndCarryAnItem) {
    Start();
    Script("level 5");
    Play();
    EXPECT_EQ(form().Game.LevelNumber, 5);
    Script("autoplay 2");
    const int score = form().Game.GetScore();
    EXPECT_GT(score, 0) << "two moves scored";

    form().Game.SetScore(score + HintPrice);
    Script("hint\nwait 2");
    EXPECT_EQ(form().Game.GetScore(), score) << "the hint was bought";

    Script("item 3\nwait 2");
    ASSERT_TRUE(form().Cursor);
    EXPECT_EQ(form().Cursor->ImageName, "itemz3") << "the pointer carries the item";
    EXPECT_EQ(form().Game.SuperBonusCount[3], 0) << "taken from the stock";
}
