#include "objects/SuperBonus.h"

TSuperBonus::TSuperBonus(TGameWorld& world, float x, float y, const char* image, bool keepMask)
    : TSprite(world.Engine), World(world), State(*world.State) {
    X = x;
    Y = y;
    if (image) {
        SetImageName(image);
        SetZ(10);
    }
    State.BoardPhase = PhaseSuperBonus;
    State.SwapLocked = 0;
    if (!keepMask) KeepAllCells(State);
}

void TSuperBonus::Draw() {
    Effect.Draw(Engine->Canvas);
    TSprite::Draw();
}

void TSuperBonus::Dead() {
    Effect.Stop();
    TSprite::Dead();
}

void TSuperBonus::HandBack() { State.BoardPhase = PhaseBurst; }
