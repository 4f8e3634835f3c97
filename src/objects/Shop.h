#pragma once
#include "board/GameWorld.h"
#include "engine/GfxSprite.h"
#include <array>
#include <functional>
#include <string>

// The shop between two levels: a glass cabinet with the eight super-bonuses. It fades in,
// then shows its form "Shop_form"; hovering an item shows its description and price, a click
// buys one (each press buys once, however long it is held). The purchases of a visit are
// kept in ShopStock and ShopCoins until "NG_level" takes them or "Cancel_buy" drops them.
// After "NG_level" the shop fades out and calls onClosed, which leaves the shop's screen
// state for the level intro.
class tshop : public TSprite {
public:
    tshop(TGameWorld& world, float x, float y, std::function<void()> onClosed);
    void Move(float Delta) override;
    void Dead() override;

    struct TItem {
        const char* picture;
        const char* unavailable; // the greyed picture shown while it cannot be bought
        float offX, offY;        // of the greyed picture from the item
        float x, y;
        int price;
        int zoneLeft, zoneRight, zoneTop, zoneBottom; // open rectangle
        float highlightX, highlightY;
        float coinX, coinY; // where the paid coin flies
        const char* line1;
        const char* line2;
        const char* unit; // after the price
    };
    // Items 1..8 by super-bonus number; [0] unused.
    static const std::array<TItem, 9>& Items();

    std::array<TAnimatedSprite*, 9> ItemSprites{};
    std::array<TSprite*, 9> Unavailable{};
    std::array<TSprite*, 3> CoinIcons{};
    TSprite* Highlight;
    bool FadedIn = false;

    // The coin count text as last drawn ("X5" at its point), empty when none is drawn.
    std::string CoinText;
    float CoinTextX = 0, CoinTextY = 0;

private:
    void Sparkle();
    void PlaceCoins();
    void ShowItems();
    void SetAlphaAll(int alpha);
    void Trade();
    void Describe(int item);
    void CentreLabels();

    TGameWorld& world_;
    std::function<void()> onClosed_;
};

// The buttons of "Shop_form". OK: the visit's purchases are kept and the shop fades out.
void ShopConfirm(TGameWorld& world);
// Cancel: every purchase of this visit is undone; the shop stays open.
void ShopCancel(TGameWorld& world);
