#pragma once
#include "engine/ImageRecord.h"
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Pictures larger than this are refused whatever their file claims.
constexpr int kMaxPictureSide = 16384;
constexpr int64_t kMaxPicturePixels = int64_t(1) << 26;

enum class TPictureKind { Tga, Jpeg, Png, Bmp };

// By extension, ignoring case: ".tga", ".jpg"/".jpeg", ".png"; anything else is a bitmap.
TPictureKind PictureKindOf(const std::string& path);

// Decodes a picture held in memory into A8R8G8B8, top row first. Damaged or unsupported
// data gives nothing. Supported: TGA uncompressed and RLE (24/32-bit colour, 8-bit grey),
// baseline and progressive JPEG, PNG of any colour type, BMP BI_RGB (8-bit palette,
// 24 and 32-bit, either row order).
std::optional<TPixelPage> DecodePicture(TPictureKind kind, const uint8_t* data, size_t size);

std::optional<TPixelPage> LoadPicture(const std::string& path);

// Writes an 8-bit RGBA PNG; false (and no file left behind) on failure.
bool SavePng(const std::string& path, const TPixelPage& page);

// Cuts the picture into pattern-size cells, row by row, and packs them in that order onto
// as many texture-size pages as they need, each page filled row by row. Cells at the right
// and bottom edges that the picture only partly covers are kept, transparent where it does
// not reach. `patternCount` gets the number of cells. Empty for an empty picture, sizes out
// of order (texture >= pattern > 0) or a result too large to hold.
std::vector<TPixelPage> CutIntoPages(const TPixelPage& picture, int patternWidth, int patternHeight,
                                     int textureWidth, int textureHeight,
                                     int* patternCount = nullptr);
