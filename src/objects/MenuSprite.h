#pragma once
#include "engine/GfxSprite.h"
#include <string_view>

// A still picture whose opacity its owner drives (the intro logo fades through it).
class TMenuSprite : public TSprite {
public:
    TMenuSprite(TSpriteEngine* engine, double x, double y, std::string_view imageName);
    // Deliberately still: not even the inherited step runs.
    void Move(float Delta) override {}
};
