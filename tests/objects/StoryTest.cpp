#include "objects/Branches.h"
#include "objects/FinalPicture.h"
#include "objects/LevelIntro.h"
#include "objects/StoryDoctor.h"
#include "objects/StoryText.h"
#include "objects/TitleDoctor.h"
#include "objects/WorldRig.h"
#include <functional>
#include <gtest/gtest.h>
#include <numbers>
#include <set>

namespace {

int Frames(WorldRig& rig, const std::function<bool()>& until, int limit = 5000) {
    int n = 0;
    while (!until() && n < limit) {
        rig.Frame();
        ++n;
    }
    return n;
}

} // namespace

TEST(StoryTextTest, EveryLevelHasItsLinesWithinTheWidth) {
    const int counts[kStoryLevels] = {5, 4, 5, 3, 3, 3, 4, 4, 5, 4, 5, 4, 3, 5, 4, 3};
    for (int level = 1; level <= kStoryLevels; ++level) {
        int filled = 0;
        bool gap = false;
        for (int line = 1; line <= kStoryLinesPerLevel; ++line) {
            const std::string_view text = StoryLine(level, line);
            EXPECT_LE(text.size(), 47u) << level << "." << line;
            EXPECT_EQ(text.find('\''), std::string_view::npos)
                << level << "." << line << " uses the typewriter apostrophe";
            for (unsigned char ch : text) EXPECT_TRUE(ch >= 32 && (ch < 127 || ch == 146)) << level;
            if (text.empty()) {
                gap = true;
            } else {
                EXPECT_FALSE(gap) << "level " << level << ": a line after an empty one";
                ++filled;
            }
        }
        EXPECT_EQ(filled, counts[level - 1]) << "level " << level;
    }
    EXPECT_TRUE(StoryLine(1, 1).starts_with("First virus samples have just been"));
    EXPECT_TRUE(StoryLine(16, 3).ends_with("horrible viruses off!"));
    EXPECT_NE(StoryLine(1, 4).find('\x92'), std::string_view::npos);
    EXPECT_TRUE(StoryLine(0, 1).empty());
    EXPECT_TRUE(StoryLine(17, 1).empty());
    EXPECT_TRUE(StoryLine(3, 6).empty());
}

TEST(TitleDoctorTest, FadesOutAndLeadsToTheStoryOrStraightToTheLevelIntro) {
    struct Case {
        uint8_t showStory;
        const char* next;
    };
    for (const Case c : {Case{1, "enter 34"}, Case{0, "enter 36"}}) {
        WorldRig rig;
        rig.state.ScreenState = 4;
        rig.state.ShowStory = c.showStory;
        auto* doctor = new Ttitledoctor(rig.world, 10, 150);
        EXPECT_EQ(doctor->ImageName, "nothing");
        EXPECT_EQ(doctor->Backdrop()->ImageName, "entrance");
        EXPECT_EQ(doctor->Backdrop()->Z, -3);
        EXPECT_FLOAT_EQ(doctor->Face().Eyelids->ScaleX, 1.5f);
        EXPECT_FLOAT_EQ(doctor->Face().Eyepiece->X, 304);
        for (int i = 0; i < 50; ++i) rig.Frame();
        EXPECT_TRUE(rig.transitions.empty()) << "he waits for a new game";
        EXPECT_EQ(rig.audio.playingMusic, 1);

        // Choosing a difficulty leaves state 15 with no form; the hall fades from 256.
        rig.state.ScreenState = 15;
        rig.state.AdvanceRequested = 1;
        rig.Frame();
        EXPECT_EQ(doctor->Backdrop()->Alpha, 252);
        const int frames = Frames(rig, [&] { return !rig.transitions.empty(); });
        EXPECT_EQ(frames, 51) << "(256 - 100) / 3 frames";
        EXPECT_EQ(rig.transitions, std::vector<std::string>{c.next});
        EXPECT_EQ(rig.state.AdvanceRequested, 0);
        EXPECT_EQ(rig.audio.playingMusic, 2) << "the game's song takes over";
        EXPECT_TRUE(doctor->IsDead);
        EXPECT_TRUE(doctor->Backdrop()->IsDead);
        EXPECT_TRUE(doctor->Face().Eyelids->IsDead);
        EXPECT_TRUE(doctor->Face().Eyepiece->IsDead);
        // The branches go in their own move once the next screen is on.
        rig.Frame();
        rig.Frame();
        EXPECT_EQ(rig.engine.Count(), 0);
    }
}

TEST(TitleDoctorTest, BlinksAndSparklesOnlyInTheMainMenu) {
    WorldRig rig;
    rig.state.ScreenState = 4;
    rig.state.PulseCounter = 3;
    auto* doctor = new Ttitledoctor(rig.world, 10, 150);
    std::vector<int> shown;
    for (int tick = 1; tick <= 1300; ++tick) {
        rig.engine.Move(0.001f);
        if (doctor->Face().Eyelids->Visible) shown.push_back(tick);
    }
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), 1000);
    EXPECT_EQ(shown.back(), 1199);
    EXPECT_EQ(shown.size(), 200u);

    rig.state.PulseCounter = 0;
    rig.state.ScreenState = 9;
    rig.engine.Move(0.001f);
    EXPECT_TRUE(rig.Effects("exampel.pss").empty());
    rig.state.ScreenState = 4;
    rig.engine.Move(0.001f);
    rig.engine.Move(0.001f);
    EXPECT_EQ(rig.Effects("exampel.pss").size(), 1u);
    EXPECT_EQ(rig.state.PulseCounter, -1);
}

TEST(BranchesTest, SwayWithinTheirRangeAndGoWithTheTitle) {
    WorldRig rig;
    rig.state.ScreenState = 4;
    rig.state.SpeedFactor = 1.2;
    auto* branches = new tvetki(rig.world, 10, 30);
    const auto& b = branches->Branches();
    EXPECT_EQ(b[0].Sprite->ImageName, "vetka");
    EXPECT_FLOAT_EQ(b[0].Sprite->X, -5);
    EXPECT_FLOAT_EQ(b[0].Sprite->Y, 80);
    EXPECT_EQ(b[3].Sprite->ImageName, "vetka2");
    EXPECT_FLOAT_EQ(b[3].Sprite->X, 810);
    EXPECT_FLOAT_EQ(b[3].Sprite->Y, 230);
    float lowest = 10, highest = -10;
    // The fastest branch turns back after pi / 0.0012 ticks.
    for (int i = 0; i < 6000; ++i) {
        rig.engine.Move(0.001f);
        lowest = std::min(lowest, b[1].Sprite->Angle);
        highest = std::max(highest, b[1].Sprite->Angle);
        for (const auto& branch : b) EXPECT_EQ(branch.Sprite->DrawMode, 1);
    }
    const float tilt = float(std::numbers::pi / 10);
    EXPECT_NEAR(highest, 0.5f + tilt, 1e-3);
    EXPECT_NEAR(lowest, tilt, 1e-2);
    EXPECT_LT(b[1].Phase, std::numbers::pi + 0.01);
    EXPECT_GT(b[1].Phase, -0.01);

    rig.state.ScreenState = 36;
    rig.engine.Move(0.001f);
    EXPECT_TRUE(branches->IsDead);
    for (const auto& branch : b) EXPECT_TRUE(branch.Sprite->IsDead);
}

TEST(StoryDoctorTest, TheWindowShowsItsControlsOnlyOnceFadedIn) {
    WorldRig rig;
    rig.state.ScreenState = 34;
    std::vector<TGuiLabel*> controls;
    for (const char* name :
         {"Label11", "Label23", "Label35", "l_story_dontshow", "b_story_next", "b_story_check"}) {
        controls.push_back(rig.AddLabel(name));
        controls.back()->Hide();
    }
    auto* doctor = new tlabdoctor1(rig.world, 10, 150);
    EXPECT_EQ(doctor->Alpha, 0);
    EXPECT_EQ(doctor->Face().Mouth->Alpha, 0);
    EXPECT_EQ(doctor->Backdrop()->Alpha, 255);
    EXPECT_EQ(doctor->Backdrop()->ImageName, "zad");

    Frames(rig, [&] { return doctor->Window() != nullptr; });
    EXPECT_GE(doctor->Fade(), 250);
    tspeakingwindow* window = doctor->Window();
    EXPECT_FLOAT_EQ(window->X, 325);
    EXPECT_FLOAT_EQ(window->ScaleX, 1.2f);
    while (window->Fade() < 250) {
        for (TGuiLabel* c : controls) ASSERT_FALSE(c->Visible()) << c->Name;
        rig.Frame();
    }
    for (TGuiLabel* c : controls) EXPECT_TRUE(c->Visible()) << c->Name;
    EXPECT_GE(window->Alpha, 250);

    // He talks while the player reads.
    std::set<float> speeds;
    for (int i = 0; i < 1000; ++i) {
        rig.Frame();
        speeds.insert(doctor->Face().Mouth->AnimSpeed);
    }
    EXPECT_GE(speeds.size(), 4u);
    EXPECT_TRUE(rig.transitions.empty());

    rig.state.AdvanceRequested = 1;
    rig.Frame();
    for (TGuiLabel* c : controls) EXPECT_FALSE(c->Visible()) << c->Name;
    Frames(rig, [&] { return !rig.transitions.empty(); });
    EXPECT_EQ(rig.transitions, (std::vector<std::string>{"leave 34", "enter 36"}));
    EXPECT_EQ(rig.state.AdvanceRequested, 0);
    EXPECT_TRUE(doctor->IsDead);
    EXPECT_TRUE(doctor->Backdrop()->IsDead);
    rig.Frame();
    rig.Frame();
    EXPECT_EQ(rig.engine.Count(), 0) << "the window goes with the story screen";
}

TEST(LevelIntroTest, ReadsTheLevelsLinesOnceTheScrollIsDownAndStartsTheLevel) {
    WorldRig rig;
    rig.state.ScreenState = 36;
    rig.state.LevelNumber = 2;
    TGuiControl* history = new TGuiControl(&rig.gui.Root());
    history->Name = "G_history";
    std::vector<TGuiLabel*> lines;
    for (int i = 1; i <= 5; ++i) lines.push_back(new TGuiLabel(history));
    for (int i = 0; i < 5; ++i) lines[i]->Name = "story" + std::to_string(i + 1);
    TGuiLabel* title = new TGuiLabel(history);
    title->Name = "Label7";

    auto* scroll = new trazvertka(rig.world, 250);
    auto* doctor = new tlabdoctor2(rig.world, 5, 150);
    EXPECT_FLOAT_EQ(scroll->Y, -580);
    EXPECT_EQ(scroll->Z, -4);
    EXPECT_EQ(scroll->Tube()->Z, -1);
    EXPECT_EQ(doctor->Molecule()->ImageName, "molek2");
    EXPECT_EQ(rig.audio.SoundsPlayed(), std::vector<std::string>{"Sounds/gotabl.wav"});

    rig.Frame();
    EXPECT_FALSE(doctor->Molecule()->Visible);
    EXPECT_FALSE(doctor->Hand()->DoAnimate);
    EXPECT_FALSE(doctor->Face().Mouth->DoAnimate);
    EXPECT_TRUE(title->Text().empty());

    const int frames = Frames(rig, [&] { return rig.state.ScrollDone != 0; });
    EXPECT_NEAR(frames, 575 / 4, 2);
    rig.Frame();
    EXPECT_TRUE(doctor->Molecule()->Visible);
    EXPECT_TRUE(doctor->Hand()->DoAnimate);
    EXPECT_TRUE(doctor->Face().Mouth->DoAnimate);
    EXPECT_EQ(title->Text(), "Level 2");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[i]->Text(), StoryLine(2, i + 1));
    EXPECT_TRUE(lines[4]->Text().empty()) << "level 2 has four lines";

    rig.state.AdvanceRequested = 1;
    rig.Frame();
    EXPECT_FALSE(history->Visible());
    EXPECT_FALSE(doctor->Molecule()->Visible);
    EXPECT_TRUE(title->Text().empty());
    EXPECT_LT(scroll->Y, -5);
    EXPECT_EQ(doctor->Hand()->Alpha, doctor->Alpha);
    Frames(rig, [&] { return !rig.transitions.empty(); });
    EXPECT_EQ(rig.transitions, (std::vector<std::string>{"leave 36", "enter 13"}));
    EXPECT_EQ(doctor->Alpha, 18) << "255 in steps of 3 down to 20 or less";
    EXPECT_EQ(rig.state.AdvanceRequested, 0);
    rig.Frame();
    rig.Frame();
    EXPECT_EQ(rig.engine.Count(), 0) << "scroll, tube, doctor and his parts are gone";
}

TEST(FinalPictureTest, ElevenFireworksInsideTheMarginThenDone) {
    for (double speed : {1.2, 1.0, 0.35}) {
        WorldRig rig;
        rig.state.SpeedFactor = speed;
        auto* picture = new tfinal(rig.world, 0, 0);
        EXPECT_EQ(picture->Z, 50);
        EXPECT_EQ(rig.state.FinalPictureShown, 1);
        std::vector<int> at;
        int tick = 0;
        while (!rig.state.FinalPictureDone && tick < 20000) {
            const size_t before = rig.Effects("vdfvd.pss").size();
            rig.engine.Move(0.001f);
            ++tick;
            if (rig.Effects("vdfvd.pss").size() > before) at.push_back(tick);
        }
        ASSERT_EQ(at.size(), 11u) << speed;
        EXPECT_EQ(at.front(), 1) << "the first goes off at once";
        // The first comes a little early: it goes off as the counter leaves 100.
        for (size_t i = 2; i + 1 < at.size(); ++i)
            EXPECT_NEAR(at[i] - at[i - 1], 80 / speed, 5 / speed) << speed << " #" << i;
        for (TXParticleSystem* e : rig.Effects("vdfvd.pss")) {
            EXPECT_GE(e->X, 10);
            EXPECT_LE(e->X, 799);
            EXPECT_GE(e->Y, 10);
            EXPECT_LE(e->Y, 599);
        }
        EXPECT_LE(picture->Counter(), 0);
    }
}
