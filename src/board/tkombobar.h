#pragma once
#include "engine/GfxSprite.h"
#include <array>
#include <cstdint>

struct TGameWorld;

// The panel left of the board: the combo progress, three reels that spin when the bar
// fills (paying 1000 points), and the ring of the eight super-bonus items with their counts,
// from which the player picks an item up onto the cursor. Its tick is also the board's
// driver for the checks after a swap (phase 5) and after a refill (phase 6), and it raises
// the points labels of each burst. One per level.
class tkombobar : public TSprite {
public:
    // The bar's picture "combobar" with its top-left corner at (x, y); the items, the
    // disabled pictures and the count texts stand at fixed screen positions.
    tkombobar(TSpriteEngine* engine, TGameWorld& world, float x, float y);

    // Where item n (1..8) of the ring lies, all in screen pixels.
    struct TItemPlace {
        float x, y;                     // the item picture
        float disabledX, disabledY;     // its greyed picture when none is left
        float countX, countY;           // its count, when above 1
        float left, right, top, bottom; // hover box: the picture shrunk by these
        float highlightX, highlightY;   // highlight centre, from the item's corner
        double highlightAngle;
    };
    static const std::array<TItemPlace, 9>& ItemPlaces(); // [0] unused
    // The stock of each item above 1 at its place in the ring (font 8); the bar draws them
    // every tick, the score overlay of the menu, pause and how-to-play screens calls it too.
    static void DrawCounts(const TGameWorld& world);

    TSprite* ProgressSprite = nullptr;
    std::array<TSprite*, 3> Reels{};
    uint8_t ReelsRunning = 0;
    int ReelTimer = 0;
    TSprite* Arrow = nullptr;
    std::array<TSprite*, 3> Plain{};
    std::array<TAnimatedSprite*, 9> ItemSprites{}; // [1..8]
    std::array<TSprite*, 9> DisabledSprites{};     // [1..8]
    TSprite* Highlight = nullptr;
    uint8_t CoinsDropped = 0;

    void Move(float Delta) override;
    // Removes its parts with it.
    void Dead() override;

private:
    void SlideAway();
    void UpdateItems();
    bool Hovered(int item, float px, float py) const;
    void UpdateReels();
    void RunChecks();

    TGameWorld& world_;
};
