#pragma once
#include "objects/SuperBonus.h"
#include <array>

// Item 2, Fire: burns along a random path of five neighbouring cells from the aimed chip.
class t2coin_bonus : public TSuperBonus {
public:
    t2coin_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
    void Dead() override;

    std::array<TCell, 5> Path;
    int Next = 1; // index into Path of the cell the fire moves to
};

// Five different cells on the board from `start`, each a step left, right, up or down from
// the one before.
std::array<TCell, 5> FirePath(const TGameWorld& world, TCell start);
