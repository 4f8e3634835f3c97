#pragma once
#include "board/GameWorld.h"
#include "engine/GfxSprite.h"

// The coin a full combo gauge releases: it slides right and down to the middle of the screen
// and turns into a coin bonus there, which then flies to the coin counter and pays.
class tcoin2bonus : public TAnimatedSprite {
public:
    tcoin2bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    double StepX, StepY;

private:
    TGameWorld& world_;
};
