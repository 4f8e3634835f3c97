#include "objects/InjectionBonus.h"

t5coin_bonus::t5coin_bonus(TGameWorld& world, float x, float y)
    : TSuperBonus(world, x, y, nullptr, true) {
    world.PlayEffect("spricgo");
    State.MatchMask = State.InjectionMask;
}

void t5coin_bonus::Move(float Delta) {
    if (IsDead) return;
    Timer += Delta;
    State.MatchMask = State.InjectionMask;
    if (TimerPast(Timer, 0.01)) {
        HandBack();
        Dead();
    }
}
