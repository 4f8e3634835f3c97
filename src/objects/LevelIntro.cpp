#include "objects/LevelIntro.h"
#include "board/GameWorld.h"
#include "objects/GuiText.h"
#include "objects/ObjectSprites.h"
#include "objects/ObjectSupport.h"
#include "objects/StoryText.h"
#include <cmath>
#include <string>

trazvertka::trazvertka(const TGameWorld& world, float x) : TSprite(world.Engine), world_(world) {
    SetImageName("razvertka");
    int w = 0, h = 0;
    ImageSize(world, "razvertka", w, h);
    X = x;
    Y = float(-h);
    SetZ(-4);
    tube_ = MakePartSprite(Engine, "tubus", 250, -5, -1);
    world.State->ScrollDone = 0;
    world.PlayEffect("gotabl");
}

void trazvertka::Move(float Delta) {
    TGameState& s = *world_.State;
    if (s.ScreenState == 36 && s.AdvanceRequested) {
        HideForm(world_.Gui, "G_history");
        if (Y > -600) Y -= float(8 * s.SpeedFactor);
    } else if (Y >= tube_->Y) {
        s.ScrollDone = 1;
    } else {
        Y += float(4 * s.SpeedFactor);
    }
    if (s.ScreenState != 36) {
        KillPart(tube_);
        Dead();
    }
}

tlabdoctor2::tlabdoctor2(const TGameWorld& world, float x, float y)
    : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    SetImageName("doctor2");
    face_.Eyelids = MakePartSprite(Engine, "eyes.image", 128, 183, 1);
    face_.Eyelids->Visible = false;
    face_.Eyepiece = MakePartSprite(Engine, "okular", 119, 185, 2);
    face_.Mouth = MakeAnimatedPart(Engine, "rot", 134, 210, 2, 3, 100, false);
    hand_ = MakeAnimatedPart(Engine, "hand", 235, 210, -2, 2, 5, false);
    hand_->ScaleX = hand_->ScaleY = 0.9f;
    molecule_ = MakeAnimatedPart(Engine, "molek" + std::to_string(world.State->LevelNumber), 380,
                                 80, 2, 13, 100, false);
    molecule_->Visible = false;
}

void tlabdoctor2::Kill() {
    face_.Kill();
    KillPart(hand_);
    KillPart(molecule_);
    Dead();
}

void tlabdoctor2::Move(float Delta) {
    TSprite::Move(Delta);
    TGameState& s = *world_.State;
    if (s.ScreenState == 36 && s.AdvanceRequested) {
        if (Alpha <= 20) {
            HideForm(world_.Gui, "G_history");
            world_.LeaveState(36);
            world_.EnterState(13);
            s.AdvanceRequested = 0;
        } else {
            SetAlpha(Alpha - int(std::lround(3 * s.SpeedFactor)));
            face_.SetAlpha(Alpha);
            hand_->SetAlpha(Alpha);
            molecule_->Visible = false;
            for (int i = 1; i <= 5; ++i)
                SetControlText(world_.Gui, "story" + std::to_string(i), "");
            SetControlText(world_.Gui, "Label7", "");
        }
    } else if (s.ScrollDone) {
        hand_->DoAnimate = true;
        face_.Mouth->DoAnimate = true;
        molecule_->Visible = true;
        SetControlText(world_.Gui, "Label7", "Level " + std::to_string(s.LevelNumber));
        for (int i = 1; i <= 5; ++i)
            SetControlText(world_.Gui, "story" + std::to_string(i), StoryLine(s.LevelNumber, i));
        face_.Talk(world_);
    }
    face_.Blink(s.SpeedFactor);
    if (s.ScreenState != 36) Kill();
}
