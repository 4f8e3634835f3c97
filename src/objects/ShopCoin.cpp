#include "objects/ShopCoin.h"
#include "objects/ObjectSupport.h"

namespace {
constexpr double kStartX = 423, kStartY = 523;
}

tcoinfly::tcoinfly(TGameWorld& world, double targetX, double targetY)
    : TAnimatedSprite(world.Engine), TargetX(targetX), TargetY(targetY),
      StepX((kStartX - targetX) / 20), StepY((kStartY - targetY) / 20), world_(world) {
    SetAnim("moneta_bonus", 0, 12, 400, true, false, true, 0);
    SetZ(10);
    X = float(kStartX);
    Y = float(kStartY);
}

void tcoinfly::Move(float Delta) {
    if (IsDead) return;
    TAnimatedSprite::Move(Delta);
    X -= float(StepX);
    Y -= float(StepY);
    Lifetime += world_.State->SpeedFactor;
    if (Lifetime >= 21) {
        StartEffect(world_, "bonus_dead.pss", X, Y - 32);
        world_.PlayEffect("ok");
        Dead();
    }
}
