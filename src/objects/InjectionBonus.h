#pragma once
#include "objects/SuperBonus.h"

// Item 5, Injection: clears the 3 x 3 block around the aimed chip, as the aiming guide last
// recorded it in InjectionMask, after a short pause of eleven ticks.
class t5coin_bonus : public TSuperBonus {
public:
    t5coin_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    double Timer = 0;
};
