#include "objects/FlyingBonuses.h"
#include "engine/GuiControls.h"
#include "objects/ObjectSupport.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kShuffleButtons[3] = {"G_mix1", "G_mix2", "G_mix3"};

// One step of v towards target, landing on it rather than past it.
double StepTowards(double v, double target, double step) {
    if (v > target) return std::max(v - step, target);
    if (v < target) return std::min(v + step, target);
    return v;
}

} // namespace

int ShuffleChargesShown(const TGameWorld& world) {
    int shown = 0;
    for (const char* name : kShuffleButtons) {
        const TGuiControl* button = FindGameControl(world, name);
        shown += button && button->Visible();
    }
    return shown;
}

TFlyingBonus::TFlyingBonus(TGameWorld& world, float x, float y, double targetX, double targetY,
                           double divisorX, double divisorY)
    : TAnimatedSprite(world.Engine), TargetX(targetX), TargetY(targetY), World(world) {
    X = x;
    Y = y;
    const double sf = world.State->SpeedFactor;
    StepX = std::abs(targetX - x) / divisorX * sf;
    StepY = std::abs(targetY - y) / divisorY * sf;
    DoAnimate = false;
}

bool TFlyingBonus::AtTarget() const {
    return TargetX - 10 < X && X < TargetX + 10 && TargetY - 10 < Y && Y < TargetY + 10;
}

void TFlyingBonus::Steer(double scale) {
    const double q = TargetY / TargetX;
    X = float(StepTowards(X, TargetX, scale * StepX));
    Y = float(StepTowards(Y, TargetY, scale * q * StepY));
}

void TFlyingBonus::Arrive() {
    StartEffect(World, "vzryvmolekuly.pss", std::lround(X) + 40, std::lround(Y) + 10);
    RunGoalCheck(*World.State);
    Dead();
}

ttime_bonus::ttime_bonus(TGameWorld& world, float x, float y)
    : TFlyingBonus(world, x, y, 10, 10, 10, 10) {
    SetImageName("bonus1");
    SetZ(9);
    world.PlayEffect("clock");
}

void ttime_bonus::Move(float Delta) {
    // A bonus pays once, even when the board runs an extra move pass before it is freed.
    if (IsDead) return;
    if (AtTarget()) {
        Arrive();
        World.State->LevelTimeLeft += 20;
    }
    Steer(1.0 / 8);
}

tmoneta_bonus::tmoneta_bonus(TGameWorld& world, float x, float y)
    : TFlyingBonus(world, x, y, 130, 170, 130, 170) {
    SetAnim("moneta_bonus", 0, 12, 400, true, false, true, 0);
    SetZ(9);
    world.PlayEffect("newcoin");
}

void tmoneta_bonus::Move(float Delta) {
    if (IsDead) return;
    TAnimatedSprite::Move(Delta);
    if (AtTarget()) {
        Arrive();
        World.State->Coins += 1;
    }
    Steer(1.0);
}

tcristal_bonus::tcristal_bonus(TGameWorld& world, float x, float y)
    : TFlyingBonus(world, x, y, 215, 316, 30, 30) {
    SetImageName("bonus4");
    SetZ(9);
    world.PlayEffect("combogo");
}

void tcristal_bonus::Move(float Delta) {
    if (IsDead) return;
    if (X > 215) X -= float(StepX);
    if (Y > 316) Y -= float(StepY);
    if (Y < 316) Y += float(StepY);
    if (X <= 215) {
        StartEffect(World, "vzryvmolekuly.pss", 215, 316);
        World.State->ChainMeter += 2;
        Dead();
    }
}

tperemeshka_bonus::tperemeshka_bonus(TGameWorld& world, float x, float y)
    : TFlyingBonus(world, x, y, 140, 120, 140, 120) {
    SetAnim("peremeshka_bonus", 0, 12, 400, true, false, true, 0);
    SetZ(19);
}

void tperemeshka_bonus::Move(float Delta) {
    if (IsDead) return;
    if (ShuffleChargesShown(World) == 3) {
        Dead();
        return;
    }
    TAnimatedSprite::Move(Delta);
    if (AtTarget()) {
        Arrive();
        for (const char* name : kShuffleButtons) {
            TGuiControl* button = FindGameControl(World, name);
            if (button && !button->Visible()) {
                button->Show();
                break;
            }
        }
    }
    Steer(2.0);
}
