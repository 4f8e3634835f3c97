#pragma once
#include "board/Layouts.h"
#include "engine/GfxSprite.h"
#include <array>

struct TGameWorld;

// The level's underlay: one tile picture per cell under the chips, pulsing gently. At a
// burst it wears the tiles of the cleared cells (a tile that is gone sends a molecule part
// to the flask), and on the first burst of a move it plays the burst and leaves an
// explosion and the bonus object of each cleared chip.
class podlarray : public TSprite {
public:
    // Tile pictures for the counts of underlay (the board build's, for LevelNumber).
    podlarray(TSpriteEngine* engine, TGameWorld& world, const TUnderlay& underlay);

    TUnderlay Underlay;
    // Tile pictures [column][row], 1..8; sprites of the engine.
    std::array<std::array<TSprite*, BoardSize + 1>, BoardSize + 1> Tiles{};
    double PulseAlpha = 255.0;
    double PulseDirection = 1.0;

    void Move(float Delta) override;
    // Removes the tiles with it.
    void Dead() override;

private:
    TGameWorld& world_;
};
