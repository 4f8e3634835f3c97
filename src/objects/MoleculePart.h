#pragma once
#include "engine/GfxSprite.h"
#include "objects/ObjectSupport.h"

struct TGameWorld;

// A molecule part released by a cleared underlay tile. It flies to the flask's mouth at
// (60, 205), covering its horizontal distance in about 60 / SpeedFactor ticks wherever it
// starts, and arrives once it is left of x 80. Consecutive parts cycle through eight
// pictures.
class tmolekulpart : public TAnimatedSprite {
public:
    tmolekulpart(const TGameWorld& world, float x, float y);
    void Move(float Delta) override;
    void Draw() override;
    void Dead() override;

    double StepX() const { return stepX_; }
    double StepY() const { return stepY_; }
    const TOwnedEffect& Trail() const { return trail_; }

private:
    const TGameWorld& world_;
    double stepX_, stepY_;
    TOwnedEffect trail_;
};

// What the underlay calls for each tile that loses its last layer (the board's
// TGameHooks::CreateMoleculePart).
tmolekulpart* CreateMoleculePart(const TGameWorld& world, float x, float y);
