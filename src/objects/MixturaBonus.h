#pragma once
#include "objects/SuperBonus.h"

// Item 1, Mixtura: a blot flies from the aimed chip to every chip of its colour (the aimed
// one included); the item ends once the last blot has arrived.
class t1coin_bonus : public TSuperBonus {
public:
    t1coin_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
};

// One blot of Mixtura, flying from (x, y) to the centre of its cell and marking it once it
// is over the cell's middle.
class tklaksa : public TEffectSprite<TSprite> {
public:
    tklaksa(TGameWorld& world, float x, float y, TCell target);
    void Move(float Delta) override;

    TCell Target;
    double TX, TY; // the target cell's top-left corner
    double StepX, StepY;
    bool Arrived = false;
};
