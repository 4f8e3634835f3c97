#include "board/tfing.h"
#include "board/BoardModel.h"
#include "board/GameWorld.h"
#include "board/Matching.h"

namespace {
constexpr double kRockLimit = 0.15707963; // a twentieth of a half turn either way
constexpr double kVertical = 4.712389;    // three quarters of a turn
} // namespace

tfing::tfing(TSpriteEngine* engine, TGameWorld& world, float x1, float y1, float x2, float y2)
    : TSprite(engine), world_(world) {
    SetImageName("strelka");
    SetDrawMode(1);
    // Across the border between the two cells.
    if (y1 == y2) {
        Angle = 0;
        X = (x1 + x2) / 2 + 32;
        Y = y1;
    } else {
        Angle = float(kVertical);
        X = x1;
        Y = (y1 + y2) / 2 + 32;
    }
    BaseAngle = Angle;
    SetZ(4);
    Visible = true;
}

void tfing::Move(float Delta) {
    const TGameState& s = *world_.State;
    if (RockAngle > kRockLimit) RockDirection = -1.0;
    if (RockAngle < -kRockLimit) RockDirection = 1.0;
    RockAngle += RockDirection * s.SpeedFactor * 0.01;
    Angle = float(BaseAngle + RockAngle);
    if (s.MouseHeld || s.BoardPhase > 0) Dead();
}

void HintButtonClick(TGameWorld& world) {
    world.PlayEffect("check");
    TGameState& s = *world.State;
    if (s.GetScore() < HintPrice || s.BoardPhase != PhaseWaiting) return;
    s.AddScore(-HintPrice);
    if (std::optional<TMoveFound> move = FindFirstMove(s))
        new tfing(world.Engine, world, CellX(s, move->first.c), CellY(s, move->first.r),
                  CellX(s, move->second.c), CellY(s, move->second.r));
}
