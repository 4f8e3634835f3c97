#pragma once
#include "engine/GfxSprite.h"
#include <array>

struct TGameWorld;

// The branches swaying at the edges of the title hall: two at the left, two at the right,
// each swinging back and forth at its own slow rate. They go when the story or the level
// intro begins (state 34 or 36).
class tvetki : public TSprite {
public:
    tvetki(const TGameWorld& world, float x, float y);
    void Move(float Delta) override;

    struct TBranch {
        TSprite* Sprite = nullptr;
        double Phase = 0;
        double Direction = 1;
        double Rate = 0;
        float BaseAngle = 0;
    };
    const std::array<TBranch, 4>& Branches() const { return branches_; }

private:
    const TGameWorld& world_;
    std::array<TBranch, 4> branches_;
};
