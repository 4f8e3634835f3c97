#include "objects/LevelClock.h"
#include "board/GameWorld.h"
#include "engine/XParticles.h"
#include "objects/ObjectSprites.h"
#include <cmath>

void RunLevelClock(TGameState& s) {
    if (s.ScreenState == 13 && s.LevelTimeLeft > 0) s.LevelTimeLeft -= 0.1;
}

const std::array<TSparklePoint, 20> kSparklePoints = {{
    {148, 287}, {118, 229}, {137, 107}, {167, 107}, {197, 107}, {68, 14},  {64, 288},
    {514, 33},  {784, 577}, {783, 36},  {245, 41},  {243, 497}, {44, 196}, {241, 152},
    {785, 255}, {134, 154}, {44, 228},  {146, 538}, {77, 393},  {67, 544},
}};

tclocks::tclocks(const TGameWorld& world, float x, float y) : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    SetImageName("clocks");
    SetZ(1);
    upper_ = MakePartSprite(Engine, "sand1", x + 10, y + 20, -1);
    lower_ = MakePartSprite(Engine, "sand2", x + 10, y + 105, -1);
    glare_ = MakePartSprite(Engine, "blic", x + 7, y + 26, 0);
    int w = 0, h = 0;
    ImageSize(world, "clocks", w, h);
    sand_.Start(world, "gosand.pss", x + w / 2.0, y + h);
    world.State->GamePaused = 0;
}

void tclocks::Move(float Delta) {
    TGameState& s = *world_.State;
    if (s.LeavingPlay) {
        Visible = false;
        upper_->Visible = false;
        lower_->Visible = false;
        glare_->Visible = false;
        return;
    }
    if (s.ScreenState != 13) return;

    if (s.PulseCounter == 0) {
        // The 100 ms timer takes -1 straight back to 5, so one sparkle per six of its ticks.
        s.PulseCounter = -1;
        const int n = RandomInt(world_, 20);
        StartEffect(world_, "Exampel.pss", kSparklePoints[n].X, kSparklePoints[n].Y);
    }

    // Not clamped: after a time bonus the upper sand may stand above full.
    const double r = s.LevelTimeTotal != 0 ? s.LevelTimeLeft / s.LevelTimeTotal : 0.0;
    int w = 0, clockH = 0, upperH = 0, lowerH = 0;
    ImageSize(world_, "clocks", w, clockH);
    ImageSize(world_, "sand1", w, upperH);
    ImageSize(world_, "sand2", w, lowerH);
    // Sprites scale about their centre; moving the centre keeps the upper sand's bottom and
    // the lower sand's bottom where they are.
    upper_->ScaleY = float(r);
    if (s.LevelTimeLeft > 0) upper_->ScaleX = float(std::sqrt(r));
    upper_->Y = float(upperH * (1 - r) / 2 + Y + 20);
    lower_->ScaleY = float(1 - r);
    lower_->Y = float(lowerH * r / 2 + Y + 105);
    if (TXParticleSystem* sand = sand_.System()) sand->Y = Y + clockH / 2.0 - 10;

    if (!(s.LevelTimeLeft > 0)) {
        world_.hooks().EnterGameOver();
        sand_.Stop();
    }
}

void tclocks::Draw() {
    const TGameState& s = *world_.State;
    int w = 0, h = 0;
    ImageSize(world_, "clocks", w, h);
    if (s.ScreenState == 13 && !s.UnderlayCleared) {
        // Coming back from off screen, the stream jumps instead of drawing a streak.
        if (TXParticleSystem* sand = sand_.System()) sand->MoveTo(X + w / 2.0, Y + h, parked_ != 0);
        parked_ = 0;
    } else {
        parked_ = 1;
        sand_.MoveTo(-10, 0);
    }
    if (Visible) sand_.Draw(Engine->Canvas);
    upper_->Draw();
    lower_->Draw();
    TSprite::Draw();
}

void tclocks::Dead() {
    sand_.Stop();
    TSprite::Dead();
}
