// kelvora_demo: draws a test scene with the engine alone (images, patterns, rotated and tinted
// sprites, text with colour tags, two particle effects) through the SDL software renderer
// and writes it to a PNG. With a form file, its windows are shown and drawn over the scene.
//   kelvora_demo <runtime dir> <out.png> [<form file>]
// With scene words after the form file, the game's own pictures and fonts are loaded instead
// and only what the words show is drawn (tools/FormPreview.h):
//   kelvora_demo <runtime dir> <out.png> <form file> @back=0,0 scr_options ~b_options_sound
#include "engine/GfxCanvas.h"
#include "engine/GfxDb.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImageUpload.h"
#include "engine/GfxImages.h"
#include "engine/GfxSprite.h"
#include "engine/GuiControls.h"
#include "engine/ParticleScript.h"
#include "engine/Random.h"
#include "engine/Screenshot.h"
#include "engine/XParticles.h"
#include "platform/sdl/SdlRenderer.h"
#include "tools/FormPreview.h"
#include "tools/SvgRaster.h"
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// One SVG drawing per frame, each `size` square, as an image named `name`.
TGfxImage* AddSvgImage(TGfxImages& images, const std::string& name,
                       const std::vector<std::string>& frames, int size) {
    TImageRecord r;
    r.patternWidth = r.patternHeight = r.visibleWidth = r.visibleHeight = size;
    r.textureWidth = 256;
    r.textureHeight = 256;
    r.textureCount = 1;
    r.patternCount = int(frames.size());
    r.pages.push_back(TPixelPage{256, 256, std::vector<uint32_t>(256 * 256)});
    const int perRow = 256 / size;
    for (size_t i = 0; i < frames.size(); ++i) {
        std::string error;
        auto frame = RasteriseSvgData(frames[i], size, size, error);
        if (!frame) {
            std::fprintf(stderr, "kelvora_demo: %s\n", error.c_str());
            return nullptr;
        }
        const int cx = int(i % perRow) * size, cy = int(i / perRow) * size;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                r.pages[0].pixels[size_t(cy + y) * 256 + cx + x] =
                    frame->pixels[size_t(y) * size + x];
    }
    auto image = std::make_unique<TGfxImage>();
    if (!AssignImageRecord(*image, std::move(r))) return nullptr;
    image->Name = name;
    TGfxImage* added = images.Add(std::move(image));
    images.Upload(*added);
    return added;
}

std::string Chip(const char* colour, const char* shape) {
    return std::string("<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 64 64'>"
                       "<defs><radialGradient id='g' cx='0.35' cy='0.3' r='0.8'>"
                       "<stop offset='0' stop-color='white'/><stop offset='0.35' stop-color='") +
           colour + "'/><stop offset='1' stop-color='#222'/></radialGradient></defs>" + shape +
           "</svg>";
}

TParticleScript Sparks(uint32_t start, uint32_t end, float direction, float spread) {
    TParticleScript s;
    s.PatternStart = 0;
    s.PatternEnd = -1;
    s.DrawFx = 0x0104; // additive glow
    s.EmitRate = 120;
    s.SystemLife = 100;
    s.LifeMin = 0.6f;
    s.LifeMax = 1.4f;
    s.Direction = direction;
    s.Spread = spread;
    s.SpeedMin = 40;
    s.SpeedMax = 140;
    s.GravityMin = s.GravityMax = 6;
    s.SizeStart = 0.9f;
    s.SizeMiddle = 0.6f;
    s.SizeEnd = 0.1f;
    s.SizeVar = 0.5f;
    s.ColorStart = start;
    s.ColorMiddle = start;
    s.ColorEnd = end;
    s.ColorVar = 0.2f;
    s.MiddleTime = 0.4f;
    return s;
}

// One GUI screen over the game's pictures, as the scene words describe it.
int FormScene(const std::string& runtime, const std::string& out, const std::string& formFile,
              const std::vector<std::string>& words) {
    TFormPreview preview;
    std::string error;
    if (!ParseFormPreview(words, preview, error)) {
        std::fprintf(stderr, "kelvora_demo: %s\n", error.c_str());
        return 2;
    }
    auto renderer = platform::sdl::CreateSoftwareRenderer();
    TGfxDevice device(*renderer);
    TGfxCanvas canvas(&device);
    TGfxImages images(&device);
    TGfxFonts fonts(&device, &canvas);
    if (!device.Initialize()) {
        std::fprintf(stderr, "kelvora_demo: no renderer\n");
        return 1;
    }
    // The game's loading order, which the image and font indices of the forms count on.
    TResDb archives[3];
    const char* names[3] = {"data.fgg", "gdata.fgg", "data1.fgg"};
    for (int i = 0; i < 3; ++i) {
        archives[i].SetFileName(runtime + "/Data/" + names[i]);
        archives[i].OpenMode = opReadOnly;
    }
    bool ok = images.LoadFromResDb(archives[0]) && fonts.LoadFromResDb(archives[0]) &&
              images.LoadFromResDb(archives[1]) && fonts.LoadFromResDb(archives[1]) &&
              fonts.LoadFromResDb(archives[2]);
    if (!ok) {
        std::fprintf(stderr, "kelvora_demo: cannot load the archives of %s\n", runtime.c_str());
        return 1;
    }
    TGuiTaskbar gui;
    gui.Context = TGuiContext{&canvas, &images, &fonts, nullptr, nullptr};
    if (!gui.LoadFromFile(formFile)) {
        std::fprintf(stderr, "kelvora_demo: cannot read the forms of %s\n", formFile.c_str());
        return 1;
    }
    if (!ApplyFormPreview(preview, gui, error)) {
        std::fprintf(stderr, "kelvora_demo: %s\n", error.c_str());
        return 1;
    }
    for (const TPreviewPicture& p : preview.Pictures)
        if (!images.Find(p.Image)) {
            std::fprintf(stderr, "kelvora_demo: no image \"%s\"\n", p.Image.c_str());
            return 1;
        }
    device.OnRender = [&](TGfxDevice&) {
        auto pictures = [&](bool overGui) {
            for (const TPreviewPicture& p : preview.Pictures)
                if (p.OverGui == overGui)
                    canvas.DrawScaled(images.Find(p.Image), p.Pattern, p.X, p.Y, p.ScaleX, p.ScaleY,
                                      0, false, false, 255, 255, 255, 255, fxBlend);
        };
        pictures(false);
        gui.DrawTree();
        pictures(true);
    };
    device.Render(0xFF000000, true);
    if (!SaveScreenshot(device, out)) {
        std::fprintf(stderr, "kelvora_demo: cannot write %s\n", out.c_str());
        return 1;
    }
    std::printf("kelvora_demo: wrote %s\n", out.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kelvora_demo <runtime dir> <out.png> [<form file> "
                             "[scene words...]]\n");
        return 2;
    }
    const std::string runtime = argv[1];
    if (argc > 4) return FormScene(runtime, argv[2], argv[3], {argv + 4, argv + argc});
    auto renderer = platform::sdl::CreateSoftwareRenderer();
    TGfxDevice device(*renderer);
    TGfxCanvas canvas(&device);
    TGfxImages images(&device);
    TGfxFonts fonts(&device, &canvas);
    if (!device.Initialize()) {
        std::fprintf(stderr, "kelvora_demo: no renderer\n");
        return 1;
    }
    TResDb archive;
    archive.SetFileName(runtime + "/Data/data.fgg");
    archive.OpenMode = opReadOnly;
    if (!fonts.LoadFromResDb(archive) || fonts.Count() < 8) {
        std::fprintf(stderr, "kelvora_demo: cannot load the fonts of %s\n",
                     archive.FileName().c_str());
        return 1;
    }

    const std::string backdrop =
        "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 64 64'><defs><linearGradient "
        "id='b' x1='0' y1='0' x2='0' y2='1'><stop offset='0' stop-color='#bfe9ff'/><stop "
        "offset='1' stop-color='#4a90c8'/></linearGradient></defs><rect width='64' height='64' "
        "fill='url(#b)'/></svg>";
    TGfxImage* back = AddSvgImage(images, "back", {backdrop}, 64);
    TGfxImage* chips = AddSvgImage(
        images, "chips",
        {Chip("#e8413c",
              "<circle cx='32' cy='32' r='27' fill='url(#g)' stroke='#511' stroke-width='3'/>"),
         Chip("#46c35a", "<polygon points='32,5 56,18 56,46 32,59 8,46 8,18' fill='url(#g)' "
                         "stroke='#153' stroke-width='3'/>"),
         Chip("#3f7ee8", "<path d='M32 4 C44 22 54 32 54 42 A22 22 0 0 1 10 42 C10 32 20 22 32 4Z' "
                         "fill='url(#g)' stroke='#124' stroke-width='3'/>"),
         Chip("#f5c431", "<polygon points='32,4 39,23 59,24 43,37 49,58 32,46 15,58 21,37 5,24 "
                         "25,23' fill='url(#g)' stroke='#540' stroke-width='3'/>"),
         Chip("#a04ee0", "<rect x='9' y='9' width='46' height='46' rx='8' fill='url(#g)' "
                         "stroke='#312' stroke-width='3'/>")},
        64);
    TGfxImage* glow = AddSvgImage(
        images, "glow",
        {"<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 32 32'><defs><radialGradient "
         "id='r'><stop offset='0' stop-color='white'/><stop offset='1' stop-color='white' "
         "stop-opacity='0'/></radialGradient></defs><circle cx='16' cy='16' r='16' "
         "fill='url(#r)'/></svg>"},
        32);
    if (!back || !chips || !glow) return 1;

    TSpriteEngine engine;
    engine.Images = &images;
    engine.SetCanvas(&canvas);
    for (int i = 0; i < 5; ++i) {
        auto* s = new TSprite(&engine);
        s->SetImageName("chips");
        s->SetPatternIndex(i);
        s->X = 60 + i * 80.0f;
        s->Y = 120;
    }
    for (int i = 0; i < 5; ++i) {
        auto* s = new TSprite(&engine);
        s->SetImageName("chips");
        s->SetPatternIndex(i);
        s->SetDrawMode(1);
        s->X = 92 + i * 80.0f;
        s->Y = 260;
        s->Angle = float(i * 0.35);
        s->ScaleX = s->ScaleY = 0.7f + 0.15f * i;
        s->SetAlpha(120 + 30 * i);
        s->MirrorX = i % 2 == 1;
    }
    auto* tinted = new TSprite(&engine);
    tinted->SetImageName("chips");
    tinted->SetPatternIndex(0);
    tinted->SetDrawMode(2);
    tinted->X = 470;
    tinted->Y = 110;
    tinted->ScaleX = tinted->ScaleY = 1.5f;
    tinted->Color1 = 0xFF00FFFF;
    tinted->Color2 = 0xFFFF00FF;
    tinted->Color3 = 0xFFFFFF00;
    tinted->Color4 = 0xFF00FF00;

    TRandom random(7);
    TXParticleManager particles(&canvas, random);
    particles.SetImage(glow);
    particles.AddScript("fountain.pss",
                        SerializeParticleScript(Sparks(0xFF40C0FF, 0x00FF4080, float(M_PI), 0.7f)));
    particles.AddScript(
        "ring.pss", SerializeParticleScript(Sparks(0xFF60FFA0, 0x0000FFFF, 0, float(2 * M_PI))));
    particles.Spawn("fountain.pss", 730, 345);
    particles.Spawn("RING.PSS", 600, 180);
    for (int i = 0; i < 90; ++i) particles.Update(0.01);

    TGuiTaskbar gui;
    gui.Context = TGuiContext{&canvas, &images, &fonts, nullptr, nullptr};
    if (argc > 3) {
        if (!gui.LoadFromFile(argv[3])) {
            std::fprintf(stderr, "kelvora_demo: cannot read the forms of %s\n", argv[3]);
            return 1;
        }
        for (int i = 0; i < gui.ChildCount(); ++i) gui.Child(i)->Show();
        for (int i = 0; i < 100; ++i) gui.UpdateTree(); // progressive labels type on
    }

    device.OnRender = [&](TGfxDevice&) {
        canvas.DrawScaled(back, 0, 0, 0, 800.0f / 64, 600.0f / 64, 0, false, false, 255, 255, 255,
                          255, fxNone);
        engine.Draw();
        for (int i = 0; i < particles.Count(); ++i) particles.Items(i)->Draw(canvas, 0, 0);
        canvas.FillRect(20, 360, 780, 580, 0xA0301810);
        canvas.FrameRect(20, 360, 780, 580, 0xFFFFD080);
        fonts.Items(7)->TextOut("Kelvora engine", 40, 375, 0xFF51D5FF);
        fonts.Items(1)->TextOut("Colour tags: #$FF3030FFred#$FFFFFFFF and 0xFF40FF40green "
                                "&$FFFF8040fade",
                                40, 440, 0xFFFFFFFF);
        TGfxFont* body = fonts.Items(0);
        body->Style = fsShadow;
        body->TextOut("The lab\x92s shadowed text, Windows-1252: caf\xE9, \x80 5", 40, 480,
                      0xFFFFFFFF);
        body->Style = 0;
        canvas.Line({40, 520}, {760, 520}, 0xFF0000FF, 0xFF00FF00, fxBlend);
        canvas.FillCircle(400, 550, 18, 0xC0FFFFFF, fxBlend);
        for (int i = 0; i < 40; ++i) canvas.PutPixel(60.0f + i * 3, 550, 0xFFFFFF00, fxBlend);
        gui.SetBounds({0, 0, 800, 600});
        gui.DrawTree();
    };
    device.Render(0xFF000000, true);
    if (!SaveScreenshot(device, argv[2])) {
        std::fprintf(stderr, "kelvora_demo: cannot write %s\n", argv[2]);
        return 1;
    }
    std::printf("kelvora_demo: wrote %s\n", argv[2]);
    return 0;
}
