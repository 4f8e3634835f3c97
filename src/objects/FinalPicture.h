#pragma once
#include "engine/GfxSprite.h"

struct TGameWorld;

// The closing picture after the last level: the finished vaccine with eleven fireworks,
// about 80 / SpeedFactor ticks apart. When the last has gone off it sets FinalPictureDone,
// and the stage-complete state moves on to the score screens; the picture stays behind
// them. Created by the stage-complete state after level 16; sets FinalPictureShown.
class tfinal : public TSprite {
public:
    tfinal(const TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    double Counter() const { return counter_; }

private:
    const TGameWorld& world_;
    double counter_ = 100;
};
