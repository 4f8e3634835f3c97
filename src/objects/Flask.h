#pragma once
#include "engine/GfxSprite.h"
#include "objects/ObjectSupport.h"

struct TGameWorld;

// The flask on the left of the playing screen. While the level runs the molecule inside
// turns and grows more opaque as underlay tiles go; once the underlay is cleared and the
// last molecule part has arrived it grows to 1.5, pays a coin two seconds later and
// completes the stage (LevelDone) after three. The shell's 100 ms timer counts FlaskTimer
// while FlaskGrown is set. One per level, made by the level setup at (40, 225).
class tcolba : public TSprite {
public:
    tcolba(const TGameWorld& world, float x, float y);
    void Move(float Delta) override;
    void Draw() override;
    void Dead() override;

    TAnimatedSprite* Molecule() const { return molecule_; }
    TSprite* Mixture() const { return mixture_; }
    TSprite* Glare() const { return glare_; }
    const TOwnedEffect& Bubbles() const { return bubbles_; }
    const TOwnedEffect& Smoke() const { return smoke_; }

private:
    const TGameWorld& world_;
    TAnimatedSprite* molecule_;
    TSprite* mixture_;
    TSprite* glare_;
    TOwnedEffect bubbles_, smoke_;
};
