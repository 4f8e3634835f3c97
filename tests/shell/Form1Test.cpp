#include "engine/ResDbWriter.h"
#include "screens/ShareScreen.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/headless/RecordingRenderer.h"
#include "shell/Unit1.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;
using platform::Event;

namespace {

// A working folder of its own, with empty archives unless told otherwise.
class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        dir_ = fs::temp_directory_path() / ("kelvora-form-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "Data");
        fs::current_path(dir_);
    }
    void TearDown() override {
        fs::current_path(previous_);
        fs::remove_all(dir_);
    }
    static void WriteEmptyArchives() {
        for (const char* name : {"Data/data.fgg", "Data/gdata.fgg", "Data/data1.fgg"})
            ASSERT_TRUE(TResDbWriter().Save(name));
    }

    platform::headless::HeadlessPlatform platform;
    platform::headless::RecordingRenderer renderer;
    platform::headless::RecordingAudio audio;
    fs::path previous_, dir_;
};

} // namespace

TEST_F(Form1Test, WithoutItsDataTheDeviceFailsAndTheWindowCloses) {
    TForm1 form(platform, renderer, audio);
    EXPECT_FALSE(form.FormCreate());
    EXPECT_EQ(platform.messages.shown, (std::vector<std::string>{"Failed to initialize device!"}));
    EXPECT_TRUE(form.Closed());
    EXPECT_FALSE(form.Timer.Enabled);
}

TEST_F(Form1Test, StartUpEndsInTheIntroWithMusicAndKeySets) {
    WriteEmptyArchives();
    TForm1 form(platform, renderer, audio);
    ASSERT_TRUE(form.FormCreate());
    EXPECT_EQ(form.States.ScreenState, 3);
    EXPECT_TRUE(form.Timer.Enabled);
    EXPECT_EQ(audio.playingMusic, 1);
    EXPECT_FALSE(platform.scriptedWindow.cursorShown);
    EXPECT_EQ(form.Game.KeyBindings, (std::vector<int>{39, 37, 32, 38}));
    // Bound special keys are taken out of the free set; letters stay free.
    EXPECT_FALSE(form.Game.FreeSpecialKeys.test(39));
    EXPECT_FALSE(form.Game.FreeSpecialKeys.test(32));
    EXPECT_TRUE(form.Game.FreeSpecialKeys.test(9));
    EXPECT_TRUE(form.Game.FreeLetterKeys.test('A'));
    EXPECT_EQ(form.Game.FreeLetterKeys.count(), TGameState::InitialLetterKeys().count());
    // The headless display lists 800x600: it is selected, windowed.
    EXPECT_EQ(form.Game.DisplayModes[size_t(form.Game.DisplayModeIndex)].text, "800x600");
    EXPECT_TRUE(form.Device.Windowed());
}

TEST_F(Form1Test, PulseCounterAndTheLevelClockFollowTheTimers) {
    WriteEmptyArchives();
    TForm1 form(platform, renderer, audio);
    ASSERT_TRUE(form.FormCreate());
    std::vector<int> pulses;
    for (int i = 0; i < 7; ++i) {
        form.Timer3Timer();
        pulses.push_back(form.Game.PulseCounter);
    }
    EXPECT_EQ(pulses, (std::vector<int>{5, 4, 3, 2, 1, 0, 5}));

    form.Game.LevelTimeLeft = 1.0;
    form.Timer1Timer(); // not playing: the clock stands still
    EXPECT_DOUBLE_EQ(form.Game.LevelTimeLeft, 1.0);
    form.States.ScreenState = 13;
    form.Timer1Timer();
    EXPECT_NEAR(form.Game.LevelTimeLeft, 0.9, 1e-9);
}

TEST_F(Form1Test, SpeedFactorIsCappedBeforeAnyFrameRate) {
    WriteEmptyArchives();
    TForm1 form(platform, renderer, audio);
    ASSERT_TRUE(form.FormCreate());
    form.DeviceRender();
    EXPECT_DOUBLE_EQ(form.Game.SpeedFactor, 1.2);
    // A hundred passes a second gives (70 / 100)^2.
    form.Run(300);
    EXPECT_NEAR(form.Game.SpeedFactor, 0.49, 0.02);
}

TEST_F(Form1Test, ClosingTheWindowAsksPerState) {
    WriteEmptyArchives();
    struct Case {
        uint8_t state;
        uint8_t after;
        bool closes;
    };
    const Case cases[] = {{4, 11, false}, {28, 11, false}, {13, 0, false},
                          {18, 0, false}, {0, 0, false},   {3, 3, false}};
    for (const Case& c : cases) {
        TForm1 form(platform, renderer, audio);
        ASSERT_TRUE(form.FormCreate());
        form.States.ScreenState = c.state;
        EXPECT_EQ(form.FormCloseQuery(), c.closes) << int(c.state);
        EXPECT_EQ(form.States.ScreenState, c.after) << int(c.state);
    }
    TForm1 form(platform, renderer, audio);
    ASSERT_TRUE(form.FormCreate());
    form.States.ScreenState = 32;
    form.ShareScreen->Countdown = 3;
    EXPECT_FALSE(form.FormCloseQuery()) << "the exit screen's countdown must end first";
    form.ShareScreen->Countdown = 0;
    EXPECT_TRUE(form.FormCloseQuery());
}

TEST_F(Form1Test, KeysAndMouseSetTheTablesThatPlayReads) {
    WriteEmptyArchives();
    TForm1 form(platform, renderer, audio);
    ASSERT_TRUE(form.FormCreate());
    auto& w = platform.scriptedWindow;
    w.PushKey(80, true);
    w.PushKey(80, false);
    w.PushMouse(Event::Type::MouseDown, 10, 10, platform::MouseButton::Right);
    form.Run(1);
    EXPECT_EQ(form.Game.KeyHeld[80], 0);
    EXPECT_EQ(form.Game.KeyReleased[80], 0) << "a release is seen by one tick, then cleared";
    EXPECT_EQ(form.Game.MouseHeld, 1);
    EXPECT_EQ(form.Game.RightButtonHeld, 1);

    form.Game.SwapLocked = 1;
    w.PushMouse(Event::Type::MouseUp, 10, 10);
    w.PushMouse(Event::Type::MouseDown, 10, 10);
    form.Run(1);
    EXPECT_EQ(form.Game.MouseHeld, 0) << "a press during a swap set-up is lost";
}

TEST_F(Form1Test, TheIntroLogoFadesThenTheFirstPlayerScreenFollows) {
    WriteEmptyArchives();
    TForm1 form(platform, renderer, audio);
    ASSERT_TRUE(form.FormCreate());
    form.Run(81);
    ASSERT_GE(form.SpriteEngine->Count(), 2);
    int alpha = -1;
    for (int i = 0; i < form.SpriteEngine->Count(); ++i)
        if (form.SpriteEngine->Items(i)->ImageName == "logo") alpha = form.SpriteEngine->Items(i)->Alpha;
    EXPECT_EQ(alpha, 250);
    form.Run(300);
    EXPECT_EQ(form.States.ScreenState, 1) << "no profile: the name screen";
}
