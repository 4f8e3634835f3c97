#include "objects/LevelObjects.h"
#include "objects/BonusHelper.h"
#include "objects/DischargeBonus.h"
#include "objects/FireBonus.h"
#include "objects/FlyingBonuses.h"
#include "objects/HudFrame.h"
#include "objects/InjectionBonus.h"
#include "objects/LabelBonuses.h"
#include "objects/MixturaBonus.h"
#include "objects/Money.h"
#include "objects/PillsBonus.h"
#include "objects/ReagentBonus.h"
#include "objects/Shop.h"
#include "objects/UltraSoundBonus.h"
#include "objects/UltravioletBonus.h"

void TLevelObjects::CreateBonusObject(int kind, float x, float y) {
    switch (kind) {
    case 1:
        Last = new ttime_bonus(world_, x, y);
        break;
    case 3:
        Last = new tmoneta_bonus(world_, x, y);
        break;
    case 4:
        Last = new tcristal_bonus(world_, x, y);
        break;
    case 5:
        Last = new tperemeshka_bonus(world_, x, y);
        break;
    case 6:
        Last = new tx2_bonus(world_, x, y);
        break;
    case 7:
        Last = new tx5_bonus(world_, x, y);
        break;
    default:
        Last = nullptr;
        break;
    }
}

void TLevelObjects::CreateSuperBonus(int item, float x, float y) {
    switch (item) {
    case 1:
        Last = new t1coin_bonus(world_, x, y);
        break;
    case 2:
        Last = new t2coin_bonus(world_, x, y);
        break;
    case 3:
        Last = new t3coin_bonus(world_, x, y);
        break;
    case 4:
        Last = new t4coin_bonus(world_, x, y);
        break;
    case 5:
        Last = new t5coin_bonus(world_, x, y);
        break;
    case 6:
        Last = new t6coin_bonus(world_, x, y);
        break;
    case 7:
        Last = new t7coin_bonus(world_, x, y);
        break;
    case 8:
        Last = new t8coin_bonus(world_, x, y);
        break;
    default:
        Last = nullptr;
        break;
    }
}

void TLevelObjects::CreateMoney(float x, float y, int points) {
    Last = new tmoney(world_, x, y, points);
}

void TLevelObjects::CreateLevelObjects() {
    const TGameState& s = *world_.State;
    CreateAimingGuide(float(s.BoardOriginX - 2), float(s.BoardOriginY - 2));
    CreateHudFrame(30, 140);
}

void TLevelObjects::CreateAimingGuide(float x, float y) { Last = new tbonus_helper(world_, x, y); }

void TLevelObjects::CreateHudFrame(float x, float y) { Last = new tzagogulina(world_, x, y); }

tshop* TLevelObjects::CreateShop(std::function<void()> onClosed) {
    auto* shop = new tshop(world_, 150, 20, std::move(onClosed));
    Last = shop;
    return shop;
}

void TLevelObjects::ShopOk() { ShopConfirm(world_); }
void TLevelObjects::ShopCancelPurchases() { ShopCancel(world_); }
