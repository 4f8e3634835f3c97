// kelvora_story_shot: stages the level and story objects on the game's own data and writes
// one PNG per scene, through the SDL software renderer, for people to look at.
//   kelvora_story_shot <runtime dir> <out dir>
// Scenes: play (clock and flask beside the board, parts in flight), grown (the full flask),
// title (the hall, eyes open), blink (the same mid-blink), story (the speech window),
// intro (the scroll with a level's lines), final (the closing picture with fireworks).
#include "board/GameWorld.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxDb.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "engine/GuiBase.h"
#include "engine/GuiLabel.h"
#include "engine/Random.h"
#include "engine/Screenshot.h"
#include "engine/XParticles.h"
#include "objects/FinalPicture.h"
#include "objects/Flask.h"
#include "objects/LevelClock.h"
#include "objects/LevelIntro.h"
#include "objects/MoleculePart.h"
#include "objects/StoryDoctor.h"
#include "objects/StoryText.h"
#include "objects/TitleDoctor.h"
#include "platform/sdl/SdlRenderer.h"
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

namespace {

struct Stage {
    std::unique_ptr<platform::Renderer> renderer = platform::sdl::CreateSoftwareRenderer();
    TGfxDevice device{*renderer};
    TGfxCanvas canvas{&device};
    TGfxImages images{&device};
    TGfxFonts fonts{&device, &canvas};
    TResDb data, gdata, data1;
    TRandom rng{11};
    TXParticleManager particles{&canvas, rng};
    TGameState state;
    TGameWorld world;
    TGuiOwner owner;
    TGuiBase gui{&owner};

    bool Load(const std::string& runtime) {
        if (!device.Initialize()) return false;
        for (TResDb* db : {&data, &gdata, &data1}) db->OpenMode = opReadOnly;
        data.SetFileName(runtime + "/Data/data.fgg");
        gdata.SetFileName(runtime + "/Data/gdata.fgg");
        data1.SetFileName(runtime + "/Data/data1.fgg");
        bool ok = images.LoadFromResDb(data) && fonts.LoadFromResDb(data);
        ok = ok && images.LoadFromResDb(gdata) && fonts.LoadFromResDb(gdata);
        fonts.LoadFromResDb(data1);
        particles.LoadFromResDb(data);
        particles.LoadFromResDb(gdata);
        particles.SetImage(images.Items(9));
        state.SpeedFactor = 1.0;
        world.State = &state;
        world.Images = &images;
        world.Particles = &particles;
        world.Rng = &rng;
        world.OnEnterState = [this](uint8_t s) { state.ScreenState = s; };
        gui.SetCanvas(&canvas);
        gui.SetImages(&images);
        gui.SetFonts(&fonts);
        // The screens' forms, when the data has them; every form starts hidden.
        if (gui.LoadFromFile(runtime + "/Data/gfx.fgg")) {
            world.Gui = &gui;
            for (int i = 0; i < gui.Root().ChildCount(); ++i) gui.Root().Child(i)->Hide();
        }
        return ok;
    }

    // A scene runs on a fresh engine; the frame draws as the screen's render handler does.
    void Shoot(const std::string& file, TSpriteEngine& engine, int frames, const char* back,
               const std::function<void(int)>& perFrame, const std::function<void()>& overlay) {
        for (int i = 0; i <= frames; ++i) {
            if (perFrame) perFrame(i);
            device.OnRender = [&](TGfxDevice&) {
                if (back)
                    if (TGfxImage* image = images.Find(back)) canvas.DrawPattern(image, 0, 0, 0, 1);
                engine.Dead();
                engine.Draw();
                engine.Move(0.001f);
                particles.Update(0.01);
                for (int k = 0; k < particles.Count(); ++k)
                    if (particles.Items(k)->Name != "dontpaint")
                        particles.Items(k)->Draw(canvas, 0, 0);
                if (overlay) overlay();
                if (world.Gui) {
                    gui.Update();
                    gui.Draw();
                }
            };
            device.Render(0xFF000000, true);
        }
        if (SaveScreenshot(device, file))
            std::printf("kelvora_story_shot: wrote %s\n", file.c_str());
        else
            std::fprintf(stderr, "kelvora_story_shot: cannot write %s\n", file.c_str());
    }
};

void DrawCentred(TGfxFonts& fonts, int font, std::string_view text, float centreX, float y,
                 TGfxColor color) {
    if (TGfxFont* f = fonts.Items(font))
        f->TextOut(text, std::round(centreX - f->TextWidth(text) / 2), y, color);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kelvora_story_shot <runtime dir> <out dir>\n");
        return 2;
    }
    const std::string out = std::string(argv[2]) + "/";
    Stage stage;
    if (!stage.Load(argv[1])) {
        std::fprintf(stderr, "kelvora_story_shot: cannot load the data of %s\n", argv[1]);
        return 1;
    }
    TGameState& s = stage.state;
    // The scroll's labels are 480 pixels wide; lines keep clear of their edges.
    if (TGfxFont* f = stage.fonts.Items(1))
        for (int l = 1; l <= kStoryLevels; ++l)
            for (int i = 1; i <= kStoryLinesPerLevel; ++i)
                if (f->TextWidth(StoryLine(l, i)) > 450)
                    std::printf("kelvora_story_shot: level %d line %d is %.0f pixels wide\n", l, i,
                                f->TextWidth(StoryLine(l, i)));
    const int level = argc > 3 ? std::atoi(argv[3]) : 5;

    for (bool grown : {false, true}) {
        TSpriteEngine engine;
        engine.Images = &stage.images;
        engine.SetCanvas(&stage.canvas);
        stage.world.Engine = &engine;
        s.ScreenState = 13;
        s.LevelNumber = level;
        s.FlaskFillStep = 30 / 120.0;
        s.UnderlayCount = grown ? 0 : 12;
        s.UnderlayCleared = grown;
        s.PartsDelivered = grown;
        s.LevelTimeTotal = 150;
        s.LevelTimeLeft = grown ? 40 : 95;
        auto* board = new TSprite(&engine);
        board->SetImageName("pole");
        board->X = 250;
        board->Y = 40;
        board->SetZ(-10);
        new tclocks(stage.world, 15, 15);
        new tcolba(stage.world, 40, 225);
        stage.Shoot(
            out + (grown ? "grown.png" : "play.png"), engine, grown ? 60 : 40, "zad",
            [&](int i) {
                s.PulseCounter = i % 20 == 0 ? 0 : 1;
                if (!grown && i % 8 == 0 && i <= 32)
                    CreateMoleculePart(stage.world, 330 + 64.0f * (i / 8), 120 + 64.0f * (i % 3));
            },
            nullptr);
        while (stage.particles.Count() > 0) {
            for (int k = 0; k < stage.particles.Count(); ++k) stage.particles.Items(k)->Stop(true);
            stage.particles.Update(0.01);
        }
    }

    for (bool blink : {false, true}) {
        TSpriteEngine engine;
        engine.Images = &stage.images;
        engine.SetCanvas(&stage.canvas);
        stage.world.Engine = &engine;
        s.ScreenState = 4;
        new Ttitledoctor(stage.world, 10, 150);
        stage.Shoot(
            out + (blink ? "blink.png" : "title.png"), engine, blink ? 1050 : 300, nullptr,
            [&](int i) { s.PulseCounter = i % 6 == 0 ? 0 : 1; }, nullptr);
    }

    {
        TSpriteEngine engine;
        engine.Images = &stage.images;
        engine.SetCanvas(&stage.canvas);
        stage.world.Engine = &engine;
        s.ScreenState = 34;
        new tlabdoctor1(stage.world, 10, 150);
        // As the story screen's entry leaves them: labels hidden and centred on x 533.
        if (TGuiControl* form = stage.gui.FindControl("scr_story")) {
            form->Show();
            form->BringToFront();
            for (int i = 11; i <= 35; ++i)
                if (auto* l = dynamic_cast<TGuiLabel*>(
                        stage.gui.FindControl("Label" + std::to_string(i)))) {
                    l->Hide();
                    if (TGfxFont* f = stage.fonts.Items(11))
                        l->SetLeft(int(std::lround(533 - f->TextWidth(l->Text()) / 2)));
                }
        }
        stage.Shoot(out + "story.png", engine, 300, nullptr, nullptr, nullptr);
    }

    {
        TSpriteEngine engine;
        engine.Images = &stage.images;
        engine.SetCanvas(&stage.canvas);
        stage.world.Engine = &engine;
        s.ScreenState = 36;
        s.LevelNumber = level;
        s.AdvanceRequested = 0;
        new trazvertka(stage.world, 250);
        new tlabdoctor2(stage.world, 5, 150);
        // The story screen's form goes when its state is left.
        if (TGuiControl* story = stage.gui.FindControl("scr_story")) story->Hide();
        TGuiControl* history = stage.gui.FindControl("G_history");
        if (history) {
            history->Show();
            history->BringToFront();
            for (int i = 1; i <= 5; ++i)
                if (TGuiControl* c = stage.gui.FindControl("story" + std::to_string(i)))
                    if (TGfxFont* f = stage.fonts.Items(1))
                        c->SetLeft(int(std::lround(512 - f->TextWidth(StoryLine(level, i)) / 2)));
        }
        // The level-intro form's labels, as the form centres them on x 512.
        auto lines = [&] {
            if (!s.ScrollDone || history) return;
            DrawCentred(stage.fonts, 7, "Level " + std::to_string(level), 512, 40, 0xFF6A3A1D);
            for (int i = 1; i <= 5; ++i)
                DrawCentred(stage.fonts, 1, StoryLine(level, i), 512, 380 + 28.0f * (i - 1),
                            0xFF40291A);
        };
        stage.Shoot(out + "intro.png", engine, 400, "zad", nullptr, lines);
    }

    {
        TSpriteEngine engine;
        engine.Images = &stage.images;
        engine.SetCanvas(&stage.canvas);
        stage.world.Engine = &engine;
        new tfinal(stage.world, 0, 0);
        stage.Shoot(out + "final.png", engine, 200, nullptr, nullptr, nullptr);
    }
    return 0;
}
