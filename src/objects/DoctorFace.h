#pragma once
#include "engine/GfxSprite.h"

struct TGameWorld;

// The face parts every doctor shares: eyelids that show during a blink, the eyepiece and,
// for the talking doctors, a mouth of three patterns. The parts are sprites of the engine;
// their owner places them and kills them with itself.
struct TDoctorFace {
    TSprite* Eyelids = nullptr;
    TSprite* Eyepiece = nullptr;
    TAnimatedSprite* Mouth = nullptr; // none on the title doctor
    double BlinkTimer = 0;
    double TalkTimer = 100;

    // The eyelids are down while the timer runs from 1000 to 1200; then it starts again.
    void Blink(double step);
    // The mouth moves at a new random speed, or pauses, every 100 to 199 ticks.
    void Talk(const TGameWorld& world);
    void SetAlpha(int alpha);
    void Kill();
};
