#pragma once
#include "board/GameWorld.h"
#include "engine/GfxSprite.h"
#include "objects/ObjectSupport.h"

// What the eight super-bonus objects share. Placing one puts the board into phase 1, where
// no move or other super-bonus can start; the object marks the cells it hits in MatchMask
// (0 = cleared) while it plays, and hands the board back with phase 8, which clears, scores
// and refills the marked cells like a normal burst.
class TSuperBonus : public TSprite {
public:
    void Draw() override;
    void Dead() override;

protected:
    // keepMask: leave MatchMask as it is instead of starting from "every cell stays".
    // image: the object's picture, or null for none.
    TSuperBonus(TGameWorld& world, float x, float y, const char* image, bool keepMask = false);
    // Gives the board back to the burst of phase 8.
    void HandBack();

    TGameWorld& World;
    TGameState& State;
    // Follows the object; drawn under its picture.
    TOwnedEffect Effect;
};

// A sub-sprite of a super-bonus (blot, bubble, pill) carrying an effect of its own.
template <typename Base> class TEffectSprite : public Base {
public:
    void Draw() override {
        Effect.Draw(this->Engine->Canvas);
        Base::Draw();
    }
    void Dead() override {
        Effect.Stop();
        Base::Dead();
    }

protected:
    explicit TEffectSprite(TGameWorld& world) : Base(world.Engine), World(world) {}

    TGameWorld& World;
    TOwnedEffect Effect;
};

// Timers count the frame's Delta, which arrives as a float: 0.001f is a hair above a
// thousandth, and the tolerance keeps "more than 0.01" at the eleventh tick, not the tenth.
inline bool TimerPast(double timer, double limit) { return timer > limit + 1e-7; }
