#include "engine/GfxTimers.h"
#include "platform/sdl/SdlPlatform.h"
#include "shell/MainLoop.h"
#include <cstdio>

int main(int, char**) {
    auto platform = platform::sdl::CreateSdlPlatform();
    if (!platform) return 1;
    platform::WindowConfig config;
    config.title = "Kelvora";
    if (!platform->window().Open(config)) {
        platform->messageBox().ShowError("Kelvora", "Failed to initialize device!");
        return 1;
    }

    TGfxTimer timer(platform->clock());
    timer.SetSpeed(1200.0);
    timer.SetMaxFPS(100);
    timer.Enabled = true;

    TMainLoop loop(*platform, timer);
    loop.OnWindowEvent = [&](const platform::Event& e) {
        if (e.type == platform::Event::Type::CloseRequest) loop.Terminate();
    };
    loop.Run();
    platform->window().Close();
    return 0;
}
