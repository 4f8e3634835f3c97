#include "platform/GameFolder.h"
#include "platform/sdl/SdlAudio.h"
#include "platform/sdl/SdlPlatform.h"
#include "platform/sdl/SdlRenderer.h"
#include "shell/Unit1.h"
#include <cstdio>
#include <filesystem>

#ifndef KELVORA_INSTALL_DATADIR
#define KELVORA_INSTALL_DATADIR "/usr/local/share/kelvora"
#endif

int main(int, char** argv) {
    // The game reads and writes relative to its folder.
    std::error_code ec;
    const auto program = std::filesystem::canonical("/proc/self/exe", ec);
    const std::filesystem::path programDir =
        ec ? std::filesystem::absolute(argv[0]).parent_path() : program.parent_path();
    // An installed tree may have been moved: its data beside bin/ wins over the built-in path.
    std::filesystem::path dataDir = programDir.parent_path() / "share" / "kelvora";
    if (!std::filesystem::exists(dataDir / "Data", ec)) dataDir = KELVORA_INSTALL_DATADIR;
    const auto folder = platform::PrepareGameFolder(programDir, dataDir);
    if (folder) std::filesystem::current_path(*folder, ec);
    if (!folder || ec) std::fprintf(stderr, "kelvora: the game data was not found\n");

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
