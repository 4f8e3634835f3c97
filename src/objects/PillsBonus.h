#pragma once
#include "objects/SuperBonus.h"

// Item 6, Pills: the aimed chip and two or three more of its colour (the first ones in
// column order); a pill flies to each of the others. The item ends eight ticks after the
// last pill has arrived.
class t6coin_bonus : public TSuperBonus {
public:
    t6coin_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    TCell Chosen;
    int Counter = 0;
};

// A pill tumbling from the aim point to the top-left corner of its cell, with a trail.
class ttabletkass : public TEffectSprite<TAnimatedSprite> {
public:
    ttabletkass(TGameWorld& world, double x, double y, double targetX, double targetY);
    void Move(float Delta) override;

    double TargetX, TargetY;
    double StepX, StepY;
    bool Arrived = false;
};
