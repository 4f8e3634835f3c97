#include "objects/MenuSprite.h"

TMenuSprite::TMenuSprite(TSpriteEngine* engine, double x, double y, std::string_view imageName)
    : TSprite(engine) {
    X = float(x);
    Y = float(y);
    SetImageName(imageName);
    SetZ(500);
    Alpha = 0;
    CollideMode = 1;
    CanCollide = false;
}
