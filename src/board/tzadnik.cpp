#include "board/tzadnik.h"
#include "board/BoardGui.h"
#include "board/BoardModel.h"
#include "board/GameWorld.h"
#include "board/TFishka.h"
#include "board/podlarray.h"
#include "board/tfing.h"
#include "board/tkombobar.h"
#include "engine/GfxFonts.h"
#include "engine/GuiControls.h"
#include <string>

namespace {
constexpr float kFadeStep = 3;
constexpr uint32_t kScoreColour = 0xFF51D5FF;
constexpr int kScoreFont = 7;
} // namespace

tzadnik::tzadnik(TSpriteEngine* engine, TGameWorld& world, float x, float y)
    : TSprite(engine), world_(world) {
    SetImageName("pole");
    X = x - 5;
    Y = y - 5;
    SetZ(-1);
    Backdrop = new TSprite(engine);
    Backdrop->SetImageName("zadnik2");
    Backdrop->X = x - 35;
    Backdrop->Y = y - 35;
    Backdrop->ScaleX = Backdrop->ScaleY = 0.92f;
    Backdrop->SetZ(-1);
    SetFade(0);
}

void tzadnik::SetFade(float alpha) {
    SetAlpha(int(alpha));
    Backdrop->SetAlpha(int(alpha));
}

void tzadnik::Dead() {
    if (IsDead) return;
    Backdrop->Dead();
    TSprite::Dead();
}

void tzadnik::Move(float Delta) {
    TGameState& s = *world_.State;
    const float step = float(kFadeStep * s.SpeedFactor);
    if (s.LeavingPlay) {
        if (FadeAlpha > 10) FadeAlpha -= step;
        SetFade(FadeAlpha);
    } else {
        if (FadeAlpha < 250) {
            FadeAlpha += step;
            SetFade(FadeAlpha);
        }
        if (FadeAlpha >= 250 && !Built) {
            FadeAlpha = 255;
            SetFade(FadeAlpha);
            Built = true;
            Build();
        }
        if (Built)
            if (auto chips = FinishShuffle(s, *world_.Rng, ShuffleButtonsShown(world_)))
                TFishka::CreateChips(world_, *chips);
    }
    ScorePanel();
}

void tzadnik::Build() {
    TGameState& s = *world_.State;
    TBoardBuild build = BuildBoard(s, *world_.Rng, ShuffleButtonsShown(world_));
    Underlay = new podlarray(Engine, world_, build.underlay);
    TFishka::CreateChips(world_, build.chips);
    ComboBar = new tkombobar(Engine, world_, 15, 360);
    world_.hooks().CreateLevelObjects();
    for (const char* name : {"G_mix1", "G_mix2", "G_mix3"})
        if (TGuiControl* button = FindBoardControl(world_, name)) button->Show();
    if (TGuiControl* panel = FindBoardControl(world_, "L_form")) {
        panel->Show();
        panel->BringToFront();
    }
    s.MouseHeld = 0;
}

void tzadnik::ScorePanel() {
    const TGameState& s = *world_.State;
    if (!ControlVisible(world_, "L_form")) return;
    const int score = s.GetScore();
    // Not in the refill's extra sprite step, which would write the score twice.
    if (!s.TickLock && world_.Fonts && world_.Fonts->Canvas)
        if (TGfxFont* font = world_.Fonts->Items(kScoreFont)) {
            font->TextOut("Score", 135, 20, kScoreColour);
            const std::string text = std::to_string(score);
            font->TextOut(text, 185 - font->TextWidth(text) / 2, 55, kScoreColour);
        }
    SetControlVisible(world_, "G_help", score >= HintPrice);
}

tzadnik* BuildLevelBoard(TGameWorld& world) {
    TGameState& s = *world.State;
    ResetBonusPool(s, *world.Rng);
    return new tzadnik(world.Engine, world, float(s.BoardOriginX - 10), float(s.BoardOriginY - 10));
}
