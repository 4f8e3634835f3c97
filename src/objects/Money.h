#pragma once
#include "board/GameWorld.h"
#include "engine/GfxSprite.h"

// "+N" rising from a cleared cell with the points that chip won, fading out.
class tmoney : public TSprite {
public:
    tmoney(TGameWorld& world, float x, float y, int points);
    void Move(float Delta) override;

    int Points;
    double Fade = 255;

private:
    TGameWorld& world_;
};
