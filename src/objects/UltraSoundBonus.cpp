#include "objects/UltraSoundBonus.h"
#include "shell/GameState.h"

t8coin_bonus::t8coin_bonus(TGameWorld& world, float x, float y)
    : TSuperBonus(world, x + 32, -20, "nothing") {
    world.PlayEffect("sound");
    Effect.Start(world, "as_volna.pss", X, Y);
}

void t8coin_bonus::Move(float Delta) {
    if (IsDead) return;
    Timer += Delta;
    Effect.MoveTo(X, Y);
    if (TimerPast(Timer, 0.1)) {
        const int column = CellUnder(State, X, State.BoardOriginY).c;
        for (int r = 1; r <= BoardSize; ++r) MarkCell(State, {column, r});
    }
    if (TimerPast(Timer, 0.11)) Dead();
}

void t8coin_bonus::Dead() {
    if (!IsDead) HandBack();
    TSuperBonus::Dead();
}
