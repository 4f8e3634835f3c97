#include "engine/PictureDecoders.h"
#include <cstdlib>

namespace picture {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

} // namespace

std::optional<TPixelPage> DecodeBmp(const uint8_t* data, size_t size) {
    if (!data || size < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
    if (data[0] != 'B' || data[1] != 'M') return std::nullopt;
    const uint32_t pixelOffset = U32(data + 10);
    const uint32_t infoSize = U32(data + 14);
    const int64_t width = int32_t(U32(data + 18));
    const int64_t signedHeight = int32_t(U32(data + 22));
    const int bits = U16(data + 28);
    const uint32_t compression = U32(data + 30);
    const uint32_t colorsUsed = U32(data + 46);

    if (infoSize < kInfoHeaderSize || infoSize > size - kFileHeaderSize) return std::nullopt;
    if (compression != kBiRgb) return std::nullopt;
    if (bits != 8 && bits != 24 && bits != 32) return std::nullopt;
    // A negative height marks rows stored from the top.
    const bool topDown = signedHeight < 0;
    const int64_t height = std::llabs(signedHeight);
    if (!SizeFits(width, height)) return std::nullopt;

    uint32_t palette[256] = {};
    size_t paletteSize = 0;
    if (bits == 8) {
        paletteSize = colorsUsed ? colorsUsed : 256;
        if (paletteSize > 256) return std::nullopt;
        const size_t at = kFileHeaderSize + infoSize;
        if (paletteSize * 4 > size - at) return std::nullopt;
        for (size_t i = 0; i < paletteSize; ++i) {
            const uint8_t* e = data + at + i * 4;
            palette[i] = Argb(e[2], e[1], e[0]);
        }
    }

    const size_t stride = (size_t(width) * size_t(bits) + 31) / 32 * 4;
    if (pixelOffset > size || stride * size_t(height) > size - pixelOffset) return std::nullopt;

    TPixelPage page;
    page.width = int(width);
    page.height = int(height);
    page.pixels.resize(size_t(width) * size_t(height));
    bool anyAlpha = false;
    for (int64_t row = 0; row < height; ++row) {
        const uint8_t* src = data + pixelOffset + size_t(row) * stride;
        uint32_t* dst = page.pixels.data() + size_t(topDown ? row : height - 1 - row) * width;
        for (int64_t x = 0; x < width; ++x) {
            if (bits == 8) {
                if (src[x] >= paletteSize) return std::nullopt;
                dst[x] = palette[src[x]];
            } else if (bits == 24) {
                const uint8_t* p = src + x * 3;
                dst[x] = Argb(p[2], p[1], p[0]);
            } else {
                const uint8_t* p = src + x * 4;
                dst[x] = Argb(p[2], p[1], p[0], p[3]);
                anyAlpha = anyAlpha || p[3] != 0;
            }
        }
    }
    // The fourth byte of a 32-bit BI_RGB pixel is officially unused; most writers leave it
    // zero, so it counts as alpha only when some pixel sets it.
    if (bits == 32 && !anyAlpha)
        for (uint32_t& px : page.pixels) px |= 0xFF000000u;
    return page;
}

} // namespace picture
