#include "engine/PictureDecoders.h"
#include <algorithm>

namespace picture {

namespace {

constexpr size_t kHeaderSize = 18;
constexpr int kMaxRun = 128;

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

uint32_t ReadPixel(const uint8_t* p, int bytes) {
    switch (bytes) {
    case 1:
        return Argb(p[0], p[0], p[0]);
    case 3:
        return Argb(p[2], p[1], p[0]);
    default:
        return Argb(p[2], p[1], p[0], p[3]);
    }
}

} // namespace

std::optional<TPixelPage> DecodeTga(const uint8_t* data, size_t size) {
    if (!data || size < kHeaderSize) return std::nullopt;
    const int idLength = data[0];
    const int mapType = data[1];
    const int type = data[2];
    const int mapLength = U16(data + 5);
    const int mapEntryBits = data[7];
    const int width = U16(data + 12);
    const int height = U16(data + 14);
    const int depth = data[16];
    const int descriptor = data[17];

    const bool rle = type == 10 || type == 11;
    const bool grey = type == 3 || type == 11;
    if (type != 2 && type != 3 && !rle) return std::nullopt;
    if (mapType > 1) return std::nullopt;
    if (grey ? depth != 8 : depth != 24 && depth != 32) return std::nullopt;
    if (!SizeFits(width, height)) return std::nullopt;

    // A colour map on a true-colour picture is allowed and ignored.
    size_t pos = kHeaderSize + size_t(idLength);
    if (mapType == 1) pos += size_t(mapLength) * size_t((mapEntryBits + 7) / 8);
    if (pos > size) return std::nullopt;

    const int bytes = depth / 8;
    const size_t count = size_t(width) * size_t(height);
    const size_t left = size - pos;
    // Each packet is at least a header and one pixel and stands for at most 128 pixels.
    if (rle ? count > left / size_t(1 + bytes) * kMaxRun : count * size_t(bytes) > left)
        return std::nullopt;

    std::vector<uint32_t> stream(count);
    if (!rle) {
        for (size_t i = 0; i < count; ++i) stream[i] = ReadPixel(data + pos + i * bytes, bytes);
    } else {
        size_t n = 0;
        while (n < count) {
            if (pos >= size) return std::nullopt;
            const int header = data[pos++];
            // A packet running past the last pixel is cut short rather than refused.
            const size_t run = std::min(size_t((header & 0x7F) + 1), count - n);
            if (header & 0x80) {
                if (size - pos < size_t(bytes)) return std::nullopt;
                const uint32_t px = ReadPixel(data + pos, bytes);
                pos += size_t(bytes);
                for (size_t i = 0; i < run; ++i) stream[n++] = px;
            } else {
                if ((size - pos) / size_t(bytes) < run) return std::nullopt;
                for (size_t i = 0; i < run; ++i, pos += size_t(bytes))
                    stream[n++] = ReadPixel(data + pos, bytes);
            }
        }
    }

    const bool topDown = descriptor & 0x20;
    const bool rightToLeft = descriptor & 0x10;
    TPixelPage page;
    page.width = width;
    page.height = height;
    page.pixels.resize(count);
    for (int row = 0; row < height; ++row) {
        const uint32_t* src = stream.data() + size_t(row) * size_t(width);
        uint32_t* dst = page.pixels.data() + size_t(topDown ? row : height - 1 - row) * width;
        for (int x = 0; x < width; ++x) dst[rightToLeft ? width - 1 - x : x] = src[x];
    }
    return page;
}

} // namespace picture
