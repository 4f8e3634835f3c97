#pragma once
#include "platform/Platform.h"
#include <memory>

struct SDL_Window;

namespace platform::sdl {

// Starts SDL's video and event subsystems; null when SDL cannot start at all.
std::unique_ptr<Platform> CreateSdlPlatform();

// The SDL window behind a platform made by CreateSdlPlatform (for the renderer).
SDL_Window* NativeWindow(Platform& platform);

} // namespace platform::sdl
