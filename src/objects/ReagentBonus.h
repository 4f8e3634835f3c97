#pragma once
#include "objects/SuperBonus.h"
#include <array>

// Item 4, Reagent: a bubble sinks onto one chip of each colour. The cells are those the
// aiming guide recorded while the item was armed (ReagentTargets). The guide's single scan
// can leave colours without a cell; such a colour gets the first chip of it in column
// order that no other bubble aims at (for the aimed chip's own colour, the aimed chip), and
// a colour missing from the board gets no bubble. The item ends when every bubble launched
// has dissolved into its cell.
class t4coin_bonus : public TSuperBonus {
public:
    t4coin_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    // By colour 1..5; column 0 for a colour without a bubble.
    std::array<TCell, 6> Targets{};
};

// The reagent's cell for each colour 1..5, as described above.
std::array<TCell, 6> ReagentCells(const TGameState& s, TCell aimed);

// One bubble: it sinks from the top of the screen with a sideways wobble onto the centre of
// its cell, then fades there, marking the cell until it is nearly clear.
class tbubble : public TEffectSprite<TSprite> {
public:
    tbubble(TGameWorld& world, TCell target);
    void Move(float Delta) override;

    TCell Target;
    double TX, TY; // the cell's centre
    double Direction = 1;
};
