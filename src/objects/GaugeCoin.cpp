#include "objects/GaugeCoin.h"
#include "objects/FlyingBonuses.h"
#include <cmath>

tcoin2bonus::tcoin2bonus(TGameWorld& world, float x, float y)
    : TAnimatedSprite(world.Engine), world_(world) {
    SetAnim("moneta_bonus", 0, 12, 400, true, false, true, 0);
    SetZ(10);
    X = x;
    Y = y;
    const double sf = world.State->SpeedFactor;
    StepX = std::abs(400.0 - x) / 50 * sf;
    StepY = std::abs(300.0 - y) / 50 * sf;
}

void tcoin2bonus::Move(float Delta) {
    if (IsDead) return;
    TAnimatedSprite::Move(Delta);
    X += float(StepX);
    Y += float(StepY);
    // A coin released at the hand-over point itself has no way to go: hand over at once.
    if (X > 400 || StepX <= 0) {
        new tmoneta_bonus(world_, 400, 300);
        Dead();
    }
}
