#pragma once
#include "engine/FontRecord.h"
#include <optional>
#include <string>

// How one font of the game is rendered from a TrueType face.
struct TFontStyle {
    std::string ttf;        // path of the face
    int pixelSize = 20;     // em height in pixels
    int outline = 0;        // pixels of dark outline around each glyph (0: none)
    int spacing = 0;        // stored extra advance
    bool antialias = true;
};

// Renders Windows-1252 codes 32..255 into a font record: white glyphs whose alpha is the
// coverage (the game tints them), one pattern cell per glyph, baseline at the same height
// in every cell. Empty with a message in `error` when the face cannot be read.
std::optional<TFontRecord> BuildFontRecord(const TFontStyle& entry, std::string& error);
