#pragma once
#include "board/GameWorld.h"
#include "engine/GfxSprite.h"

// A coin paid in the shop, flying from the coin pile to the item bought. Its steps are per
// tick while its life follows SpeedFactor, so at high frame rates it flies past the item.
class tcoinfly : public TAnimatedSprite {
public:
    tcoinfly(TGameWorld& world, double targetX, double targetY);
    void Move(float Delta) override;

    double TargetX, TargetY;
    double StepX, StepY;
    double Lifetime = 0;

private:
    TGameWorld& world_;
};
