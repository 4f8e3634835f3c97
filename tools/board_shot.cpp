// kelvora_board_shot: builds a level's board with its combo bar from the runtime data,
// plays it headless for a number of frames and writes the screen through the SDL software
// renderer, to look at the board as a player sees it.
//   kelvora_board_shot <runtime dir> <out.png> [options]
//     --level N       level 1..16 (1)
//     --frames N      frames after the board has grown in (30)
//     --items a,b,..  super-bonus stock of items 1..8 (2,1,0,3,5,1,0,12)
//     --mouse X,Y     where the mouse stands (the pointer is drawn there)
//     --hint          buy a hint once the board has grown in
//     --select C,R    press the chip of column C, row R
//     --combo N       combo progress 0..100 (40); 100 pays and spins the reels
#include "board/BoardModel.h"
#include "board/GameWorld.h"
#include "board/tfing.h"
#include "board/tzadnik.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxDb.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "engine/Random.h"
#include "engine/Screenshot.h"
#include "engine/XParticles.h"
#include "objects/Cursor.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/sdl/SdlRenderer.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<int> Numbers(const char* text) {
    std::vector<int> out;
    for (const char* p = text; *p;) {
        char* end = nullptr;
        out.push_back(int(std::strtol(p, &end, 10)));
        if (end == p) break;
        p = *end == ',' ? end + 1 : end;
    }
    return out;
}

bool OpenArchive(TResDb& db, const std::string& file) {
    db.SetFileName(file);
    db.OpenMode = opReadOnly;
    return db.Ensure();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kelvora_board_shot <runtime dir> <out.png> [options]\n");
        return 2;
    }
    const std::string runtime = argv[1], out = argv[2];
    int level = 1, frames = 30, combo = 40;
    std::vector<int> items = {2, 1, 0, 3, 5, 1, 0, 12};
    std::vector<int> mouse, select;
    bool hint = false;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : "";
        if (arg == "--hint") {
            hint = true;
            continue;
        }
        if (arg == "--level")
            level = std::atoi(value);
        else if (arg == "--frames")
            frames = std::atoi(value);
        else if (arg == "--combo")
            combo = std::atoi(value);
        else if (arg == "--items")
            items = Numbers(value);
        else if (arg == "--mouse")
            mouse = Numbers(value);
        else if (arg == "--select")
            select = Numbers(value);
        else {
            std::fprintf(stderr, "kelvora_board_shot: unknown option %s\n", arg.c_str());
            return 2;
        }
        ++i;
    }

    auto renderer = platform::sdl::CreateSoftwareRenderer();
    TGfxDevice device(*renderer);
    TGfxCanvas canvas(&device);
    TGfxImages images(&device);
    TGfxFonts fonts(&device, &canvas);
    if (!device.Initialize()) {
        std::fprintf(stderr, "kelvora_board_shot: no renderer\n");
        return 1;
    }
    // The game's loading order: images, then fonts, of each archive.
    TResDb data, gdata, data1;
    if (!OpenArchive(data, runtime + "/Data/data.fgg") ||
        !OpenArchive(gdata, runtime + "/Data/gdata.fgg") ||
        !OpenArchive(data1, runtime + "/Data/data1.fgg") || !images.LoadFromResDb(data) ||
        !fonts.LoadFromResDb(data) || !images.LoadFromResDb(gdata) || !fonts.LoadFromResDb(gdata) ||
        !fonts.LoadFromResDb(data1)) {
        std::fprintf(stderr, "kelvora_board_shot: cannot load the data of %s\n", runtime.c_str());
        return 1;
    }

    TRandom random(12345);
    TXParticleManager particles(&canvas, random);
    particles.SetImage(images.Items(9));
    particles.LoadFromResDb(data);
    particles.LoadFromResDb(gdata);

    platform::headless::ScriptedWindow window;
    window.mouseX = mouse.size() == 2 ? mouse[0] : 700;
    window.mouseY = mouse.size() == 2 ? mouse[1] : 590;

    TGameState state;
    TSpriteEngine engine;
    engine.Images = &images;
    engine.SetCanvas(&canvas);
    TCursor* cursor = new TCursor(&engine, window, device);

    TGameWorld world;
    world.State = &state;
    world.Engine = &engine;
    world.Images = &images;
    world.Fonts = &fonts;
    world.Canvas = &canvas;
    world.Particles = &particles;
    world.Rng = &random;
    world.Cursor = cursor;

    state.StartNewGame();
    state.LevelNumber = level;
    state.ResetForLevelStart();
    state.StartLevelTime();
    state.ScreenState = 13;
    state.SpeedFactor = 1.2;
    for (size_t n = 0; n < items.size() && n < 8; ++n) state.SuperBonusCount[n + 1] = items[n];
    BuildLevelBoard(world);

    device.OnRender = [&](TGfxDevice&) {
        if (TGfxImage* back = images.Find("zad")) canvas.DrawPattern(back, 0, 0, 0, fxNone);
        engine.Collision();
        engine.Dead();
        engine.Draw();
        engine.Move(0.001f);
        particles.Update(0.01);
        for (int i = 0; i < particles.Count(); ++i)
            if (TXParticleSystem* fx = particles.Items(i); fx->Name != "dontpaint")
                fx->Draw(canvas, 0, 0);
        cursor->Draw();
    };
    auto frame = [&] { device.Render(0xFF000000, true); };

    // Fade in, build, grow in.
    for (int i = 0; i < 1000 && !(state.GrowingCount == 0 && engine.Count() > 100); ++i) frame();
    state.ComboProgress = combo;
    if (select.size() == 2) {
        const int keepX = window.mouseX, keepY = window.mouseY;
        window.mouseX = int(CellX(state, select[0])) + 12;
        window.mouseY = int(CellY(state, select[1])) + 12;
        frame();
        state.MouseHeld = 1;
        frame();
        window.mouseX = keepX;
        window.mouseY = keepY;
    }
    if (hint) {
        state.SetScore(state.GetScore() + HintPrice);
        HintButtonClick(world);
    }
    for (int i = 0; i < frames; ++i) frame();
    if (!SaveScreenshot(device, out)) {
        std::fprintf(stderr, "kelvora_board_shot: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("kelvora_board_shot: level %d, phase %d, %d sprites, %s\n", level, state.BoardPhase,
                engine.Count(), out.c_str());
    return 0;
}
