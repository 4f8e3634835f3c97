// kelvora_exitshot: draws the exit screen of a runtime folder through the SDL software renderer
// and writes it to a PNG, with the mouse at a given place and a given countdown left.
//   kelvora_exitshot <runtime dir> <out.png> [mouse x] [mouse y] [tenths left]
#include "engine/GfxCanvas.h"
#include "engine/GfxDb.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/Screenshot.h"
#include "platform/sdl/SdlRenderer.h"
#include "screens/ShareScreen.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kelvora_exitshot <runtime dir> <out.png> [x] [y] [tenths]\n");
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[2]);
    const int mouseX = argc > 3 ? std::atoi(argv[3]) : -1;
    const int mouseY = argc > 4 ? std::atoi(argv[4]) : -1;
    const int tenths = argc > 5 ? std::atoi(argv[5]) : -1;
    std::error_code ec;
    std::filesystem::current_path(argv[1], ec);
    if (ec) {
        std::fprintf(stderr, "kelvora_exitshot: no folder %s\n", argv[1]);
        return 1;
    }
    auto renderer = platform::sdl::CreateSoftwareRenderer();
    TGfxDevice device(*renderer);
    TGfxCanvas canvas(&device);
    TGfxFonts fonts(&device, &canvas);
    if (!device.Initialize()) {
        std::fprintf(stderr, "kelvora_exitshot: no renderer\n");
        return 1;
    }
    for (const char* name : {"Data/data.fgg", "Data/gdata.fgg", "Data/data1.fgg"}) {
        TResDb archive;
        archive.SetFileName(name);
        archive.OpenMode = opReadOnly;
        fonts.LoadFromResDb(archive);
    }
    TShareScreen screen(&device);
    if (!screen.LoadLayout(&fonts)) {
        std::fprintf(stderr, "kelvora_exitshot: %s is not a valid exit screen\n",
                     TShareScreen::LayoutFile);
        return 1;
    }
    screen.Enter();
    if (tenths >= 0) screen.Countdown = tenths;
    screen.UpdateHover(mouseX, mouseY, device.Width(), device.Height());
    device.OnRender = [&](TGfxDevice&) { screen.DrawScreen(canvas, &fonts); };
    // The countdown is seen to be over while a frame is drawn; the frame after it shows the result.
    device.Render(0xFF000000, true);
    device.Render(0xFF000000, true);
    if (!SaveScreenshot(device, out.string())) {
        std::fprintf(stderr, "kelvora_exitshot: cannot write %s\n", out.string().c_str());
        return 1;
    }
    std::printf("kelvora_exitshot: wrote %s\n", out.string().c_str());
    return 0;
}
