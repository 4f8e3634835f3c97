#include "objects/HudFrame.h"
#include "objects/GaugeCoin.h"
#include "objects/ObjectSupport.h"
#include <cmath>
#include <string>

namespace {

TSprite* Part(TSpriteEngine* engine, const char* image, float x, float y, int z) {
    auto* s = new TSprite(engine);
    s->SetImageName(image);
    s->X = x;
    s->Y = y;
    s->SetZ(z);
    return s;
}

constexpr int kCoinFont = 8;
constexpr uint32_t kCoinTextColour = 0xF7ACECF2;

} // namespace

tzagogulina::tzagogulina(TGameWorld& world, float x, float y)
    : TSprite(world.Engine), world_(world) {
    X = x;
    Y = y;
    SetImageName("zagogulina");
    SetZ(-8);
    GaugeBack = Part(Engine, "zadok", x + 161, y + 75, -10);
    GaugeFill = Part(Engine, "fillcombo", x + 161, y + 76, -9);
    GaugeCover = Part(Engine, "xrenovinka", x + 161, y + 74, -7);
    for (TSprite*& icon : CoinIcons) {
        icon = Part(Engine, "bonus3", x, y, 3);
        icon->Visible = false;
    }
    Buttons = Part(Engine, "buttons.image", 130, 0, 0);
    GaugeFill->ScaleY = 0;
}

void tzagogulina::Dead() {
    if (!IsDead) {
        for (TSprite* s : {GaugeBack, GaugeFill, GaugeCover, Buttons}) s->Dead();
        for (TSprite* icon : CoinIcons) icon->Dead();
    }
    TSprite::Dead();
}

void tzagogulina::Move(float Delta) {
    if (IsDead) return;
    if (!world_.State->LeavingPlay) {
        UpdateCoinCounter();
        UpdateGauge();
    } else {
        FadeOut();
    }
}

void tzagogulina::UpdateCoinCounter() {
    const int coins = world_.State->Coins;
    auto place = [&](int i, float x, float y, int z, bool shown) {
        CoinIcons[i]->X = x;
        CoinIcons[i]->Y = y;
        CoinIcons[i]->SetZ(z);
        CoinIcons[i]->Visible = shown;
    };
    const float y = Y + 25;
    CoinTextShown = false;
    if (coins <= 0) {
        for (TSprite* icon : CoinIcons) icon->Visible = false;
    } else if (coins == 1) {
        for (int i = 0; i < 3; ++i) place(i, X + 140, y, 3, true);
    } else if (coins == 2) {
        place(0, X + 130, y, 3, true);
        place(1, X + 130, y, 4, false);
        place(2, X + 150, y, 5, true);
    } else if (coins == 3) {
        for (int i = 0; i < 3; ++i) place(i, X + 130 + 10 * i, y, 3 + i, true);
    } else {
        for (int i = 0; i < 3; ++i) place(i, X + 120, y, 3, true);
        const std::string text = "X" + std::to_string(coins);
        const float w = GameTextWidth(world_, kCoinFont, text);
        world_.State->CoinTextX = X + 170 - w / 2;
        world_.State->CoinTextY = Y + 32;
        DrawGameText(world_, kCoinFont, text, float(world_.State->CoinTextX),
                     float(world_.State->CoinTextY), kCoinTextColour);
        CoinTextShown = true;
    }
}

void tzagogulina::UpdateGauge() {
    TGameState& s = *world_.State;
    if (s.ChainMeter * 5 > ComboGaugeShown) ComboGaugeShown += 0.2 * s.SpeedFactor;
    int w, h;
    ImageSize(world_, "fillcombo", w, h);
    GaugeFill->ScaleY = float(ComboGaugeShown / 100);
    GaugeFill->Y = float((h - h * ComboGaugeShown / 100) / 2 + Y + 77);
    // Cascades and crystals add 2 at a time and may arrive together, so the meter can step
    // over the payout mark: anything from it up pays, once, and the gauge starts again.
    if (s.ChainMeter >= kGaugePayout) {
        new tcoin2bonus(world_, GaugeFill->X + w / 2.0f, GaugeFill->Y + h / 2.0f);
        s.ChainMeter = 0;
        ComboGaugeShown = 0;
    }
}

void tzagogulina::FadeOut() {
    for (TSprite* icon : CoinIcons) icon->Visible = false;
    CoinTextShown = false;
    if (Alpha < 11) {
        world_.State->PlayFadedOut = 1;
        return;
    }
    const int step = int(std::lround(3 * world_.State->SpeedFactor));
    for (TSprite* s : {GaugeBack, GaugeFill, GaugeCover, static_cast<TSprite*>(this)})
        s->SetAlpha(s->Alpha - step);
    Buttons->Visible = false;
}
