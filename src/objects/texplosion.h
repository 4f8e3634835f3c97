#pragma once
#include "engine/GfxSprite.h"

// The burst of a cleared chip: six patterns played once, then gone.
class texplosion : public TAnimatedSprite {
public:
    // (x, y) is the chip's corner; the picture is larger and centred over it.
    texplosion(TSpriteEngine* engine, float x, float y);
    void Move(float Delta) override;
};
