#include "objects/texplosion.h"

texplosion::texplosion(TSpriteEngine* engine, float x, float y) : TAnimatedSprite(engine) {
    SetAnim("expl", 0, 6, 300, false, 0);
    AnimPos = 0;
    SetX(x - 20);
    SetY(y - 20);
    SetZ(5);
}

void texplosion::Move(float Delta) {
    TAnimatedSprite::Move(Delta);
    if (AnimEnded) Dead();
}
