#include "board/tkombobar.h"
#include "board/BoardGui.h"
#include "board/BoardPhases.h"
#include "board/GameWorld.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "objects/Cursor.h"
#include <numbers>
#include <string>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr float kBarSlideSpeed = 4;
constexpr float kProgressHalfWidth = 80.5f;
constexpr uint32_t kCountColour = 0xFFFFDEDE;
constexpr int kCountFont = 8;

std::string Numbered(const char* name, int n) { return name + std::to_string(n); }

const TGfxImage* FindImage(const TSpriteEngine* engine, const std::string& name) {
    return engine->Images ? engine->Images->Find(name) : nullptr;
}

} // namespace

const std::array<tkombobar::TItemPlace, 9>& tkombobar::ItemPlaces() {
    static const std::array<TItemPlace, 9> places = {{
        {},
        {50, 376, 56, 373, 95, 386, 20, 20, 0, 20, 36, 40, 0},
        {110, 373, 115, 377, 160, 405, 20, 20, 10, 10, 36, 38, kPi / 4},
        {150, 410, 165, 410, 197, 463, 25, 20, 20, 20, 45, 41, kPi / 2},
        {155, 480, 162, 479, 178, 532, 20, 20, 15, 15, 44, 34, 3 * kPi / 4},
        {50, 510, 66, 517, 60, 548, 25, 30, 20, 20, 47, 55, 5 * kPi / 4},
        {0, 475, 12, 476, 22, 490, 20, 25, 20, 20, 49, 47, 3 * kPi / 2},
        {115, 520, 115, 513, 128, 564, 20, 25, 20, 20, 43, 39, kPi},
        {2, 410, 13, 422, 40, 420, 20, 25, 20, 20, 45, 52, 7 * kPi / 4},
    }};
    return places;
}

tkombobar::tkombobar(TSpriteEngine* engine, TGameWorld& world, float x, float y)
    : TSprite(engine), world_(world) {
    SetImageName("combobar");
    X = x;
    Y = y;

    ProgressSprite = new TSprite(engine);
    ProgressSprite->SetImageName("comboprogress");
    ProgressSprite->X = x + 16.1f - 0.5f;
    ProgressSprite->Y = y + 12; // in the trough along the bar's top edge
    ProgressSprite->ScaleX = 0.2f;
    // Over the bar's picture, which would otherwise cover it (equal Z lie newest first).
    ProgressSprite->SetZ(1);

    // The reels sit in the window in the middle of the ring, the arrow above the middle one.
    for (int i = 0; i < 3; ++i) {
        Reels[i] = new TSprite(engine);
        Reels[i]->X = x + 56 + 30 * i;
        Reels[i]->Y = y + 106;
        Reels[i]->ScaleX = Reels[i]->ScaleY = 0.6f;
        Reels[i]->SetZ(1);
    }

    Arrow = new TSprite(engine);
    Arrow->SetImageName("strelkacazino");
    Arrow->SetDrawMode(1);
    Arrow->X = x + 110;
    Arrow->Y = y + 95;
    Arrow->ScaleX = Arrow->ScaleY = 0.7f;
    Arrow->SetZ(2);

    for (TSprite*& plain : Plain) {
        plain = new TSprite(engine);
        plain->X = x + 68;
        plain->Y = y + 87;
        plain->SetZ(3);
    }

    for (int n = 1; n <= 8; ++n) {
        const TItemPlace& place = ItemPlaces()[n];
        TAnimatedSprite* item = new TAnimatedSprite(engine);
        item->SetAnim(Numbered("itemz", n), 0, 12, 400, true, 0);
        item->X = place.x;
        item->Y = place.y;
        item->ScaleX = item->ScaleY = 0.55f;
        item->SetZ(3);
        ItemSprites[n] = item;

        TSprite* disabled = new TSprite(engine);
        disabled->SetImageName(Numbered("disab", n));
        disabled->X = place.disabledX;
        disabled->Y = place.disabledY;
        disabled->Visible = false;
        disabled->ScaleX = disabled->ScaleY = 0.7f;
        disabled->SetZ(10);
        DisabledSprites[n] = disabled;
    }

    Highlight = new TSprite(engine);
    Highlight->SetImageName("knopka1");
    Highlight->Visible = false;
    Highlight->SetDrawMode(1);
    Highlight->ScaleX = Highlight->ScaleY = 0.9f;
    Highlight->SetZ(2);
}

void tkombobar::Move(float Delta) {
    TSprite::Move(Delta);
    TGameState& s = *world_.State;
    if (s.LeavingPlay) {
        SlideAway();
        return;
    }
    UpdateItems();

    if (s.BoardPhase == PhaseBurst && !CoinsDropped) {
        CoinsDropped = 1;
        for (const TPointsLabel& label : PointsLabels(s))
            world_.hooks().CreateMoney(label.x, label.y, label.points);
    }
    if (s.BoardPhase != PhaseBurst && s.BoardPhase != PhaseSuperBonus) CoinsDropped = 0;

    UpdateReels();
    if (CollectFullComboBar(s)) {
        ReelsRunning = 1;
        ReelTimer = 300;
    }
    const float progress = s.ComboProgress / 100.0f;
    // Scaled about its centre, so this keeps the bar's left end still while it grows.
    ProgressSprite->X = progress * kProgressHalfWidth + X + 30 - kProgressHalfWidth;
    ProgressSprite->ScaleX = progress;

    if (s.GrowingCount == 0) RunChecks();
}

void tkombobar::Dead() {
    if (IsDead) return;
    for (TSprite* part : {ProgressSprite, Arrow, Highlight}) part->Dead();
    for (TSprite* part : Reels) part->Dead();
    for (TSprite* part : Plain) part->Dead();
    for (int n = 1; n <= 8; ++n) {
        ItemSprites[n]->Dead();
        DisabledSprites[n]->Dead();
    }
    TSprite::Dead();
}

void tkombobar::SlideAway() {
    const TGfxImage* picture = FindImage(Engine, ImageName);
    const float width = picture ? float(picture->PatternWidth) : 0;
    if (X <= -width) return;
    for (TSprite* plain : Plain) plain->Visible = false;
    for (int n = 1; n <= 8; ++n) {
        ItemSprites[n]->Visible = false;
        DisabledSprites[n]->Visible = true;
    }
    Highlight->Visible = false;
    const float dx = float(-kBarSlideSpeed * world_.State->SpeedFactor);
    X += dx;
    for (int n = 1; n <= 8; ++n) DisabledSprites[n]->X += dx;
    // What lies on the bar leaves with it.
    for (TSprite* part : {ProgressSprite, Arrow, Reels[0], Reels[1], Reels[2]}) part->X += dx;
}

bool tkombobar::Hovered(int item, float px, float py) const {
    const TGfxImage* picture = FindImage(Engine, ItemSprites[item]->ImageName);
    if (!picture) return false;
    const TItemPlace& place = ItemPlaces()[item];
    return place.x + place.left < px && px < place.x + picture->PatternWidth - place.right &&
           place.y + place.top < py && py < place.y + picture->PatternHeight - place.bottom;
}

void tkombobar::UpdateItems() {
    TGameState& s = *world_.State;
    for (int n = 1; n <= 8; ++n) {
        DisabledSprites[n]->Visible = false;
        ItemSprites[n]->Visible = s.SuperBonusCount[n] != 0;
        ItemSprites[n]->DoAnimate = false;
    }
    DrawCounts(world_);

    bool hovered = false;
    TCursor* cursor = world_.Cursor;
    for (int n = 1; n <= 8 && cursor; ++n) {
        if (!ItemSprites[n]->Visible || !Hovered(n, cursor->X, cursor->Y)) continue;
        const TItemPlace& place = ItemPlaces()[n];
        hovered = true;
        ItemSprites[n]->DoAnimate = true;
        Highlight->X = place.x + place.highlightX;
        Highlight->Y = place.y + place.highlightY;
        Highlight->Angle = float(place.highlightAngle);
        Highlight->Visible = true;
        if (s.ScreenState == 13 && s.MouseHeld && cursor->ShowsPointer() && !s.RightButtonHeld &&
            s.SuperBonusCount[n] > 0) {
            // The item is now carried; a press on a chip places it, Escape or the right
            // button gives it back.
            cursor->SetImageName(ItemSprites[n]->ImageName);
            cursor->ScaleX = cursor->ScaleY = 0.6f;
            --s.SuperBonusCount[n];
        }
    }
    for (int n = 1; n <= 8; ++n)
        if (s.SuperBonusCount[n] == 0) {
            ItemSprites[n]->Visible = false;
            DisabledSprites[n]->Visible = true;
        }
    if (!hovered) Highlight->Visible = false;
}

void tkombobar::DrawCounts(const TGameWorld& world) {
    const TGameState& s = *world.State;
    // The refill's extra sprite step would draw every count a second time.
    if (s.TickLock || !world.Fonts || !world.Fonts->Canvas) return;
    TGfxFont* font = world.Fonts->Items(kCountFont);
    if (!font) return;
    for (int n = 1; n <= 8; ++n) {
        const int count = s.SuperBonusCount[n];
        if (count <= 1) continue;
        const std::string text = (n <= 4 ? " " : "") + std::to_string(count);
        font->TextOut(text, ItemPlaces()[n].countX, ItemPlaces()[n].countY, kCountColour);
    }
}

void tkombobar::UpdateReels() {
    if (!ReelsRunning) return;
    --ReelTimer;
    auto spin = [&](TSprite* reel) {
        reel->SetImageName(Numbered("c", (world_.Rng ? world_.Rng->Random(6) : 0) + 1));
        reel->Visible = true;
    };
    if (ReelTimer == 200) spin(Reels[0]);
    if (ReelTimer == 100) spin(Reels[1]);
    if (ReelTimer <= 0) {
        spin(Reels[2]);
        ReelsRunning = 0;
    }
}

void tkombobar::RunChecks() {
    TGameState& s = *world_.State;
    if (s.BoardPhase == PhaseCheckSwap) {
        CheckAfterSwap(s, *world_.Rng);
    } else if (s.BoardPhase == PhaseCheckRefill) {
        const TRefillCheck check = CheckAfterRefill(s, *world_.Rng, ShuffleButtonsShown(world_));
        if (check.gameOver) world_.hooks().EnterGameOver();
        if (check.chained) world_.PlayEffect("combogo");
    }
}
