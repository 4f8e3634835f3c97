#pragma once
#include "engine/GfxSprite.h"
#include "objects/ObjectSupport.h"
#include <array>

struct TGameWorld;
struct TGameState;

// The level time counts down in tenths of a second, only while the board is played
// (ScreenState 13). The shell's 100 ms Timer1 calls this on every tick.
void RunLevelClock(TGameState& s);

// Where the decorative sparkles of the playing screen start, by the draw 1..20.
struct TSparklePoint {
    int X, Y;
};
extern const std::array<TSparklePoint, 20> kSparklePoints;

// The sand clock in the top left corner: sand runs from the upper bulb to the lower as the
// level time goes, and a falling-sand effect streams through the neck. It also starts the
// playing screen's sparkles. When the time is used up it ends the game through the board's
// hook TGameHooks::EnterGameOver (state 14), once: it does nothing outside state 13. One per
// level, made by the level setup at (15, 15); creating it clears GamePaused.
class tclocks : public TSprite {
public:
    tclocks(const TGameWorld& world, float x, float y);
    void Move(float Delta) override;
    void Draw() override;
    void Dead() override;

    TSprite* UpperSand() const { return upper_; }
    TSprite* LowerSand() const { return lower_; }
    TSprite* Glare() const { return glare_; }
    const TOwnedEffect& Sand() const { return sand_; }
    bool SandParked() const { return parked_ != 0; }

private:
    const TGameWorld& world_;
    TSprite* upper_;
    TSprite* lower_;
    TSprite* glare_;
    TOwnedEffect sand_;
    uint8_t parked_ = 0;
};
