#pragma once
#include "board/GameWorld.h"
#include <functional>

class TSprite;
class tshop;

// The level objects of bonuses, coins, the shop and the super-bonuses, as the board asks for
// them. Every object is created on the world's sprite engine, which owns it.
class TLevelObjects : public TGameHooks {
public:
    explicit TLevelObjects(TGameWorld& world) : world_(world) {}

    // Kinds 1 time, 3 coin, 4 crystal, 5 shuffle charge, 6 points x2, 7 points x5; kind 2
    // (the neighbour blast) and anything else make nothing.
    void CreateBonusObject(int kind, float x, float y) override;
    // Items 1..8, on the chip at (x, y); anything else makes nothing.
    void CreateSuperBonus(int item, float x, float y) override;
    void CreateMoney(float x, float y, int points) override;
    // The board has been built: the aiming guide over it and the HUD frame with the coin
    // counter and combo gauge. (The clock and the flask are another part's.)
    void CreateLevelObjects() override;
    // Each of them alone, at its place.
    void CreateAimingGuide(float x, float y);
    void CreateHudFrame(float x, float y);

    // The shop at (150, 20), on entering its screen state; onClosed runs once it has faded
    // out after "NG_level" (it should leave the shop's state for the level intro).
    tshop* CreateShop(std::function<void()> onClosed);
    // The buttons of "Shop_form".
    void ShopOk();
    void ShopCancelPurchases();

    // The object made by the last call, or null when it made none (for tests).
    TSprite* Last = nullptr;

private:
    TGameWorld& world_;
};
