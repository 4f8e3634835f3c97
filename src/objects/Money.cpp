#include "objects/Money.h"
#include "objects/ObjectSupport.h"
#include <cmath>
#include <string>

tmoney::tmoney(TGameWorld& world, float x, float y, int points)
    : TSprite(world.Engine), Points(points), world_(world) {
    X = x;
    Y = y;
}

void tmoney::Move(float Delta) {
    if (IsDead) return;
    if (Fade <= 10) {
        Dead();
        return;
    }
    Fade -= 2;
    Y -= float(world_.State->SpeedFactor);
    DrawGameText(world_, 0, "+" + std::to_string(Points), X, Y,
                 TextColour(0xFFFFFF, int(std::lround(Fade))));
}
