#include "objects/Shop.h"
#include "engine/GuiLabel.h"
#include "objects/Cursor.h"
#include "objects/ObjectSupport.h"
#include "objects/ShopCoin.h"
#include <cmath>
#include <string>

namespace {

constexpr int kShopState = 37;
constexpr int kCountFont = 8;
constexpr int kLabelFont = 11;
constexpr float kLabelCentre = 420;
constexpr int kFadedIn = 250;
constexpr int kFadedOut = 19;

// The order in which hovered items are looked at.
constexpr int kHoverOrder[8] = {7, 5, 1, 8, 2, 4, 3, 6};

void SetLabel(const TGameWorld& world, std::string_view name, std::string text) {
    if (auto* label = dynamic_cast<TGuiLabel*>(FindGameControl(world, name)))
        label->SetText(std::move(text));
}

} // namespace

const std::array<tshop::TItem, 9>& tshop::Items() {
    static const std::array<TItem, 9> items = {{
        {},
        {"itemz1", "mix_shop", 20, 10, 540, 45, 3, 540, 636, 55, 117, 534, 54, 595, 75,
         "Mixtura. Deletes all the fishes of the chosen colour.", "", " coins"},
        {"itemz2", "flame_shop", 20, 20, 385, 170, 2, 376, 472, 180, 242, 370, 179, 422, 210,
         "Fire. Burns all the fishes on its path from the chosen", "one.", " coins"},
        {"itemz3", "lightning_shop", 30, 20, 290, 290, 1, 296, 392, 307, 369, 289, 306, 340, 346,
         "Electrical discharge. Burns the fishes along the random",
         "line containing the chosen one. ", " coin"},
        {"itemz4", "colba_shop", 20, 10, 550, 175, 2, 540, 636, 180, 242, 534, 179, 600, 210,
         "Reagent. Dissolves one fish of each colour.", "", " coins"},
        {"itemz5", "spric_shop", 30, 20, 380, 35, 4, 376, 472, 55, 117, 370, 54, 422, 75,
         "Injection. Deletes all the fishes around the chosen one.", "", " coins"},
        {"itemz6", "drugs_shop", 27, 16, 457, 295, 1, 456, 552, 307, 369, 450, 306, 508, 346,
         "Pills. Deletes a few fishes of the same colour with the", " chosen one. ", " coin"},
        {"itemz7", "fiolet_shop", 2, 0, 220, 45, 5, 214, 310, 55, 117, 208, 54, 250, 75,
         "Ultraviolet. Strikes the whole horizontal line with the", "chosen fish.", " coins"},
        {"itemz8", "sound_shop", 20, 23, 215, 142, 3, 214, 310, 180, 242, 208, 179, 247, 210,
         "Ultra sound. Terminates the whole vertical column", "containing the chosen fish.",
         " coins"},
    }};
    return items;
}

tshop::tshop(TGameWorld& world, float x, float y, std::function<void()> onClosed)
    : TSprite(world.Engine), world_(world), onClosed_(std::move(onClosed)) {
    TGameState& s = *world.State;
    s.ShopClosing = 0;
    s.ShopStock = s.SuperBonusCount;
    s.ShopCoins = s.Coins;
    for (int i = 1; i <= 8; ++i) SetLabel(world, "SC" + std::to_string(i), "");

    X = x;
    Y = y;
    SetImageName("shop");
    SetZ(-1);
    SetAlpha(0);
    for (int i = 1; i <= 8; ++i) {
        const TItem& item = Items()[i];
        auto* sprite = new TAnimatedSprite(Engine);
        sprite->SetAnim(item.picture, 0, 12, 200, true, false, false, 0);
        sprite->X = item.x;
        sprite->Y = item.y;
        sprite->SetZ(2);
        sprite->ScaleX = sprite->ScaleY = 0.7f;
        sprite->SetAlpha(0);
        ItemSprites[i] = sprite;

        auto* grey = new TSprite(Engine);
        grey->SetImageName(item.unavailable);
        grey->X = item.x + item.offX;
        grey->Y = item.y + item.offY;
        grey->SetZ(2);
        grey->Visible = false;
        grey->SetAlpha(0);
        Unavailable[i] = grey;
    }
    for (TSprite*& icon : CoinIcons) {
        icon = new TSprite(Engine);
        icon->SetImageName("staticmoneta");
        icon->ScaleX = icon->ScaleY = 0.9f;
        icon->SetAlpha(0);
    }
    Highlight = new TSprite(Engine);
    Highlight->SetImageName("shopbutton");
    Highlight->SetZ(1);
    Highlight->Visible = false;
}

void tshop::Dead() {
    if (!IsDead) {
        for (int i = 1; i <= 8; ++i) {
            ItemSprites[i]->Dead();
            Unavailable[i]->Dead();
        }
        for (TSprite* icon : CoinIcons) icon->Dead();
        Highlight->Dead();
    }
    TSprite::Dead();
}

void tshop::Move(float Delta) {
    if (IsDead) return;
    TGameState& s = *world_.State;
    Sparkle();
    for (int i = 1; i <= 8; ++i) ItemSprites[i]->DoAnimate = false;
    Highlight->Visible = false;
    PlaceCoins();
    for (const char* name : {"Label1", "Label10", "Label2"}) SetLabel(world_, name, "");
    ShowItems();

    if (!FadedIn) {
        SetAlphaAll(Alpha + 3);
        if (Alpha >= kFadedIn) {
            if (TGuiControl* form = FindGameControl(world_, "Shop_form")) {
                form->Show();
                form->BringToFront();
            }
            FadedIn = true;
        }
    }
    if (s.ShopClosing) {
        if (Alpha > kFadedOut) {
            SetAlphaAll(Alpha - 3);
        } else {
            s.ShopClosing = 0;
            if (onClosed_)
                onClosed_();
            else
                s.ScreenState = 36; // on to the level intro, without its enter handler
        }
    } else if (FadedIn) {
        Trade();
    }
    CentreLabels();
    if (s.ScreenState != kShopState) Dead();
    // A button held down buys one item only.
    s.MouseHeld = 0;
}

void tshop::Sparkle() {
    static constexpr float kPoints[5][2] = {
        {225, 540}, {531, 540}, {227, 438}, {447, 576}, {490, 527}};
    TGameState& s = *world_.State;
    if (s.PulseCounter != 0) return;
    s.PulseCounter = -1;
    const auto& p = kPoints[RandomInt(world_, 5)];
    StartEffect(world_, "Exampel.pss", p[0], p[1]);
}

void tshop::PlaceCoins() {
    const int coins = world_.State->ShopCoins;
    int w, h;
    ImageSize(world_, "staticmoneta", w, h);
    const float half = w / 2.0f, y = 503;
    auto place = [&](int i, float x) {
        CoinIcons[i]->X = x;
        CoinIcons[i]->Y = y;
    };
    for (TSprite* icon : CoinIcons) icon->Visible = coins > 0;
    CoinText.clear();
    if (coins == 1) {
        for (int i = 0; i < 3; ++i) place(i, 423 - half);
    } else if (coins == 2) {
        place(0, 403 - half);
        place(1, 403 - half);
        place(2, 443 - half);
    } else if (coins == 3) {
        for (int i = 0; i < 3; ++i) place(i, 383 + 40 * i - half);
    } else if (coins > 3) {
        // Two digits need the room: pile and count move 10 pixels left.
        const float shift = coins >= 10 ? 10 : 0;
        for (int i = 0; i < 3; ++i) place(i, 395 - shift);
        CoinText = "X" + std::to_string(coins);
        CoinTextX = 435 - shift;
        CoinTextY = 512;
        DrawGameText(world_, kCountFont, CoinText, CoinTextX, CoinTextY,
                     TextColour(0xACECF2, Alpha));
    }
}

void tshop::ShowItems() {
    const TGameState& s = *world_.State;
    for (int i = 1; i <= 8; ++i) {
        const bool available = s.ShopStock[i] > 0 || s.ShopCoins >= Items()[i].price;
        ItemSprites[i]->Visible = available;
        Unavailable[i]->Visible = !available;
    }
}

void tshop::SetAlphaAll(int alpha) {
    SetAlpha(alpha);
    for (TSprite* icon : CoinIcons) icon->SetAlpha(alpha);
    for (int i = 1; i <= 8; ++i) {
        ItemSprites[i]->SetAlpha(alpha);
        Unavailable[i]->SetAlpha(alpha);
    }
}

void tshop::Describe(int item) {
    const TItem& it = Items()[item];
    SetLabel(world_, "Label1", it.line1);
    SetLabel(world_, "Label10", it.line2);
    SetLabel(world_, "Label2", std::to_string(it.price) + it.unit);
}

void tshop::Trade() {
    TGameState& s = *world_.State;
    for (int i = 1; i <= 8; ++i) {
        const int stock = s.ShopStock[i];
        SetLabel(world_, "SC" + std::to_string(i), stock ? std::to_string(stock) : "");
    }
    if (!world_.Cursor) return;
    const float cx = world_.Cursor->X, cy = world_.Cursor->Y;
    for (int i : kHoverOrder) {
        const TItem& it = Items()[i];
        if (!(it.zoneLeft < cx && cx < it.zoneRight && it.zoneTop < cy && cy < it.zoneBottom))
            continue;
        ItemSprites[i]->DoAnimate = true;
        if (s.ShopStock[i] > 0) Describe(i);
        if (s.ShopCoins >= it.price) {
            Highlight->X = it.highlightX;
            Highlight->Y = it.highlightY;
            Highlight->Visible = true;
            Describe(i);
            if (s.MouseHeld && s.ShopCoins >= it.price) {
                s.ShopStock[i] += 1;
                s.ShopCoins -= it.price;
                new tcoinfly(world_, it.coinX, it.coinY);
            }
        }
    }
}

void tshop::CentreLabels() {
    for (const char* name : {"Label1", "Label10"}) {
        auto* label = dynamic_cast<TGuiLabel*>(FindGameControl(world_, name));
        if (!label) continue;
        // The centre is a screen position; the label's left edge is its form's.
        const float w = GameTextWidth(world_, kLabelFont, label->Text());
        const int parentLeft = label->Parent() ? label->Parent()->ScreenRect().Left : 0;
        label->SetLeft(int(std::lround(kLabelCentre - w / 2)) - parentLeft);
    }
}

void ShopConfirm(TGameWorld& world) {
    TGameState& s = *world.State;
    world.PlayEffect("check");
    s.Coins = s.ShopCoins;
    s.SuperBonusCount = s.ShopStock;
    s.ShopClosing = 1;
    if (TGuiControl* form = FindGameControl(world, "Shop_form")) {
        form->Hide();
        form->SendToBack();
    }
}

void ShopCancel(TGameWorld& world) {
    TGameState& s = *world.State;
    world.PlayEffect("check");
    s.ShopStock = s.SuperBonusCount;
    s.ShopCoins = s.Coins;
}
