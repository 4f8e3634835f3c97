#pragma once
#include "engine/GfxSprite.h"
#include <string_view>

// Small helpers for objects made of several sprites.

// A still part of a larger object, owned by the engine like any sprite.
TSprite* MakePartSprite(TSpriteEngine* engine, std::string_view image, float x, float y, int z);
TAnimatedSprite* MakeAnimatedPart(TSpriteEngine* engine, std::string_view image, float x, float y,
                                  int z, int count, float speed, bool animating);
// Marks a part dead; null is allowed.
void KillPart(TSprite* part);
