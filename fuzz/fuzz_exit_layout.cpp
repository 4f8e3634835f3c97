// The exit screen's layout file "wdata/config.ini" and ".url" link files.
#include "screens/ShareScreen.h"
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    TShareScreen screen;
    // Every name counts as present, so the reader goes as deep as the text lets it.
    screen.ParseLayout(text, [](const std::string&) { return true; });
    screen.UpdateHover(400, 300, 800, 600);
    for (int i = 0; i < 3; ++i) screen.TickCountdown();
    TShareScreen::ShortcutUrl(text);
    return 0;
}
