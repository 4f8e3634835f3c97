#pragma once
#include "platform/Renderer.h"
#include <memory>

struct SDL_Window;

namespace platform::sdl {

// A renderer drawing into the game window with SDL's accelerated renderer.
std::unique_ptr<Renderer> CreateWindowRenderer(SDL_Window* window);
// A renderer drawing into memory with SDL's software renderer: screenshots, no window needed.
std::unique_ptr<Renderer> CreateSoftwareRenderer();

} // namespace platform::sdl
