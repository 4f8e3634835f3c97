#include "objects/Branches.h"
#include "board/GameWorld.h"
#include "objects/ObjectSprites.h"
#include <cmath>
#include <numbers>

tvetki::tvetki(const TGameWorld& world, float x, float y) : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    struct TPlace {
        const char* image;
        float x, y;
        double rate;
        float baseAngle;
    };
    const float tilt = float(std::numbers::pi / 10);
    const TPlace places[4] = {
        {"vetka", x - 15, y + 50, 0.0005, tilt},
        {"vetka", x - 15, y + 50, 0.001, tilt},
        {"vetka2", 810, y + 200, 0.0001, 0},
        {"vetka2", 810, y + 200, 0.0004, 0},
    };
    for (int i = 0; i < 4; ++i) {
        TBranch& b = branches_[i];
        b.Sprite = MakePartSprite(Engine, places[i].image, places[i].x, places[i].y, 0);
        b.Sprite->SetDrawMode(1);
        b.Rate = places[i].rate;
        b.BaseAngle = places[i].baseAngle;
        b.Sprite->Angle = b.BaseAngle;
    }
}

void tvetki::Move(float Delta) {
    const TGameState& s = *world_.State;
    for (TBranch& b : branches_) {
        b.Phase += b.Direction * b.Rate * s.SpeedFactor;
        b.Sprite->Angle = float(std::sin(b.Phase) * 0.5) + b.BaseAngle;
        if (!(b.Phase > 0 && b.Phase < std::numbers::pi)) b.Direction = -b.Direction;
    }
    if (s.ScreenState == 34 || s.ScreenState == 36) {
        for (TBranch& b : branches_) KillPart(b.Sprite);
        Dead();
    }
}
