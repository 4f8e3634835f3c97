#include "engine/TextUtil.h"
#include "objects/Cursor.h"
#include "platform/Platform.h"
#include "shell/Unit1.h"
#include <cmath>

float TForm1::MoveDelta() {
    const uint64_t now = Platform.clock().TickCount();
    const bool advanced = !firstFrame_ && now > lastFrameTick_;
    firstFrame_ = false;
    lastFrameTick_ = now;
    return advanced ? 0.001f : 0.0f;
}

void TForm1::DrawEffects() {
    if (!Particles) return;
    for (int i = 0; i < Particles->Count(); ++i) {
        TXParticleSystem* fx = Particles->Items(i);
        if (fx && !SameText(fx->Name, "dontpaint")) fx->Draw(MyCanvas, 0, 0);
    }
}

void TForm1::DrawCentred(int font, const std::string& text, float cx, float y, TGfxColor colour) {
    if (TGfxFont* f = Fonts.Items(font)) f->TextOut(text, cx - f->TextWidth(text) / 2, y, colour);
}

void TForm1::DrawOverlay() {
    if (TGfxFont* f = Fonts.Items(7)) {
        f->TextOut("Score", 135, 20, 0xFF51D5FF);
        DrawCentred(7, std::to_string(Game.GetScore()), 185, 55, 0xFF51D5FF);
    }
    if (Game.Coins > 3)
        if (TGfxFont* f = Fonts.Items(8))
            f->TextOutEx("X" + std::to_string(Game.Coins), float(Game.CoinTextX),
                         float(Game.CoinTextY), 0xF7ACECF2, 0xF7ACECF2, fxBlend);
    if (Hooks.DrawBonusCounts) Hooks.DrawBonusCounts();
}

void TForm1::DrawComboBanner() {
    if (Game.ShownChain <= 0 || Game.ChainBannerPos <= 0) return;
    uint32_t top = 0, bottom = 0;
    if (BannerColours(Game.ChainBannerPos, top, bottom))
        if (TGfxFont* f = Fonts.Items(7)) {
            const std::string text = "COMBO X" + std::to_string(Game.ShownChain + 1);
            f->TextOutEx(text, 500 - f->TextWidth(text) / 2,
                         float(int64_t(Game.ChainBannerPos) / 4 + 100), top, bottom, fxBlend);
        }
    Game.ChainBannerPos -= 4;
}

void TForm1::RunStep(TFrameStep step, float delta) {
    auto drawFull = [&](const char* name, uint32_t fx) {
        if (TGfxImage* image = Images.Find(name)) MyCanvas.DrawPattern(image, 0, 0, 0, fx);
    };
    switch (step) {
    case TFrameStep::BackOpaque: drawFull("zad", fxNone); break;
    case TFrameStep::BackBlend: drawFull("zad", fxBlend); break;
    case TFrameStep::MenuBack: drawFull("back", fxNone); break;
    case TFrameStep::FinalPicture: drawFull("finalpicture", fxNone); break;
    case TFrameStep::Collide: if (SpriteEngine) SpriteEngine->Collision(); break;
    case TFrameStep::Free: if (SpriteEngine) SpriteEngine->Dead(); break;
    case TFrameStep::Draw: if (SpriteEngine) SpriteEngine->Draw(); break;
    case TFrameStep::Move: if (SpriteEngine) SpriteEngine->Move(delta); break;
    case TFrameStep::CursorMove: if (Cursor) Cursor->Move(0.001f); break;
    case TFrameStep::Gui: if (GuiBase) GuiBase->Draw(); break;
    case TFrameStep::Advance: if (Particles) Particles->Update(10 * delta); break;
    case TFrameStep::AdvanceFixed: if (Particles) Particles->Update(0.01f); break;
    case TFrameStep::Effects: DrawEffects(); break;
    case TFrameStep::Cursor: if (Cursor) Cursor->Draw(); break;
    case TFrameStep::CursorIfVisible: if (Cursor && Cursor->Visible) Cursor->Draw(); break;
    case TFrameStep::Overlay: DrawOverlay(); break;
    case TFrameStep::Banner: DrawComboBanner(); break;
    case TFrameStep::HelpPage:
        if (Game.HelpPage >= 0 && Game.HelpPage <= 14)
            if (TGfxImage* page = Images.Find("helpscreen" + std::to_string(Game.HelpPage + 1)))
                MyCanvas.DrawPattern(page, 0, 448, 273, fxBlend);
        break;
    case TFrameStep::HowToPlayPage:
        if (Game.HowToPlayPage >= 0 && Game.HowToPlayPage <= 4)
            if (TGfxImage* page = Images.Find("htpscreen" + std::to_string(Game.HowToPlayPage + 1)))
                MyCanvas.DrawPattern(page, 0, 393, 175, fxBlend);
        break;
    case TFrameStep::ExitScreen: if (Hooks.DrawExitScreen) Hooks.DrawExitScreen(); break;
    case TFrameStep::PauseText: DrawCentred(7, "PAUSE", 400, 280, 0xFF1721FC); break;
    }
}

void TForm1::DeviceRender() {
    const int rate = Timer.FrameRate();
    double factor = rate > 0 ? std::pow(70.0 / rate, 2) : 1.2;
    if (factor > 1.2) factor = 1.2;
    Game.SpeedFactor = std::fabs(factor);

    const float delta = MoveDelta();
    TFrameContext context;
    context.finalPictureShown = Game.FinalPictureShown != 0;
    context.storyVisible = FormVisible("scr_story");
    context.menuBack = DrawsMenuBack(Game.ScreenState);
    lastSteps_ = FrameRecipe(Game.ScreenState, context);
    for (TFrameStep step : lastSteps_) RunStep(step, delta);
}
