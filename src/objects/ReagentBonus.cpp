#include "objects/ReagentBonus.h"
#include "board/BoardModel.h"

std::array<TCell, 6> ReagentCells(const TGameState& s, TCell aimed) {
    std::array<TCell, 6> targets{};
    auto taken = [&](TCell cell) {
        for (int i = 1; i <= 5; ++i)
            if (targets[i] == cell) return true;
        return false;
    };
    for (int colour = 1; colour <= 5; ++colour) {
        const TCell recorded{s.ReagentTargets[colour][0], s.ReagentTargets[colour][1]};
        if (OnBoard(recorded) && !taken(recorded)) targets[colour] = recorded;
    }
    const int aimedColour = OnBoard(aimed) ? s.ColourGrid[aimed.c][aimed.r] : 0;
    for (int colour = 1; colour <= 5; ++colour) {
        if (OnBoard(targets[colour])) continue;
        if (colour == aimedColour && !taken(aimed)) {
            targets[colour] = aimed;
            continue;
        }
        for (int c = 1; c <= BoardSize && !OnBoard(targets[colour]); ++c)
            for (int r = 1; r <= BoardSize; ++r)
                if (s.ColourGrid[c][r] == colour && !taken({c, r})) {
                    targets[colour] = {c, r};
                    break;
                }
    }
    return targets;
}

t4coin_bonus::t4coin_bonus(TGameWorld& world, float x, float y)
    : TSuperBonus(world, x, y, "nothing"),
      Targets(ReagentCells(*world.State, AimedCell(world, x, y))) {
    State.PendingTargets = 0;
    for (int colour = 1; colour <= 5; ++colour)
        if (OnBoard(Targets[colour])) {
            State.PendingTargets += 1;
            new tbubble(world, Targets[colour]);
        }
    world.PlayEffect("bubble");
}

void t4coin_bonus::Move(float Delta) {
    if (IsDead) return;
    if (State.PendingTargets <= 0) {
        HandBack();
        Dead();
    }
}

tbubble::tbubble(TGameWorld& world, TCell target) : TEffectSprite(world), Target(target) {
    TX = CellX(*world.State, target.c) + 32;
    TY = CellY(*world.State, target.r) + 32;
    X = float(TX);
    Y = 0;
    Effect.Start(world, "puzyrek.pss", X, Y);
}

void tbubble::Move(float Delta) {
    if (IsDead) return;
    TGameState& s = *World.State;
    const double sf = s.SpeedFactor;
    if (Y <= TY - 10 || Y >= TY + 10) {
        if (X > TX + 16) Direction = -1;
        if (X < TX - 16) Direction = 1;
        X += float(Direction * sf);
        Y += float(2 * 2 * sf);
    } else {
        SetAlpha(Alpha - 2);
        if (Alpha > 219) MarkCell(s, Target);
        if (Alpha == 219) s.PendingTargets -= 1;
        if (Alpha < 2) Dead();
    }
    Effect.MoveTo(X, Y);
}
