// The settings file "Config.cfg".
#include "screens/SettingsFile.h"
#include "shell/GameState.h"
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TGameState s;
    ParseSettings(std::string_view(reinterpret_cast<const char*>(data), size), s);
    // Whatever was read must be safe for the game to use.
    if (s.ProfileCount < 0 || s.ProfileCount > TGameState::MaxProfiles) std::abort();
    if (s.ProfileCount > 0 && (s.ProfileIndex < 0 || s.ProfileIndex >= s.ProfileCount))
        std::abort();
    if (s.KeyBindings.size() < s.DefaultKeyBindings.size() ||
        s.KeyBindings.size() > size_t(MaxKeyBindings))
        std::abort();
    for (int code : s.KeyBindings)
        if (code < 1 || code > 255) std::abort();
    SettingsText(s);
    return 0;
}
