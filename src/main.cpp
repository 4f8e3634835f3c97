#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlPlatform.h"
#include "platform/sdl/SdlRenderer.h"
#include "shell/Unit1.h"

int main(int, char**) {
    auto platform = platform::sdl::CreateSdlPlatform();
    if (!platform) return 1;
    platform::WindowConfig config;
    config.title = "Kelvora";
    // The renderer needs the window; the form opens it again harmlessly.
    if (!platform->window().Open(config)) {
        platform->messageBox().ShowError("Kelvora", "Failed to initialize device!");
        return 1;
    }
    auto renderer = platform::sdl::CreateWindowRenderer(platform::sdl::NativeWindow(*platform));
    auto audio = platform::sdl::CreateSdlAudio();
    {
        TForm1 form(*platform, *renderer, *audio);
        if (!form.FormCreate()) return 1;
        form.Run();
    }
    return 0;
}
