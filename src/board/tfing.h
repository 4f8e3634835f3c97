#pragma once
#include "engine/GfxSprite.h"

struct TGameWorld;

// The bought hint: an arrow laid across the two chips of one possible swap, rocking gently.
// It goes at the next mouse press or as soon as the board starts moving.
class tfing : public TSprite {
public:
    // (x1, y1) and (x2, y2) are the top-left corners of the two cells of the swap.
    tfing(TSpriteEngine* engine, TGameWorld& world, float x1, float y1, float x2, float y2);

    double BaseAngle = 0;
    double RockDirection = 1.0;
    double RockAngle = 0;

    void Move(float Delta) override;

private:
    TGameWorld& world_;
};

inline constexpr int HintPrice = 1000;

// The hint button "G_help": for HintPrice points, an arrow on the first move the board's move
// search finds. Only while the board waits; the points are spent even when no move is found.
void HintButtonClick(TGameWorld& world);
