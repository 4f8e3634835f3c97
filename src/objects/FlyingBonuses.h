#pragma once
#include "board/GameWorld.h"
#include "engine/GfxSprite.h"

// The bonuses that fly from a cleared chip to their counter on the left of the screen and
// pay on arrival. Each is created at the top-left corner of the chip's cell. The steps are
// worked out once from the start point and the SpeedFactor of that moment, so a change of
// frame rate during the flight does not change the speed in pixels per tick.
class TFlyingBonus : public TAnimatedSprite {
public:
    double TargetX, TargetY;
    double StepX, StepY;

protected:
    // Steps: |target - start| / divisor x SpeedFactor, per axis.
    TFlyingBonus(TGameWorld& world, float x, float y, double targetX, double targetY,
                 double divisorX, double divisorY);
    // Inside the open window of 10 pixels around the target.
    bool AtTarget() const;
    // X by scale x StepX, Y by scale x q x StepY with q = TargetY / TargetX, X before Y on
    // the way down and again on the way up. A step never carries past the target: the
    // original back-and-forth there could leave a bonus hovering just outside its window.
    void Steer(double scale);
    // The burst at the counter, the level's goal check, then the sprite dies (it still
    // finishes its tick).
    void Arrive();

    TGameWorld& World;
};

// Kind 1: 20 more seconds on the level clock (its total stays, so the fill may pass 1).
class ttime_bonus : public TFlyingBonus {
public:
    ttime_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
};

// Kind 3: one coin.
class tmoneta_bonus : public TFlyingBonus {
public:
    tmoneta_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
};

// Kind 4: +2 on the combo gauge once it is back at X 215, whatever its height.
class tcristal_bonus : public TFlyingBonus {
public:
    tcristal_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
};

// Kind 5: gives back a used shuffle charge, the first hidden of "G_mix1".."G_mix3". While
// the player holds all three it has nothing to give and vanishes.
class tperemeshka_bonus : public TFlyingBonus {
public:
    tperemeshka_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
};

// Shuffle charges still held: the visible ones of "G_mix1".."G_mix3".
int ShuffleChargesShown(const TGameWorld& world);
