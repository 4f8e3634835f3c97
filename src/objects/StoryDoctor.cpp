#include "objects/StoryDoctor.h"
#include "board/GameWorld.h"
#include "engine/GuiBase.h"
#include "objects/ObjectSprites.h"
#include <string>

tspeakingwindow::tspeakingwindow(const TGameWorld& world, float x, float y)
    : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    SetImageName("speakingwindow");
    ScaleX = 1.2f;
    SetAlpha(0);
}

void tspeakingwindow::ShowControls(bool visible) {
    if (!world_.Gui) return;
    auto set = [&](const std::string& name) {
        if (TGuiControl* control = world_.Gui->FindControl(name)) control->SetVisible(visible);
    };
    for (int i = 11; i <= 35; ++i) set("Label" + std::to_string(i));
    set("l_story_dontshow");
    set("b_story_next");
    set("b_story_check");
}

void tspeakingwindow::Move(float Delta) {
    const TGameState& s = *world_.State;
    if (!s.AdvanceRequested) {
        if (fade_ < 250) fade_ += 3 * s.SpeedFactor;
        if (fade_ >= 250) ShowControls(true);
    } else {
        ShowControls(false);
        if (fade_ > 20) fade_ -= 3 * s.SpeedFactor;
    }
    SetAlpha(int(fade_));
    if (s.ScreenState != 34) Dead();
}

tlabdoctor1::tlabdoctor1(const TGameWorld& world, float x, float y)
    : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    SetImageName("doctor1");
    SetAlpha(0);
    face_.Eyelids = MakePartSprite(Engine, "eyes.image", 128, 183, 1);
    face_.Eyelids->Visible = false;
    face_.Eyepiece = MakePartSprite(Engine, "okular", 119, 185, 2);
    face_.Mouth = MakeAnimatedPart(Engine, "rot", 134, 210, 2, 3, 100, true);
    face_.Mouth->ScaleX = face_.Mouth->ScaleY = 0.9f;
    face_.SetAlpha(0);
    face_.BlinkTimer = -1;
    backdrop_ = MakePartSprite(Engine, "zad", 0, 0, -2);
}

void tlabdoctor1::Move(float Delta) {
    TGameState& s = *world_.State;
    if (fade_ < 250 && !s.AdvanceRequested) fade_ += 3 * s.SpeedFactor;
    if (fade_ >= 250) {
        if (!window_) window_ = new tspeakingwindow(world_, 325, 30);
        face_.Blink(2 * s.SpeedFactor);
    }
    face_.Talk(world_);

    if (s.AdvanceRequested || s.ScreenState == 36) {
        fade_ -= 3 * s.SpeedFactor;
        if (fade_ <= 10) {
            s.AdvanceRequested = 0;
            face_.Kill();
            KillPart(backdrop_);
            Dead();
            // Only from the story screen: should the level intro already run, a second
            // one must not start.
            if (s.ScreenState == 34) {
                world_.LeaveState(34);
                world_.EnterState(36);
            }
        }
    }
    face_.SetAlpha(int(fade_));
    SetAlpha(int(fade_));
}
