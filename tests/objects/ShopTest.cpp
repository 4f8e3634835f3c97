#include "objects/Shop.h"
#include "objects/ObjectsRig.h"
#include "objects/ShopCoin.h"

namespace {

struct ShopRig : ObjectsRig {
    TGuiForm* form;
    tshop* shop = nullptr;
    int closed = 0;

    ShopRig(int coins, std::array<int, 9> stock = {}) {
        form = AddShopForm();
        state.ScreenState = 37;
        state.Coins = coins;
        state.SuperBonusCount = stock;
        state.PulseCounter = 3;
        PointAt(10, 10);
        shop = objects.CreateShop([this] {
            ++closed;
            state.ScreenState = 36;
        });
    }
    void FadeIn() {
        TickUntil([&] { return shop->FadedIn; });
    }
    // The pointer inside item n's hot zone.
    void Hover(int item) {
        const tshop::TItem& it = tshop::Items()[item];
        PointAt((it.zoneLeft + it.zoneRight) / 2, (it.zoneTop + it.zoneBottom) / 2);
    }
    void Click() {
        state.MouseHeld = 1;
        Tick();
    }
};

} // namespace

TEST(ShopTest, FadesInThenShowsItsForm) {
    ShopRig rig(0);
    EXPECT_EQ(rig.shop->Alpha, 0);
    EXPECT_EQ(rig.Label("SC1"), "");
    EXPECT_EQ(rig.Label("SC8"), "");
    const int ticks = rig.TickUntil([&] { return rig.form->Visible(); });
    EXPECT_EQ(ticks, 84); // 3 per tick up to 252
    EXPECT_TRUE(rig.shop->FadedIn);
    EXPECT_EQ(rig.shop->ItemSprites[5]->Alpha, 252);
    EXPECT_EQ(rig.shop->Unavailable[5]->Alpha, 252);
    EXPECT_EQ(rig.shop->CoinIcons[0]->Alpha, 252);
    EXPECT_EQ(rig.gui.Root().Child(0), rig.form);
}

TEST(ShopTest, WithoutCoinsOnlyOwnedItemsAreShownAndNothingSells) {
    std::array<int, 9> stock{};
    stock[4] = 2; // owned but unaffordable
    ShopRig rig(0, stock);
    rig.FadeIn();
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(rig.shop->ItemSprites[i]->Visible, i == 4) << i;
        EXPECT_EQ(rig.shop->Unavailable[i]->Visible, i != 4) << i;
    }
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(rig.shop->CoinIcons[i]->Visible);

    rig.Hover(1);
    rig.Click();
    EXPECT_FALSE(rig.shop->Highlight->Visible);
    EXPECT_EQ(rig.Label("Label1"), "");
    EXPECT_EQ(rig.state.ShopStock[1], 0);

    rig.Hover(4);
    rig.Click();
    EXPECT_FALSE(rig.shop->Highlight->Visible);
    EXPECT_EQ(rig.Label("Label1"), "Reagent. Dissolves one fish of each colour.");
    EXPECT_EQ(rig.Label("Label2"), "2 coins");
    EXPECT_EQ(rig.Label("SC4"), "2");
    EXPECT_EQ(rig.state.ShopStock[4], 2);
    EXPECT_EQ(rig.CountOf<tcoinfly>(), 0);
    EXPECT_TRUE(rig.shop->ItemSprites[4]->DoAnimate);
}

TEST(ShopTest, HoverDescribesAndHighlightsAnAffordableItem) {
    struct Case {
        int item;
        const char *line1, *line2, *price;
        float hx, hy;
    };
    const Case cases[] = {
        {1, "Mixtura. Deletes all the fishes of the chosen colour.", "", "3 coins", 534, 54},
        {3, "Electrical discharge. Burns the fishes along the random",
         "line containing the chosen one. ", "1 coin", 289, 306},
        {6, "Pills. Deletes a few fishes of the same colour with the", " chosen one. ", "1 coin",
         450, 306},
        {7, "Ultraviolet. Strikes the whole horizontal line with the", "chosen fish.", "5 coins",
         208, 54},
        {8, "Ultra sound. Terminates the whole vertical column", "containing the chosen fish.",
         "3 coins", 208, 179},
    };
    for (const Case& c : cases) {
        ShopRig rig(5);
        rig.FadeIn();
        rig.Hover(c.item);
        rig.Tick();
        EXPECT_EQ(rig.Label("Label1"), c.line1);
        EXPECT_EQ(rig.Label("Label10"), c.line2);
        EXPECT_EQ(rig.Label("Label2"), c.price);
        EXPECT_TRUE(rig.shop->Highlight->Visible);
        EXPECT_FLOAT_EQ(rig.shop->Highlight->X, c.hx);
        EXPECT_FLOAT_EQ(rig.shop->Highlight->Y, c.hy);
        // Centred on 420 in font 11 (8 pixels a character here).
        auto* line1 = rig.gui.FindControl("Label1");
        EXPECT_EQ(line1->Left(), 420 - int(std::string(c.line1).size()) * 4) << c.item;
        for (int i = 1; i <= 8; ++i) EXPECT_EQ(rig.shop->ItemSprites[i]->DoAnimate, i == c.item);
    }
    // The centre is on the screen, wherever the form stands.
    {
        ShopRig rig(5);
        rig.form->SetLeft(100);
        rig.FadeIn();
        rig.Hover(4);
        rig.Tick();
        const std::string line1 = "Reagent. Dissolves one fish of each colour.";
        EXPECT_EQ(rig.gui.FindControl("Label1")->Left(), 320 - int(line1.size()) * 4);
        EXPECT_EQ(rig.gui.FindControl("Label10")->Left(), 320);
    }
    // Away from every item nothing is described.
    ShopRig rig(5);
    rig.FadeIn();
    rig.PointAt(100, 100);
    rig.Tick();
    EXPECT_EQ(rig.Label("Label1"), "");
    EXPECT_FALSE(rig.shop->Highlight->Visible);
}

TEST(ShopTest, AClickBuysOneItemHoweverLongTheButtonIsHeld) {
    ShopRig rig(7);
    rig.FadeIn();
    rig.Hover(5); // price 4
    rig.state.MouseHeld = 1;
    for (int i = 0; i < 20; ++i) rig.Tick(); // nothing sets MouseHeld again while held
    EXPECT_EQ(rig.state.ShopStock[5], 1);
    EXPECT_EQ(rig.state.ShopCoins, 3);
    EXPECT_EQ(rig.state.MouseHeld, 0);
    EXPECT_EQ(rig.Label("SC5"), "1");
    // What the visit bought is not the player's until OK.
    EXPECT_EQ(rig.state.Coins, 7);
    EXPECT_EQ(rig.state.SuperBonusCount[5], 0);
    // Now 3 coins short of another: the item, owned, still shows; the click buys nothing.
    rig.Click();
    EXPECT_EQ(rig.state.ShopStock[5], 1);
    EXPECT_FALSE(rig.shop->Highlight->Visible);
    EXPECT_TRUE(rig.shop->ItemSprites[5]->Visible);
    EXPECT_TRUE(rig.shop->Unavailable[7]->Visible); // 5 coins
}

TEST(ShopTest, PaidCoinFliesToTheItemAndChimes) {
    ShopRig rig(3);
    rig.FadeIn();
    rig.Hover(1);
    rig.Click();
    tcoinfly* coin = nullptr;
    for (TSprite* s : rig.engine.Sprites)
        if (auto* c = dynamic_cast<tcoinfly*>(s)) coin = c;
    ASSERT_NE(coin, nullptr);
    EXPECT_DOUBLE_EQ(coin->StepX, (423 - 595) / 20.0);
    EXPECT_DOUBLE_EQ(coin->StepY, (523 - 75) / 20.0);
    rig.Sounds();
    const int ticks = rig.TickUntil([&] { return coin->IsDead; });
    EXPECT_NEAR(ticks, 21, 1);
    // At SpeedFactor 1 it ends one step past the item.
    EXPECT_NEAR(coin->X, 423 - 21 * coin->StepX, 1e-3);
    EXPECT_NEAR(coin->Y, 523 - 21 * coin->StepY, 1e-3);
    EXPECT_TRUE(rig.Played("ok"));
}

TEST(ShopTest, CancelUndoesEveryPurchaseOfTheVisitAndOkKeepsThem) {
    std::array<int, 9> stock{};
    stock[2] = 1;
    ShopRig rig(10, stock);
    rig.FadeIn();
    for (int item : {3, 3, 6, 2}) {
        rig.Hover(item);
        rig.Click();
    }
    EXPECT_EQ(rig.state.ShopCoins, 10 - 1 - 1 - 1 - 2);
    EXPECT_EQ(rig.state.ShopStock[3], 2);
    EXPECT_EQ(rig.state.ShopStock[2], 2);
    rig.Sounds();
    rig.objects.ShopCancelPurchases();
    EXPECT_EQ(rig.Sounds(), std::vector<std::string>{"check"});
    EXPECT_EQ(rig.state.ShopCoins, 10);
    EXPECT_EQ(rig.state.ShopStock, stock);
    rig.Tick();
    EXPECT_EQ(rig.Label("SC3"), "");
    EXPECT_EQ(rig.Label("SC2"), "1");
    EXPECT_TRUE(rig.Alive(rig.shop));

    rig.Hover(8);
    rig.Click();
    rig.objects.ShopOk();
    EXPECT_EQ(rig.state.Coins, 7);
    EXPECT_EQ(rig.state.SuperBonusCount[8], 1);
    EXPECT_EQ(rig.state.SuperBonusCount[2], 1);
    EXPECT_FALSE(rig.form->Visible());
    EXPECT_EQ(rig.state.ShopClosing, 1);

    // It fades out, buys nothing more meanwhile, and hands over to the level intro.
    rig.Hover(3);
    rig.state.MouseHeld = 1;
    const int ticks = rig.TickUntil([&] { return rig.closed > 0; });
    EXPECT_EQ(ticks, 79); // 252 down to 15 in steps of 3, then the hand-over
    EXPECT_EQ(rig.state.ShopStock[3], 0);
    EXPECT_EQ(rig.state.ShopClosing, 0);
    EXPECT_TRUE(rig.shop->IsDead);
    rig.Tick();
    EXPECT_EQ(rig.closed, 1);
    EXPECT_EQ(rig.CountOf<TSprite>(), 1); // only the cursor is left
}

TEST(ShopTest, CoinPileAndCountMakeRoomForTwoDigits) {
    struct Case {
        int coins;
        float x[3];
        const char* text;
        float textX;
    };
    const Case cases[] = {
        {1, {403, 403, 403}, "", 0},       {2, {383, 383, 423}, "", 0},
        {3, {363, 403, 443}, "", 0},       {4, {395, 395, 395}, "X4", 435},
        {9, {395, 395, 395}, "X9", 435},   {10, {385, 385, 385}, "X10", 425},
        {25, {385, 385, 385}, "X25", 425},
    };
    for (const Case& c : cases) {
        ShopRig rig(c.coins);
        rig.Tick();
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(rig.shop->CoinIcons[i]->Visible);
            EXPECT_FLOAT_EQ(rig.shop->CoinIcons[i]->X, c.x[i]) << c.coins << " icon " << i;
            EXPECT_FLOAT_EQ(rig.shop->CoinIcons[i]->Y, 503);
        }
        EXPECT_EQ(rig.shop->CoinText, c.text);
        if (*c.text) {
            EXPECT_FLOAT_EQ(rig.shop->CoinTextX, c.textX);
            EXPECT_FLOAT_EQ(rig.shop->CoinTextY, 512);
        }
    }
}

TEST(ShopTest, SparklesOnThePulseAndLeavesWithItsScreen) {
    ShopRig rig(0);
    rig.Tick();
    EXPECT_EQ(rig.particles.Count(), 0);
    rig.state.PulseCounter = 0;
    rig.Tick();
    EXPECT_EQ(rig.particles.Count(), 1);
    EXPECT_EQ(rig.state.PulseCounter, -1);
    rig.state.ScreenState = 13;
    rig.Tick();
    EXPECT_TRUE(rig.shop->IsDead);
    for (int i = 1; i <= 8; ++i) EXPECT_TRUE(rig.shop->ItemSprites[i]->IsDead);
}
