#pragma once
#include "board/GameWorld.h"
#include "engine/GfxSprite.h"
#include <cstdint>
#include <string>

// The points multipliers. They act at once, when created: the next scoring multiplies its
// points and then resets the factor. The sprite only shows a label that drifts away from the
// middle of the board (down from the upper half, up from the lower) and fades.
class TLabelBonus : public TSprite {
public:
    double Direction; // +1 down, -1 up
    const std::string Text;

protected:
    TLabelBonus(TGameWorld& world, float x, float y, std::string text, uint32_t rgb);
    // Fades, drifts by dy and draws the label; dies once faded.
    void Step(double dy);

    TGameWorld& World;

private:
    uint32_t rgb_;
};

// Kind 6: points x2.
class tx2_bonus : public TLabelBonus {
public:
    tx2_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
};

// Kind 7: points x5, labelled "X5" in its own colour.
class tx5_bonus : public TLabelBonus {
public:
    tx5_bonus(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
};
