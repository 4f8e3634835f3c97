#include "objects/PillsBonus.h"
#include "board/BoardModel.h"
#include <cmath>

t6coin_bonus::t6coin_bonus(TGameWorld& world, float x, float y)
    : TSuperBonus(world, x, y, nullptr) {
    double ax, ay;
    AimPoint(world, x, y, ax, ay);
    X = float(ax);
    Y = float(ay);
    const int wanted = 2 + RandomInt(world, 2);
    world.PlayEffect("drugsgo");
    Chosen = ClampToBoard(CellUnder(State, ax + 5, ay + 5));
    const int colour = State.ColourGrid[Chosen.c][Chosen.r];
    int launched = 0;
    for (int c = 1; c <= BoardSize && launched < wanted; ++c)
        for (int r = 1; r <= BoardSize && launched < wanted; ++r)
            if (State.ColourGrid[c][r] == colour && !(TCell{c, r} == Chosen)) {
                new ttabletkass(world, ax, ay, CellX(State, c), CellY(State, r));
                ++launched;
            }
    State.PendingTargets = launched;
    MarkCell(State, Chosen);
}

void t6coin_bonus::Move(float Delta) {
    if (IsDead) return;
    if (State.PendingTargets <= 0 && ++Counter >= 8) {
        HandBack();
        Dead();
    }
}

ttabletkass::ttabletkass(TGameWorld& world, double x, double y, double targetX, double targetY)
    : TEffectSprite(world), TargetX(targetX), TargetY(targetY) {
    SetAnim("TTTTT", 1, 13, 200, true, false, true, 0);
    AnimPos = 1;
    SetZ(10);
    X = float(x);
    Y = float(y);
    const double sf = world.State->SpeedFactor;
    StepX = std::abs(targetX - x) / 70 * sf;
    StepY = std::abs(targetY - y) / 70 * sf;
    Effect.Start(world, "shleif1.pss", X + 20, Y + 20);
}

void ttabletkass::Move(float Delta) {
    if (IsDead) return;
    TAnimatedSprite::Move(Delta);
    TGameState& s = *World.State;
    if (TargetX - 20 < X && X < TargetX + 20 && TargetY - 20 < Y && Y < TargetY + 20)
        MarkCell(s, CellUnder(s, TargetX + 5, TargetY + 5));
    if (s.BoardPhase == PhaseBurst) Dead();
    if (X > TargetX) X -= float(StepX);
    if (X < TargetX) X += float(StepX);
    if (Y > TargetY) Y -= float(StepY);
    if (Y < TargetY) Y += float(StepY);
    if (!Arrived && TargetX - 10 < X && X < TargetX + 10 && TargetY - 10 < Y && Y < TargetY + 10) {
        Arrived = true;
        s.PendingTargets -= 1;
    }
    Effect.MoveTo(X + 20, Y + 20);
}
