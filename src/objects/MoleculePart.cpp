#include "objects/MoleculePart.h"
#include "board/GameWorld.h"
#include <cmath>
#include <string>

namespace {
constexpr double kMouthX = 60, kMouthY = 205;
}

tmolekulpart::tmolekulpart(const TGameWorld& world, float x, float y)
    : TAnimatedSprite(world.Engine), world_(world) {
    TGameState& s = *world.State;
    s.PartImageCounter = s.PartImageCounter >= 8 ? 1 : s.PartImageCounter + 1;
    SetAnim("molekul_part" + std::to_string(s.PartImageCounter), 0, 13, 400, true, false, true, 0);
    X = x;
    Y = y;
    SetZ(9);
    stepX_ = std::fabs(kMouthX - x) / kMouthX * s.SpeedFactor;
    stepY_ = std::fabs(kMouthY - y) / kMouthY * s.SpeedFactor;
    trail_.Start(world, "shleif1.pss", x + 20, y + 20);
}

void tmolekulpart::Move(float Delta) {
    TAnimatedSprite::Move(Delta);
    // The trail streams from the middle of the part, where it was started.
    trail_.MoveTo(X + 20, Y + 20);
    // A part arrives once, even if it is moved again before the engine frees it.
    if (X < 80 && !IsDead) {
        StartEffect(world_, "vzryvmolekuly.pss", std::lround(X) + 40, std::lround(Y) + 10);
        RunGoalCheck(*world_.State);
        world_.PlayEffect("addpart");
        Dead();
    }
    // Each test sees the value the one before left.
    if (X > kMouthX) X -= float(stepX_);
    if (Y > kMouthY) Y -= float(4 * stepY_);
    if (X < kMouthX) X += float(stepX_);
    if (Y < kMouthY) Y += float(4 * stepY_);
}

void tmolekulpart::Draw() {
    trail_.Draw(Engine->Canvas);
    TAnimatedSprite::Draw();
}

void tmolekulpart::Dead() {
    // The last part to die leaves the answer: was the underlay already gone when it came?
    world_.State->PartsDelivered = world_.State->UnderlayCount <= 0;
    trail_.Stop();
    TAnimatedSprite::Dead();
}

tmolekulpart* CreateMoleculePart(const TGameWorld& world, float x, float y) {
    if (!world.Engine || !world.State) return nullptr;
    return new tmolekulpart(world, x, y);
}
