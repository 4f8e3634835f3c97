#pragma once
#include "platform/DisplayMode.h"
#include <cstdint>
#include <string>
#include <vector>

// One selectable full-screen size: its text ("800x600") and width + height * 65536.
struct TDisplayModeEntry {
    std::string text;
    int32_t packed = 0;
    int Width() const { return packed & 0xFFFF; }
    int Height() const { return (packed >> 16) & 0xFFFF; }
};

// The distinct modes of the display, largest first (by width, then height).
std::vector<TDisplayModeEntry> BuildDisplayModes(const std::vector<platform::DisplayMode>& modes);
// Index of the entry with that text, or -1.
int FindDisplayMode(const std::vector<TDisplayModeEntry>& list, const std::string& text);
