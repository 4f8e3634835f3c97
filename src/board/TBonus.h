#pragma once
#include "engine/GfxSprite.h"
#include <cstdint>

struct TGameWorld;
class TFishka;

// The bonus badge a chip carries, turning on the chip and now and then circled by a sparkle.
// Every chip has one; it shows only for a bonus kind 1..7. The chip moves it along and
// removes it with itself.
class TBonus : public TSprite {
public:
    TBonus(TSpriteEngine* engine, TGameWorld& world, int bonusKind);
    ~TBonus() override;

    int BonusKind = 0;
    double SparkleTimer = 0;

    void Move(float Delta) override;
    // The sparkle first, then the badge over it.
    void Draw() override;
    // Stops the sparkle.
    void Dead() override;

    // Where the sparkle emits now: on a circle of radius 28 about the badge while the timer
    // is in its last 100 ticks, off the screen otherwise.
    bool SparkleShown() const { return SparkleTimer > 0 && SparkleTimer < 100; }

private:
    friend class TFishka;
    TGameWorld& world_;
    uint64_t sparkleId_ = 0;   // borrowed from the particle manager, looked up when used
    TFishka* owner_ = nullptr; // the chip that carries it, cleared when either goes first
};
