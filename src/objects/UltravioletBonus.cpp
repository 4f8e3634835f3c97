#include "objects/UltravioletBonus.h"

t7coin_bonus::t7coin_bonus(TGameWorld& world, float x, float y)
    : TSuperBonus(world, x, y, "nothing"), Row(AimedCell(world, x, y).r) {
    X = 800;
    Y = float(State.BoardOriginY + (Row - 1) * 64 + 32);
    world.PlayEffect("lazer");
    Effect.Start(world, "as_laser.pss", X, Y);
}

void t7coin_bonus::Move(float Delta) {
    if (IsDead) return;
    X -= float(8 * State.SpeedFactor);
    Effect.MoveTo(X, Y);
    if (State.BoardOriginX < X && X < State.BoardOriginX + 512)
        MarkCell(State, {CellUnder(State, X, Y).c, Row});
    if (X < State.BoardOriginX - 5) Dead();
}

void t7coin_bonus::Dead() {
    if (!IsDead) HandBack();
    TSuperBonus::Dead();
}
