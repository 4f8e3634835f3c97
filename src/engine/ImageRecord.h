#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// One texture's pixels, row by row from the top, 0xAARRGGBB.
struct TPixelPage {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

// Largest texture side a record or a cut picture may ask for.
constexpr int kMaxTextureSide = 16384;

// An image as stored in an archive record. `format` is the stored pixel format the record
// came in; the pages are always A8R8G8B8, textureCount of them, each texture-sized.
// The sizes are the prepared ones: unset pattern and visible sizes and a zero pattern count
// are filled in.
struct TImageRecord {
    uint8_t format = 5;
    int patternWidth = 0, patternHeight = 0;
    int visibleWidth = 0, visibleHeight = 0;
    int patternCount = 0;
    int textureWidth = 0, textureHeight = 0;
    int textureCount = 0;
    std::vector<TPixelPage> pages;
};

constexpr size_t kImageRecordHeaderSize = 33;

// Reads one record from the front of `data`; `consumed` gets the bytes it took. Fails on a
// short buffer, an unknown or pixel-less format, sizes out of order (texture >= pattern >=
// visible), a texture side outside 1..kMaxTextureSide, no pages, or more patterns than the
// pages hold.
std::optional<TImageRecord> ParseImageRecord(const uint8_t* data, size_t size,
                                             size_t* consumed = nullptr);

// Writes the record with its pages converted to `storeFormat`. Empty when the record cannot
// be read back: a format without pixels, or pages that do not match the texture size and
// count.
std::vector<uint8_t> SerializeImageRecord(const TImageRecord& record, uint8_t storeFormat);
