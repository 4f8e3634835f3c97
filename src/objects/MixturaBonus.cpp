#include "objects/MixturaBonus.h"
#include "board/BoardModel.h"
#include <cmath>

t1coin_bonus::t1coin_bonus(TGameWorld& world, float x, float y)
    : TSuperBonus(world, x, y, nullptr) {
    const TCell aimed = AimedCell(world, x, y);
    const int colour = State.ColourGrid[aimed.c][aimed.r];
    State.PendingTargets = 0;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r)
            if (State.ColourGrid[c][r] == colour) {
                State.PendingTargets += 1;
                new tklaksa(world, CellX(State, aimed.c), CellY(State, aimed.r), {c, r});
            }
}

void t1coin_bonus::Move(float Delta) {
    if (IsDead) return;
    if (State.PendingTargets <= 0) {
        HandBack();
        Dead();
    }
}

tklaksa::tklaksa(TGameWorld& world, float x, float y, TCell target)
    : TEffectSprite(world), Target(target) {
    const TGameState& s = *world.State;
    X = x;
    Y = y;
    TX = CellX(s, target.c);
    TY = CellY(s, target.r);
    // Close to SpeedFactor on both axes; a board at the screen's edge would divide by 0.
    const double sf = s.SpeedFactor;
    StepX = TX != 0 ? std::abs(TX - target.c) / TX * sf : sf;
    StepY = TY != 0 ? std::abs(TY - target.r) / TY * sf : sf;
    if (StepX <= 0) StepX = sf;
    Effect.Start(world, "klaksa.pss", X, Y);
}

void tklaksa::Move(float Delta) {
    if (IsDead) return;
    TGameState& s = *World.State;
    if (TX + 17 <= X && X <= TX + 47 && TY + 17 <= Y && Y <= TY + 47) MarkCell(s, Target);
    const double tx = TX + 32, ty = TY + 32;
    if (std::abs(X - tx) > 10 || std::abs(Y - ty) > 10) {
        const double sx = 4 * StepX, sy = 4 * StepY * StepY / StepX;
        if (X < tx) X += float(sx);
        if (X > tx) X -= float(sx);
        if (Y < ty) Y += float(sy);
        if (Y > ty) Y -= float(sy);
    } else {
        MarkCell(s, Target);
        if (!Arrived) {
            Arrived = true;
            World.PlayEffect("mixturago");
            s.PendingTargets -= 1;
        }
    }
    if (s.BoardPhase == PhaseBurst) Dead();
    Effect.MoveTo(X, Y);
}
