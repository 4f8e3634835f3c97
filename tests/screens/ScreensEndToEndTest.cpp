// The menu screens and what they keep on disk, through the whole game on the headless runner.
#include "engine/GuiButton.h"
#include "engine/GuiEdit.h"
#include "engine/GuiGauge.h"
#include "engine/GuiLabel.h"
#include "screens/BitCodec.h"
#include "screens/SettingsFile.h"
#include "screens/ShareScreen.h"
#include "shell/Unit1.h"
#include "support/GameFolder.h"
#include "tools/runner/GameRunner.h"
#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;
using namespace BitCodec;

namespace {

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ScreensEndToEndTest : public ::testing::Test {
protected:
    void Start() {
        runner = std::make_unique<TGameRunner>(folder.Path(), 7, false);
        ASSERT_TRUE(runner->Start());
    }
    void Restart() {
        runner.reset();
        Start();
    }
    void Script(const std::string& text) {
        std::istringstream in(text);
        std::vector<TScenarioStep> steps;
        std::string error;
        ASSERT_TRUE(ParseScenario(in, steps, error)) << error;
        ASSERT_TRUE(runner->Execute(steps, error)) << error;
    }
    TForm1& form() { return runner->Form(); }
    TGameState& game() { return runner->Form().Game; }
    int state() { return game().ScreenState; }
    bool enabled(const std::string& name) {
        TGuiControl* c = form().Control(name);
        EXPECT_NE(c, nullptr) << name;
        return c && c->Enabled();
    }
    std::string editText(const std::string& name) {
        auto* e = dynamic_cast<TGuiEdit*>(form().Control(name));
        return e ? e->Text() : "<no edit " + name + ">";
    }
    int gauge(const std::string& name) {
        auto* g = dynamic_cast<TGuiGauge*>(form().Control(name));
        return g ? g->Theta : -1;
    }
    std::string label(const std::string& name) {
        auto* l = dynamic_cast<TGuiLabel*>(form().Control(name));
        return l ? l->Text() : "<no label " + name + ">";
    }
    std::array<int, 3> frames(const std::string& name) {
        auto* b = dynamic_cast<TGuiButton*>(form().Control(name));
        if (!b) return {-1, -1, -1};
        return {b->NormalGlyph, b->DisabledGlyph, b->ClickedGlyph};
    }
    long checks() {
        const auto played = runner->Audio().SoundsPlayed();
        return std::count(played.begin(), played.end(), "Sounds/check.wav");
    }
    auto& http() { return runner->Platform().scriptedHttp; }
    auto& messages() { return runner->Platform().messages; }
    // A player as the name screen would have made.
    void GivePlayer(const std::string& name) {
        game().Profiles[0] = name;
        game().ProfileCount = 1;
        game().ProfileIndex = 0;
        game().PlayerName = name;
    }
    // From the playing field through game over, the score count-up and the country screen to
    // the send-score question.
    void PlayUntilSendScore(int difficulty, int score, const std::string& country) {
        game().Difficulty = uint8_t(difficulty);
        form().States.Go(13);
        runner->RunFrames(20);
        ASSERT_EQ(state(), 13);
        game().SetScore(score);
        form().States.Go(14);
        Script("wait 260");
        ASSERT_EQ(state(), 23);
        Script("wait 400\nkey 13\nwait 2");
        ASSERT_EQ(state(), 31);
        // The edit starts with the country of the last game.
        EXPECT_EQ(editText("e_ycountry"), game().Country);
        if (editText("e_ycountry") != country)
            Script("text " + country.substr(game().Country.size()) + "\nwait 2");
        Script("key 13\nwait 2");
        ASSERT_EQ(state(), 24);
        EXPECT_EQ(game().Country, country);
    }
    // The quit confirmation from the main menu.
    void Quit() {
        form().States.Go(4);
        form().Click("b_mainmenu_exit");
        ASSERT_EQ(state(), 11);
        form().Click("b_exit_yes");
        ASSERT_EQ(state(), 32);
    }

    TGameFolder folder{"screens-e2e"};
    std::unique_ptr<TGameRunner> runner;
};

} // namespace

TEST_F(ScreensEndToEndTest, FirstRunProfileSurvivesQuittingAndRestarting) {
    Start();
    Script("wait 290");
    ASSERT_EQ(state(), 1);
    EXPECT_FALSE(enabled("b_entername_create")) << "nothing typed yet";
    Script("text   \nwait 2\nkey 13\nwait 2");
    EXPECT_EQ(state(), 1) << "a name of spaces cannot be confirmed";
    Script("text  Anna Lee  \nwait 2\nkey 13\nwait 2");
    ASSERT_EQ(state(), 4);
    EXPECT_EQ(game().ProfileCount, 1);
    EXPECT_EQ(game().Profiles[0], "Anna Lee");
    EXPECT_EQ(label("hello"), "Hello, Anna Lee!");
    EXPECT_FALSE(fs::exists(folder.Path() / "Config.cfg")) << "a new profile alone writes nothing";

    // Settings of every kind that the file keeps.
    game().MusicVolume = 125;
    game().SoundVolume = 0;
    game().ShowStory = 0;
    game().VSync = 1;
    game().Country = "Wales";
    game().KeyBindings = {65, 66, 9, 90};
    game().HighScoreTable[1][0] = {"Anna Lee", "4321"};
    game().Profiles[1] = "Bo";
    game().ProfileCount = 2;
    const TGameState before = game();

    Quit();
    ASSERT_TRUE(fs::exists(folder.Path() / "Config.cfg")) << "quitting writes the settings";
    EXPECT_FALSE(form().Closed());
    Script("wait 600\nkey 27\nwait 1");
    ASSERT_TRUE(form().Closed());

    Restart();
    Script("wait 290");
    ASSERT_EQ(state(), 4) << "with a profile the intro goes to the main menu";
    EXPECT_EQ(label("hello"), "Hello, Anna Lee!");
    EXPECT_EQ(game().ProfileCount, 2);
    EXPECT_EQ(game().Profiles, before.Profiles);
    EXPECT_EQ(game().PlayerName, "Anna Lee");
    EXPECT_EQ(game().MusicVolume, 125);
    EXPECT_EQ(game().SoundVolume, 0);
    EXPECT_EQ(game().ShowStory, 0);
    EXPECT_EQ(game().ShowHowToPlay, 1);
    EXPECT_EQ(game().VSync, 1);
    EXPECT_EQ(game().Country, "Wales");
    EXPECT_EQ(game().KeyBindings, before.KeyBindings);
    EXPECT_EQ(game().HighScoreTable, before.HighScoreTable);
}

TEST_F(ScreensEndToEndTest, TheExitScreenCountsDownBeforeTheWindowCloses) {
    Start();
    GivePlayer("Cy");
    Quit();
    ASSERT_TRUE(form().ShareScreen && form().ShareScreen->Valid) << "the built exit page";
    const TShareScreen& page = *form().ShareScreen;
    EXPECT_EQ(page.ShownSeconds(), 6);
    const auto& exitButton = page.Buttons.back();
    const std::string onExit = "click " + std::to_string(exitButton.X + exitButton.Width / 2) +
                               " " + std::to_string(exitButton.Y + exitButton.Height / 2) + "\n";

    Script("wait 100");
    EXPECT_EQ(page.ShownSeconds(), 5);
    Script(onExit + "key 27\nclose\nwait 2");
    EXPECT_FALSE(form().Closed()) << "the exit button, Escape and the close box all wait";
    EXPECT_EQ(state(), 32);

    Script("wait 420");
    ASSERT_EQ(page.Countdown, 0);
    EXPECT_FALSE(form().Closed()) << "the countdown running out does not close by itself";
    const auto& opened = runner->Platform().recordingShell.opened;
    EXPECT_TRUE(opened.empty());
    Script(onExit + "wait 1");
    EXPECT_TRUE(form().Closed());
    EXPECT_EQ(opened.size(), 1u) << "closing opens the link file";
}

TEST_F(ScreensEndToEndTest, AFinishedGameEntersTheTableOfItsDifficulty) {
    Start();
    GivePlayer("Ben");
    const THighScoreTables defaults = game().HighScoreTable;

    PlayUntilSendScore(2, 950, "Norway");
    form().Click("b_sendscore_no");
    EXPECT_EQ(state(), 9);
    EXPECT_EQ(game().HighScoreView, 2) << "the Hard tab";
    EXPECT_EQ(frames("b_highscore_hard"), (std::array<int, 3>{1, 1, 1}));
    EXPECT_EQ(label("name2"), "Ben");
    EXPECT_EQ(label("score2"), "950");
    EXPECT_EQ(label("score1"), "1000");
    EXPECT_EQ(game().HighScoreTable[0], defaults[0]);
    EXPECT_EQ(game().HighScoreTable[1], defaults[1]);
    EXPECT_EQ((game().HighScoreTable[2][1]), (THighScoreEntry{"Ben", "950"}));
    EXPECT_EQ((game().HighScoreTable[2][9]), (THighScoreEntry{"Anonymous", "200"}));
    EXPECT_TRUE(http().requested.empty()) << "nothing goes online without asking";

    // A score below the table goes back to the main menu.
    PlayUntilSendScore(1, 99, "Norway");
    form().Click("b_sendscore_no");
    EXPECT_EQ(state(), 4);
    EXPECT_EQ(game().HighScoreTable[1], defaults[1]);
}

TEST_F(ScreensEndToEndTest, SendingTheScoreAsksForATokenThenSendsTheReport) {
    Start();
    GivePlayer("Ben");
    PlayUntilSendScore(2, 950, "Norway");
    http().PushAnswer("OK|1|2|3|tok5|6");
    http().PushAnswer("");
    form().Click("b_sendscore_yes");
    EXPECT_EQ(state(), 9);
    ASSERT_EQ(http().requested.size(), 2u);
    const std::string server = "http://127.0.0.1:8080";
    EXPECT_EQ(http().requested[0], server + "/cgi/version.pl?version&prg=Kelvora");
    const std::string prefix = server + "/cgi/version.pl?hs&prg=Kelvora&inf=";
    ASSERT_EQ(http().requested[1].rfind(prefix, 0), 0u) << http().requested[1];
    const std::string letters = http().requested[1].substr(prefix.size());
    EXPECT_EQ(DecodeBytes(DecodeGroups(letters)),
              "type=2|name=Ben|score=950|key=K|p=tok5|add=Norway|z=000");
    EXPECT_EQ(letters.size() % 8, 0u) << "no digit put in front";
    EXPECT_TRUE(messages().shown.empty());
}

TEST_F(ScreensEndToEndTest, AnUnreachableScoreServerIsReportedAndTheGameGoesOn) {
    Start();
    GivePlayer("Ben");
    for (bool answered : {false, true}) {
        SCOPED_TRACE(answered ? "a wrong answer" : "no server");
        messages().infos.clear();
        http().requested.clear();
        PlayUntilSendScore(0, 50, "Peru");
        if (answered)
            http().PushAnswer("ok|1|2|3|4|5");
        else
            http().PushFailure();
        form().Click("b_sendscore_yes");
        EXPECT_EQ(state(), 4);
        ASSERT_EQ(messages().infos.size(), 1u);
        EXPECT_EQ(messages().infos[0], "Can't connect to server!");
        EXPECT_EQ(http().requested.size(), 1u) << "no report without the token";
        Script("wait 10");
        EXPECT_EQ(state(), 4) << "the menu keeps running";
    }
}

TEST_F(ScreensEndToEndTest, TheConsoleRunsCommandsDuringPlay) {
    folder.Write("console.ini", "");
    Start();
    GivePlayer("Dee");
    game().SetLives(3);
    game().LevelNumber = 1;
    form().States.Go(13);
    runner->RunFrames(20);
    Script("key 192\nwait 40");
    ASSERT_EQ(state(), 35);

    struct Case {
        std::string typed, line;
    };
    const Case cases[] = {
        {"add score", "add score - you have 1000 points more!"},
        {"  Score", "  Score - your score is 1000"},
        {"lives", "lives - you have 3 lives"},
        {"name", "name - your name is Dee"},
        {"level", "level - current level is 1"},
        {"difficulty", "difficulty - current difficulty is EASY"},
        {"addscore", "addscore- unknown command"},
    };
    for (const Case& c : cases) {
        Script("text " + c.typed + "\nkey 13\nwait 1");
        EXPECT_EQ(game().ConsoleLines[0], c.line);
        EXPECT_EQ(label("con_label1"), c.line);
        EXPECT_EQ(state(), 35);
    }
    EXPECT_EQ(game().GetScore(), 1000);
    EXPECT_EQ(label("con_label5"), "lives - you have 3 lives") << "the oldest lines scroll out";

    Script("key 27\nwait 1");
    EXPECT_EQ(state(), 13);
    EXPECT_FALSE(form().FormVisible("scr_console"));

    Script("key 192\nwait 40\ntext next level\nkey 13\nwait 1");
    EXPECT_EQ(state(), 16) << "the stage is complete at once";
    EXPECT_EQ(game().ConsoleLines[1], "addscore- unknown command") << "the history stays";
}

TEST_F(ScreensEndToEndTest, VolumeButtonsStopAtTheirLimits) {
    Start();
    game().MusicVolume = 250;
    game().SoundVolume = 25;
    form().States.Go(26);
    EXPECT_FALSE(enabled("b_sound_musicmax"));
    EXPECT_TRUE(enabled("b_sound_musicmin"));
    EXPECT_TRUE(enabled("b_sound_fxmin"));

    form().Click("b_sound_musicmax");
    EXPECT_EQ(game().MusicVolume, 250) << "a disabled button ignores the click";
    auto& mixer = runner->Audio().musicVolume;
    const int loudest = mixer[form().Sound.SongId(1)];
    form().Click("b_sound_musicmin");
    EXPECT_EQ(game().MusicVolume, 225);
    EXPECT_LT(mixer[form().Sound.SongId(1)], loudest) << "the songs follow at once";
    for (int song : {2, 3})
        EXPECT_EQ(mixer[form().Sound.SongId(song)], mixer[form().Sound.SongId(1)]);
    EXPECT_TRUE(enabled("b_sound_musicmax"));
    EXPECT_EQ(gauge("bar_music"), 225);

    form().Click("b_sound_fxmin");
    EXPECT_EQ(game().SoundVolume, 0);
    EXPECT_FALSE(enabled("b_sound_fxmin"));
    form().Click("b_sound_fxmin");
    EXPECT_EQ(game().SoundVolume, 0);
    EXPECT_EQ(game().MusicVolume, 225) << "the effects do not touch the music";
    for (int i = 0; i < 12; ++i) form().Click("b_sound_fxmax");
    EXPECT_EQ(game().SoundVolume, 250);
    EXPECT_FALSE(enabled("b_sound_fxmax"));
    Script("key 27");
    EXPECT_EQ(state(), 8);
}

TEST_F(ScreensEndToEndTest, GraphicsTogglesShowTheirSettingByFrames) {
    Start();
    form().States.Go(27);
    struct Case {
        const char* button;
        uint8_t TGameState::*flag;
    };
    for (Case c : {Case{"b_graphics_fullscreen", &TGameState::FullScreen},
                   Case{"b_graphics_antialias", &TGameState::Antialias},
                   Case{"b_graphics_vsync", &TGameState::VSync}}) {
        SCOPED_TRACE(c.button);
        const bool on = game().*c.flag != 0;
        const int f = on ? 0 : 1;
        EXPECT_EQ(frames(c.button), (std::array<int, 3>{f, f, f}));
        form().Click(c.button);
        EXPECT_EQ(game().*c.flag, on ? 0 : 1);
        EXPECT_EQ(frames(c.button), (std::array<int, 3>{1 - f, 1 - f, 1 - f}));
        form().Click(c.button);
        EXPECT_EQ(game().*c.flag, on ? 1 : 0);
    }
    EXPECT_EQ(game().FullScreen, 0);
    EXPECT_FALSE(runner->Platform().scriptedWindow.config().fullScreen);

    // The screen size waits for the page to be left, by Escape as by the back button.
    ASSERT_EQ(label("resolution"), "800x600");
    form().Click("b_graphics_resolution_prev");
    EXPECT_EQ(label("resolution"), "1024x768");
    EXPECT_EQ(form().Device.Width(), 800);
    Script("key 27");
    EXPECT_EQ(state(), 8);
    EXPECT_EQ(form().Device.Width(), 1024);
    EXPECT_EQ(form().Device.Height(), 768);
}

TEST_F(ScreensEndToEndTest, DefaultKeysRestoreEveryBinding) {
    Start();
    game().KeyBindings = {65, 66, 67, 68};
    form().States.Go(28);
    EXPECT_EQ(editText("spec1"), "A");
    form().Click("b_controls_default");
    EXPECT_EQ(game().KeyBindings, game().DefaultKeyBindings);
    EXPECT_EQ(game().KeyBindings.size(), 4u) << "the fourth key too, which has no edit";
    EXPECT_EQ(editText("spec1"), "Right");
    EXPECT_EQ(editText("spec3"), "Space");
    Script("key 27");
    EXPECT_EQ(state(), 8);
    EXPECT_EQ(game().KeyBindings, game().DefaultKeyBindings) << "leaving keeps them";
    EXPECT_TRUE(game().FreeLetterKeys.test('A')) << "the old keys are free again";
}

TEST_F(ScreensEndToEndTest, HelpPagesStopAtBothEnds) {
    Start();
    form().States.Go(7);
    EXPECT_EQ(game().HelpPage, 0);
    long sounds = checks();
    form().Click("b_help_previous");
    EXPECT_EQ(game().HelpPage, 0);
    EXPECT_EQ(checks(), ++sounds) << "the sound plays all the same";
    for (int i = 0; i < 15; ++i) form().Click("b_help_next");
    EXPECT_EQ(game().HelpPage, 12);
    sounds = checks();
    form().Click("b_help_next");
    EXPECT_EQ(game().HelpPage, 12);
    EXPECT_EQ(checks(), sounds + 1);
    form().Click("b_help_previous");
    EXPECT_EQ(game().HelpPage, 11);
}

TEST_F(ScreensEndToEndTest, ADamagedSettingsFileIsKeptAsideAndItsUnreadablePartsStayDefault) {
    TGameState saved;
    saved.Profiles[0] = "Eve";
    saved.ProfileCount = 1;
    saved.MusicVolume = 50;
    saved.KeyBindings = {65, 66, 67, 68};
    const std::string good = SettingsText(saved);
    std::vector<std::string> lines;
    {
        std::istringstream in(good);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 77u);
    auto join = [&](std::vector<std::string> ls) {
        std::string text;
        for (const auto& l : ls) text += l + "\n";
        return text;
    };
    auto withLine = [&](size_t i, std::string value) {
        auto ls = lines;
        ls[i] = std::move(value);
        return join(ls);
    };
    const size_t profileCountLine = 69, keyCountLine = 72;
    ASSERT_EQ(DecodeNumber(lines[profileCountLine]), 1);
    ASSERT_EQ(DecodeNumber(lines[keyCountLine]), 4);

    struct Case {
        const char* what;
        std::string text;
        bool profileKept; // read before the damage
    };
    const Case cases[] = {
        {"cut in the middle of a line", good.substr(0, good.size() / 2), false},
        {"garbage", std::string("\x01\xff\x80 not a settings file\n%%%%\n\n"), false},
        {"a million profiles", withLine(profileCountLine, EncodeNumber(1000000)), false},
        {"a million keys", withLine(keyCountLine, EncodeNumber(1000000)), true},
        {"binary zeros", std::string(5000, '\0'), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        runner.reset();
        for (const auto& entry : fs::directory_iterator(folder.Path()))
            if (entry.path().filename().string().rfind("Config.cfg", 0) == 0) fs::remove(entry);
        folder.Write("Config.cfg", c.text);
        Start();
        EXPECT_EQ(ReadFile(folder.Path() / "Config.cfg.damaged"), c.text) << "kept as it was";
        EXPECT_FALSE(fs::exists(folder.Path() / "Config.cfg"));
        EXPECT_EQ(game().KeyBindings, game().DefaultKeyBindings);
        EXPECT_EQ(game().HighScoreTable, DefaultHighScores()) << "nothing half-read";
        EXPECT_EQ(game().ProfileCount, c.profileKept ? 1 : 0);
        Script("wait 290");
        if (c.profileKept) {
            EXPECT_EQ(state(), 4);
            EXPECT_EQ(label("hello"), "Hello, Eve!");
        } else {
            EXPECT_EQ(state(), 1) << "a new player is asked for";
            Script("text Eve\nwait 2\nkey 13\nwait 2");
            ASSERT_EQ(state(), 4);
        }
        Quit();
        TGameState reread;
        EXPECT_TRUE(ParseSettings(ReadFile(folder.Path() / "Config.cfg"), reread))
            << "quitting writes a sound file";
        EXPECT_EQ(reread.Profiles[0], "Eve");
        EXPECT_EQ(reread.ProfileCount, 1);
        EXPECT_EQ(ReadFile(folder.Path() / "Config.cfg.damaged"), c.text) << "and keeps the old";
    }
}

TEST_F(ScreensEndToEndTest, EveryWayOfClosingOpensTheLinkFile) {
    auto linkOpened = [&] { return runner->Platform().recordingShell.opened.size(); };

    // The console's EXIT skips the countdown.
    folder.Write("console.ini", "");
    Start();
    form().States.Go(13);
    runner->RunFrames(20);
    Script("key 192\nwait 40\ntext exit\nkey 13\nwait 1");
    EXPECT_TRUE(form().Closed());
    EXPECT_EQ(linkOpened(), 1u);

    // Without the exit page quitting closes at once.
    runner.reset();
    fs::remove(folder.Path() / "wdata");
    Start();
    GivePlayer("Gus");
    Quit();
    EXPECT_TRUE(form().Closed());
    EXPECT_EQ(linkOpened(), 1u);
}

TEST_F(ScreensEndToEndTest, HowToPlayTextsFollowThePage) {
    Start();
    form().States.Go(13);
    runner->RunFrames(20);
    form().States.EnterState(33);
    Script("wait 1");
    EXPECT_EQ(label("Label3"), "Compose the lines of three or more equal elements horizontally ");
    EXPECT_EQ(label("Label5"), "clicking the neighboring units.");
    form().Click("b_howtoplay_right");
    Script("wait 1");
    EXPECT_EQ(label("Label3"),
              "For passing every level you need to invent a special mistura and fill the flask.");
    for (int i = 0; i < 3; ++i) form().Click("b_howtoplay_right");
    Script("wait 1");
    EXPECT_EQ(game().HowToPlayPage, 3);
    EXPECT_EQ(label("Label3"), "\tArrange with this fish a group of three or more fishes of the "
                               "same colour to get the bonus.");
    EXPECT_EQ(label("Label4"), "") << "a line the page does not have is cleared";
    EXPECT_FALSE(form().Control("b_howtoplay_right")->Visible());
    Script("key 13\nwait 1");
    EXPECT_EQ(state(), 13);
}
