#pragma once
#include "engine/ImageRecord.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

constexpr int kMaxFontGlyphs = 256;

// A bitmap font as stored in an archive record: per glyph its width and height, then the
// glyph image with one pattern per glyph. `firstChar` is the low byte of the stored value.
struct TFontRecord {
    int firstChar = 32;
    int spacing = 0;
    std::vector<std::pair<int, int>> glyphSizes;
    TImageRecord image;
};

// Reads one font record; fails on a short buffer, a glyph count outside 0..256 or larger than
// the bytes present, a glyph size outside 0..kMaxTextureSide, or a damaged image record.
std::optional<TFontRecord> ParseFontRecord(const uint8_t* data, size_t size,
                                           size_t* consumed = nullptr);

// Empty when the record cannot be read back (too many glyphs, a glyph size out of range,
// or an unwritable image).
std::vector<uint8_t> SerializeFontRecord(const TFontRecord& record, uint8_t storeFormat);
