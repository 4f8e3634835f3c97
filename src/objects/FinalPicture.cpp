#include "objects/FinalPicture.h"
#include "board/GameWorld.h"
#include "objects/ObjectSupport.h"
#include <cmath>

tfinal::tfinal(const TGameWorld& world, float x, float y) : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    SetImageName("finalpicture");
    SetZ(50);
    world.State->FinalPictureShown = 1;
}

void tfinal::Move(float Delta) {
    TGameState& s = *world_.State;
    if (counter_ > 0) {
        counter_ -= 0.1 * s.SpeedFactor;
        // One firework at each multiple of 10; stepping past it makes each one go off once.
        if (std::lround(counter_) % 10 == 0) {
            counter_ -= 2;
            const int x = 10 + RandomInt(world_, 790); // drawn first
            const int y = 10 + RandomInt(world_, 590);
            StartEffect(world_, "vdfvd.pss", x, y);
        }
    }
    if (counter_ <= 0) s.FinalPictureDone = 1;
}
