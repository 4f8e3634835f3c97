#pragma once
#include "objects/SuperBonus.h"

// Item 8, Ultra sound: a wave from above the screen strikes the whole column of the chosen
// chip, about a second after it is placed.
class t8coin_bonus : public TSuperBonus {
public:
    t8coin_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
    void Dead() override;

    double Timer = 0;
};
