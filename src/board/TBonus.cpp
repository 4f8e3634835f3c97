#include "board/TBonus.h"
#include "board/GameWorld.h"
#include "board/TFishka.h"
#include "engine/Random.h"
#include "engine/XParticles.h"
#include <cmath>

namespace {
constexpr double kOffScreen = -10;
constexpr double kSparkleRadius = 28;
} // namespace

TBonus::TBonus(TSpriteEngine* engine, TGameWorld& world, int bonusKind)
    : TSprite(engine), BonusKind(bonusKind), world_(world) {
    SetDrawMode(1);
    SparkleTimer = (world_.Rng ? world_.Rng->Random(900) : 0) + 10;
    // Only a badge that shows ever sparkles; chips without one keep the manager's limited
    // room for effects free.
    if (BonusKind > 0 && world_.Particles)
        if (TXParticleSystem* fx =
                world_.Particles->Spawn("Exampel1.pss", kOffScreen, kOffScreen)) {
            // The badge draws it, so the frame's general particle pass must leave it out.
            fx->Name = "dontpaint";
            sparkleId_ = fx->Id();
        }
}

TBonus::~TBonus() {
    if (owner_) owner_->BonusIcon = nullptr;
}

void TBonus::Move(float Delta) {
    TSprite::Move(Delta);
    SparkleTimer -= world_.State ? world_.State->SpeedFactor : 0;
    if (BonusKind <= 0) return;
    if (SparkleTimer <= 0) SparkleTimer = (world_.Rng ? world_.Rng->Random(900) : 0) + 100;
    TXParticleSystem* fx = world_.Particles ? world_.Particles->Find(sparkleId_) : nullptr;
    if (!fx) return;
    if (SparkleShown())
        fx->MoveTo(X + std::sin(Angle) * kSparkleRadius, Y - std::cos(Angle) * kSparkleRadius,
                   false);
    else
        fx->MoveTo(kOffScreen, kOffScreen, false);
}

void TBonus::Draw() {
    if (world_.Particles && Engine->Canvas)
        if (TXParticleSystem* fx = world_.Particles->Find(sparkleId_))
            fx->Draw(*Engine->Canvas, 0, 0);
    TSprite::Draw();
}

void TBonus::Dead() {
    if (world_.Particles)
        if (TXParticleSystem* fx = world_.Particles->Find(sparkleId_)) fx->Stop(false);
    sparkleId_ = 0;
    TSprite::Dead();
}
