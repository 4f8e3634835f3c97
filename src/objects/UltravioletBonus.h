#pragma once
#include "objects/SuperBonus.h"

// Item 7, Ultraviolet: a beam enters from the right edge of the screen along the aimed row
// and strikes every cell of it on its way out to the left of the board.
class t7coin_bonus : public TSuperBonus {
public:
    t7coin_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
    void Dead() override;

    int Row;
};
