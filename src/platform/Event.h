#pragma once
#include <cstdint>

namespace platform {

// Mouse buttons as the game names them.
enum class MouseButton : uint8_t { Left = 0, Right = 1, Middle = 2 };

// One window event, already translated: keys carry virtual-key codes (Escape 27,
// Return 13, F1 112, arrows 37..40, the key left of 1 is 192) and characters are
// single Windows-1252 bytes. Mouse positions are in window pixels.
struct Event {
    enum class Type : uint8_t {
        CloseRequest, // the user asked the window to close; the game decides
        KeyDown,
        KeyUp,
        Char,
        MouseDown,
        MouseUp,
        MouseMove,
        MouseWheel,
        Hidden,
        Shown,
        Minimized,
        Restored,
        Resized,
        FocusLost,
        FocusGained,
        RenderTargetsReset, // textures held by the renderer are gone
        RenderDeviceReset,  // the whole renderer must be rebuilt
    };

    Type type = Type::CloseRequest;
    int key = 0;         // KeyDown / KeyUp: virtual-key code 0..255
    bool repeat = false; // KeyDown caused by auto-repeat
    uint8_t ch = 0;      // Char: Windows-1252 code
    MouseButton button = MouseButton::Left;
    int x = 0, y = 0;    // mouse position, or the new size for Resized
    int wheel = 0;       // MouseWheel: positive away from the user
    bool shift = false, ctrl = false, alt = false;
};

} // namespace platform
