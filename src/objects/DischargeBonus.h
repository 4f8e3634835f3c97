#pragma once
#include "objects/SuperBonus.h"
#include <array>

// Item 3, Electrical discharge: a bolt runs in straight strokes through the aimed chip and
// four random cells, all in different rows and different columns, marking each cell as it
// passes its centre, however far one tick carries it.
class t3coin_bonus : public TSuperBonus {
public:
    t3coin_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
    void Dead() override;

    std::array<TCell, 5> Cells;
    // Points 24..120 of the bolt: cell k's centre at 24k, 24 equal steps between centres.
    std::array<std::array<double, 2>, 121> Path{};
    double Progress = 25;
    int Reached = 25; // the last path point whose cell centre was checked
};

// The aimed cell and four more, every one in a row and a column of its own.
std::array<TCell, 5> DischargeCells(const TGameWorld& world, TCell start);
