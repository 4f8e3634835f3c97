#include "platform/ScancodeMap.h"

namespace platform {
namespace {

struct Range {
    int first, last, vk;
};

// Contiguous runs of the HID usage table and the code of their first key.
constexpr Range kRanges[] = {
    {4, 29, 65},    // A..Z
    {30, 38, 49},   // 1..9
    {39, 39, 48},   // 0
    {40, 40, 13},   // Return
    {41, 41, 27},   // Escape
    {42, 42, 8},    // Backspace
    {43, 43, 9},    // Tab
    {44, 44, 32},   // Space
    {45, 45, 189},  // -
    {46, 46, 187},  // =
    {47, 47, 219},  // [
    {48, 48, 221},  // ]
    {49, 50, 220},  // backslash, and the non-US hash key in its place
    {51, 51, 186},  // ;
    {52, 52, 222},  // '
    {53, 53, 192},  // the key left of 1: the console key
    {54, 54, 188},  // ,
    {55, 55, 190},  // .
    {56, 56, 191},  // /
    {57, 57, 20},   // Caps Lock
    {58, 69, 112},  // F1..F12
    {70, 70, 44},   // Print Screen
    {71, 71, 145},  // Scroll Lock
    {72, 72, 19},   // Pause
    {73, 73, 45},   // Insert
    {74, 74, 36},   // Home
    {75, 75, 33},   // Page Up
    {76, 76, 46},   // Delete
    {77, 77, 35},   // End
    {78, 78, 34},   // Page Down
    {79, 79, 39},   // Right
    {80, 80, 37},   // Left
    {81, 81, 40},   // Down
    {82, 82, 38},   // Up
    {83, 83, 144},  // Num Lock
    {84, 84, 111},  // keypad /
    {85, 85, 106},  // keypad *
    {86, 86, 109},  // keypad -
    {87, 87, 107},  // keypad +
    {88, 88, 13},   // keypad Enter
    {89, 97, 97},   // keypad 1..9
    {98, 98, 96},   // keypad 0
    {99, 99, 110},  // keypad .
    {100, 100, 226},// the extra key beside left Shift
    {101, 101, 93}, // Menu
    {104, 115, 124},// F13..F24
    {224, 224, 17}, // left Ctrl
    {225, 225, 16}, // left Shift
    {226, 226, 18}, // left Alt
    {227, 227, 91}, // left Windows
    {228, 228, 17}, // right Ctrl
    {229, 229, 16}, // right Shift
    {230, 230, 18}, // right Alt
    {231, 231, 92}, // right Windows
};

} // namespace

int VirtualKeyFromScancode(int scancode) {
    for (const Range& r : kRanges)
        if (scancode >= r.first && scancode <= r.last) return r.vk + (scancode - r.first);
    return 0;
}

} // namespace platform
