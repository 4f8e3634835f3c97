#include "objects/HudFrame.h"
#include "objects/FlyingBonuses.h"
#include "objects/GaugeCoin.h"
#include "objects/Money.h"
#include "objects/ObjectsRig.h"

namespace {

tzagogulina* MakeFrame(ObjectsRig& rig) {
    rig.objects.CreateHudFrame(30, 140);
    return dynamic_cast<tzagogulina*>(rig.objects.Last);
}

// Runs every coin the gauge has released until it has paid.
void PayOut(ObjectsRig& rig) {
    rig.TickUntil([&] { return rig.CountOf<tcoin2bonus>() + rig.CountOf<tmoneta_bonus>() == 0; });
}

} // namespace

TEST(HudFrameTest, CoinCounterPilesTheIcons) {
    struct Case {
        int coins;
        bool shown[3];
        float x[3];
        int z[3];
        bool text;
    };
    const Case cases[] = {
        {0, {false, false, false}, {}, {}, false},
        {1, {true, true, true}, {170, 170, 170}, {3, 3, 3}, false},
        {2, {true, false, true}, {160, 160, 180}, {3, 4, 5}, false},
        {3, {true, true, true}, {160, 170, 180}, {3, 4, 5}, false},
        {12, {true, true, true}, {150, 150, 150}, {3, 3, 3}, true},
    };
    for (const Case& c : cases) {
        ObjectsRig rig;
        tzagogulina* frame = MakeFrame(rig);
        rig.state.Coins = c.coins;
        rig.Tick();
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(frame->CoinIcons[i]->Visible, c.shown[i]) << c.coins << " icon " << i;
            if (!c.coins) continue;
            EXPECT_FLOAT_EQ(frame->CoinIcons[i]->X, c.x[i]) << c.coins << " icon " << i;
            EXPECT_FLOAT_EQ(frame->CoinIcons[i]->Y, 165);
            EXPECT_EQ(frame->CoinIcons[i]->Z, c.z[i]);
        }
        EXPECT_EQ(frame->CoinTextShown, c.text);
        if (c.text) {
            // "X12" is 24 pixels wide in the rig's font, centred on X + 170.
            EXPECT_DOUBLE_EQ(rig.state.CoinTextX, 30 + 170 - 12);
            EXPECT_DOUBLE_EQ(rig.state.CoinTextY, 172);
        }
    }
}

TEST(HudFrameTest, GaugeFillClimbsTowardsTheMeterFromAFixedBottom) {
    ObjectsRig rig;
    tzagogulina* frame = MakeFrame(rig);
    rig.state.ChainMeter = 4; // 20 %
    rig.Tick();
    EXPECT_DOUBLE_EQ(frame->ComboGaugeShown, 0.2);
    rig.TickUntil([&] { return frame->ComboGaugeShown >= 20; });
    rig.Tick();
    EXPECT_NEAR(frame->ComboGaugeShown, 20, 0.21);
    const double shown = frame->ComboGaugeShown;
    rig.state.ChainMeter = 2; // the fill never falls back
    rig.Tick();
    EXPECT_DOUBLE_EQ(frame->ComboGaugeShown, shown);
    TSprite* fill = frame->GaugeFill;
    EXPECT_FLOAT_EQ(fill->ScaleY, float(shown / 100));
    // Scaled about its centre, the 100-pixel fill's bottom stays at the frame's Y + 177.
    EXPECT_NEAR(fill->Y + 50 + 50 * fill->ScaleY, 140 + 177, 1e-3);
    EXPECT_EQ(rig.state.Coins, 0);
}

// Cascades and crystals add 2 at a time; two of them before the frame's next tick take the
// meter from 16 to 20, over the payout mark. Any reading from 18 up pays exactly one coin
// and empties the gauge, and the gauge goes on working for the rest of the game.
TEST(HudFrameTest, GaugePaysOneCoinFromEighteenUpAndStartsAgain) {
    for (double meter : {18.0, 20.0, 22.0, 30.0}) {
        ObjectsRig rig;
        tzagogulina* frame = MakeFrame(rig);
        rig.state.ChainMeter = 16;
        rig.TickUntil([&] { return frame->ComboGaugeShown >= 80; });
        rig.state.ChainMeter = meter;
        rig.Tick();
        EXPECT_EQ(rig.state.ChainMeter, 0) << meter;
        EXPECT_EQ(frame->ComboGaugeShown, 0);
        ASSERT_EQ(rig.CountOf<tcoin2bonus>(), 1);
        PayOut(rig);
        EXPECT_EQ(rig.state.Coins, 1) << meter;

        // The next cascades fill it again and pay again.
        rig.state.ChainMeter = 16;
        rig.Tick();
        EXPECT_GT(frame->ComboGaugeShown, 0);
        rig.state.ChainMeter += 2;
        rig.Tick();
        PayOut(rig);
        EXPECT_EQ(rig.state.Coins, 2) << meter;
        EXPECT_EQ(rig.state.ChainMeter, 0);
    }
}

TEST(HudFrameTest, GaugeCoinSlidesToTheMiddleAndBecomesACoinBonus) {
    ObjectsRig rig;
    MakeFrame(rig);
    rig.state.ChainMeter = 18;
    rig.Tick();
    tcoin2bonus* coin = nullptr;
    for (TSprite* s : rig.engine.Sprites)
        if (auto* c = dynamic_cast<tcoin2bonus*>(s)) coin = c;
    ASSERT_NE(coin, nullptr);
    // Released at the fill's centre, X 30 + 161 + 22 and the nearly empty fill's Y + 50.
    EXPECT_DOUBLE_EQ(coin->StepX, (400 - 213) / 50.0);
    EXPECT_NEAR(coin->StepY, (140 + 77 + 49.9 + 50 - 300) / 50.0, 1e-4);
    const int ticks = rig.TickUntil([&] { return coin->IsDead; });
    EXPECT_NEAR(ticks, 50, 1); // 187 pixels in steps of 3.74, then past 400
    ASSERT_EQ(rig.CountOf<tmoneta_bonus>(), 1);
    tmoneta_bonus* bonus = nullptr;
    for (TSprite* s : rig.engine.Sprites)
        if (auto* b = dynamic_cast<tmoneta_bonus*>(s); b && !b->IsDead) bonus = b;
    EXPECT_FLOAT_EQ(bonus->X, 400);
    EXPECT_FLOAT_EQ(bonus->Y, 300);
}

TEST(HudFrameTest, FadesOutWhenTheLevelIsLeft) {
    ObjectsRig rig;
    tzagogulina* frame = MakeFrame(rig);
    rig.state.Coins = 2;
    rig.Tick();
    rig.state.LeavingPlay = 1;
    rig.state.SpeedFactor = 0.49; // 1 alpha per tick
    rig.Tick();
    for (TSprite* icon : frame->CoinIcons) EXPECT_FALSE(icon->Visible);
    EXPECT_FALSE(frame->Buttons->Visible);
    EXPECT_EQ(frame->Alpha, 254);
    EXPECT_EQ(frame->GaugeFill->Alpha, 254);
    rig.state.ChainMeter = 18; // the gauge rests while the level is left
    const int ticks = rig.TickUntil([&] { return rig.state.PlayFadedOut != 0; });
    EXPECT_EQ(ticks, 245); // from 254 down to 10, then the check
    EXPECT_EQ(frame->Alpha, 10);
    EXPECT_EQ(rig.state.ChainMeter, 18);
}

TEST(MoneyTest, RisesAndFadesOverTheCell) {
    ObjectsRig rig;
    rig.state.SpeedFactor = 0.5;
    rig.objects.CreateMoney(320, 200, 6);
    auto* money = dynamic_cast<tmoney*>(rig.objects.Last);
    ASSERT_NE(money, nullptr);
    EXPECT_EQ(money->Points, 6);
    rig.Tick();
    EXPECT_FLOAT_EQ(money->Y, 199.5f);
    EXPECT_EQ(money->Fade, 253);
    const int ticks = rig.TickUntil([&] { return money->IsDead; });
    EXPECT_EQ(ticks + 1, 124); // 255 down to 9 in steps of 2, then the check
}
