#pragma once
#include "board/GameWorld.h"
#include "engine/GfxSprite.h"
#include <array>

// The HUD frame on the left of the playing screen, with the coin counter and the combo
// gauge. One per level, made by the board build. When the level is left it fades out and
// then raises PlayFadedOut, which the screens wait for.
//
// The gauge fills towards 5 % per point of ChainMeter; at 18 points or more it pays a coin
// and starts again from empty.
class tzagogulina : public TSprite {
public:
    tzagogulina(TGameWorld& world, float x, float y);
    void Move(float Delta) override;
    void Dead() override;

    double ComboGaugeShown = 0; // percent

    TSprite* GaugeBack;
    TSprite* GaugeFill;
    TSprite* GaugeCover;
    std::array<TSprite*, 3> CoinIcons;
    TSprite* Buttons;

    // The count text ("X" and the coins) was drawn this tick, at CoinTextX, CoinTextY.
    bool CoinTextShown = false;

private:
    void UpdateCoinCounter();
    void UpdateGauge();
    void FadeOut();

    TGameWorld& world_;
};

// Where the points of ChainMeter pay: a gauge reading this or more releases a coin.
inline constexpr double kGaugePayout = 18;
