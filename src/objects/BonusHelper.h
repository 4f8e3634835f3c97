#pragma once
#include "board/GameWorld.h"
#include "engine/GfxSprite.h"
#include <array>

// The aiming guide over the board: one pulsing square per cell, shown on the cells that the
// armed super-bonus would hit (or, with nothing armed, on the cell under the pointer). For
// the reagent and the injection it also records the cells they act on (ReagentTargets,
// InjectionMask). Made once per level by the board build; it has no picture of its own.
class tbonus_helper : public TSprite {
public:
    tbonus_helper(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
    void Dead() override;

    // [column][row], 1..8.
    std::array<std::array<TSprite*, 9>, 9> Squares{};
    double Pulse = 255;
    double PulseDirection = 1;

private:
    void Show(int c, int r) { Squares[c][r]->Visible = true; }
    void ScanReagent(TCell aimed);
    void ShowInjection(TCell aimed);

    TGameWorld& world_;
};
