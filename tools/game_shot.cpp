// kelvora_shot: runs the game headless for a number of frames in its runtime folder and
// writes what the screen shows, through the SDL software renderer.
//   kelvora_shot <runtime dir> <out.png> [frames]
#include "engine/Screenshot.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/sdl/SdlRenderer.h"
#include "shell/Unit1.h"
#include <cstdio>
#include <cstdlib>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kelvora_shot <runtime dir> <out.png> [frames]\n");
        return 2;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[2]);
    const long frames = argc > 3 ? std::atol(argv[3]) : 100;
    std::error_code ec;
    std::filesystem::current_path(argv[1], ec);
    if (ec) {
        std::fprintf(stderr, "kelvora_shot: no folder %s\n", argv[1]);
        return 1;
    }
    platform::headless::HeadlessPlatform platform;
    platform.scriptedWindow.mouseX = 430;
    platform.scriptedWindow.mouseY = 330;
    auto renderer = platform::sdl::CreateSoftwareRenderer();
    platform::headless::RecordingAudio audio;
    TForm1 form(platform, *renderer, audio);
    if (!form.FormCreate()) return 1;
    form.Run(frames);
    if (!SaveScreenshot(form.Device, out.string())) {
        std::fprintf(stderr, "kelvora_shot: cannot write %s\n", out.string().c_str());
        return 1;
    }
    std::printf("kelvora_shot: state %d after %ld frames, %s\n", int(form.States.ScreenState),
                frames, out.string().c_str());
    return 0;
}
