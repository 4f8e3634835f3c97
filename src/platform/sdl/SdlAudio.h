#pragma once
#include "platform/Audio.h"
#include <memory>

namespace platform::sdl {

// Music and effects through SDL_mixer. Without a sound device every call does nothing and
// the game plays silently.
std::unique_ptr<Audio> CreateSdlAudio();

} // namespace platform::sdl
