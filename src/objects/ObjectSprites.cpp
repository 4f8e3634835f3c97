#include "objects/ObjectSprites.h"

TSprite* MakePartSprite(TSpriteEngine* engine, std::string_view image, float x, float y, int z) {
    auto* part = new TSprite(engine);
    part->SetImageName(image);
    part->X = x;
    part->Y = y;
    part->SetZ(z);
    return part;
}

TAnimatedSprite* MakeAnimatedPart(TSpriteEngine* engine, std::string_view image, float x, float y,
                                  int z, int count, float speed, bool animating) {
    auto* part = new TAnimatedSprite(engine);
    part->SetAnim(image, 0, count, speed, true, false, animating, 0);
    part->X = x;
    part->Y = y;
    part->SetZ(z);
    return part;
}

void KillPart(TSprite* part) {
    if (part) part->Dead();
}
