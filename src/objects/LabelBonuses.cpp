#include "objects/LabelBonuses.h"
#include "objects/ObjectSupport.h"
#include <cmath>

namespace {
constexpr int kLabelFont = 7;
}

TLabelBonus::TLabelBonus(TGameWorld& world, float x, float y, std::string text, uint32_t rgb)
    : TSprite(world.Engine), Direction(y > 255 ? -1.0 : 1.0), Text(std::move(text)), World(world),
      rgb_(rgb) {
    X = x;
    Y = y;
    SetZ(19);
    Visible = true;
}

void TLabelBonus::Step(double dy) {
    if (IsDead) return;
    SetAlpha(int(std::lround(Alpha - 2 * World.State->SpeedFactor)));
    Y += float(dy);
    DrawGameText(World, kLabelFont, Text, X, Y, TextColour(rgb_, Alpha));
    if (Alpha < 2) Dead();
}

tx2_bonus::tx2_bonus(TGameWorld& world, float x, float y)
    : TLabelBonus(world, x, y, "X2", MakeColor(0x29, 0xA1, 0xFF, 0)) {
    world.State->PointMultiplier2 = 2;
}

// One pixel per tick, whatever the frame rate.
void tx2_bonus::Move(float Delta) { Step(Direction); }

tx5_bonus::tx5_bonus(TGameWorld& world, float x, float y)
    : TLabelBonus(world, x, y, "X5", MakeColor(0x25, 0x23, 0xFF, 0)) {
    world.State->PointMultiplier5 = 5;
}

void tx5_bonus::Move(float Delta) { Step(Direction * World.State->SpeedFactor); }
