#pragma once
// Decoders behind DecodePicture, one file each.
#include "engine/ImageRecord.h"
#include "engine/PictureFile.h"
#include <cstddef>
#include <cstdint>
#include <optional>

namespace picture {

inline bool SizeFits(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
           width * height <= kMaxPicturePixels;
}

inline uint32_t Argb(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 0xFF) {
    return a << 24 | r << 16 | g << 8 | b;
}

std::optional<TPixelPage> DecodeTga(const uint8_t* data, size_t size);
std::optional<TPixelPage> DecodeBmp(const uint8_t* data, size_t size);
std::optional<TPixelPage> DecodePng(const uint8_t* data, size_t size);
std::optional<TPixelPage> DecodeJpeg(const uint8_t* data, size_t size);

} // namespace picture
