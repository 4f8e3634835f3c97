#include "objects/TitleDoctor.h"
#include "board/GameWorld.h"
#include "objects/Branches.h"
#include "objects/ObjectSprites.h"
#include "objects/ObjectSupport.h"
#include "sound/SoundSystem.h"

namespace {

struct TPoint {
    int x, y;
};
// The lenses and tubes of the hall that catch the light.
constexpr TPoint kTitleSparkles[7] = {{516, 227}, {516, 284}, {516, 339}, {516, 394},
                                      {516, 451}, {516, 507}, {358, 156}};

} // namespace

Ttitledoctor::Ttitledoctor(const TGameWorld& world, float x, float y)
    : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    // The body is part of the backdrop; only the face parts move.
    SetImageName("nothing");
    face_.Eyelids = MakePartSprite(Engine, "eyes.image", 128, 183, 1);
    face_.Eyelids->ScaleX = face_.Eyelids->ScaleY = 1.5f;
    face_.Eyelids->Visible = false;
    face_.Eyepiece = MakePartSprite(Engine, "okular", 304, 147, 2);
    face_.Eyepiece->ScaleX = face_.Eyepiece->ScaleY = 1.1f;
    backdrop_ = MakePartSprite(Engine, "entrance", 0, 0, -3);
    branches_ = new tvetki(world, 10, 30);
}

void Ttitledoctor::Move(float Delta) {
    TSprite::Move(Delta);
    TGameState& s = *world_.State;
    if (s.ScreenState == 4 && s.PulseCounter == 0) {
        s.PulseCounter = -1;
        const TPoint p = kTitleSparkles[RandomInt(world_, 7)];
        StartEffect(world_, "Exampel.pss", p.x, p.y);
    }
    face_.Blink(s.SpeedFactor);

    if (!s.AdvanceRequested) return;
    if (!fading_) {
        fading_ = true;
        fade_ = 256;
    }
    fade_ -= 3 * s.SpeedFactor;
    const int alpha = int(fade_ - 1);
    face_.Eyepiece->SetAlpha(alpha);
    SetAlpha(alpha);
    face_.Eyelids->SetAlpha(alpha);
    backdrop_->SetAlpha(alpha);
    if (fade_ > 100) return;

    if (world_.Sound) {
        world_.Sound->StopSong(1);
        world_.Sound->PlaySong(2);
    }
    world_.EnterState(s.ShowStory ? 34 : 36);
    KillPart(backdrop_);
    face_.Kill();
    s.AdvanceRequested = 0;
    Dead();
}
