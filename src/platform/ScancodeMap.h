#pragma once

namespace platform {

// Virtual-key code of a key by its USB HID usage (the numbering SDL's scancodes use).
// Keys are mapped by position, so bindings survive a change of keyboard layout.
// 0 for keys the game has no code for.
int VirtualKeyFromScancode(int scancode);

} // namespace platform
