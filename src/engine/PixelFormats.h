#pragma once
#include <cstddef>
#include <cstdint>

// Pixel layouts that image records may be stored in. In memory every page is A8R8G8B8,
// 0xAARRGGBB in a uint32_t; multi-byte stored pixels are little-endian.
enum TPixelFormat : uint8_t {
    pfR3G3B2 = 0,
    pfR5G6B5 = 1,
    pfX8R8G8B8 = 2,
    pfX1R5G5B5 = 3,
    pfX4R4G4B4 = 4,
    pfA8R8G8B8 = 5,
    pfA1R5G5B5 = 6,
    pfA4R4G4B4 = 7,
    pfA8R3G3B2 = 8,
    pfA2R2G2B2 = 9, // one byte: alpha in bits 7-6, red 5-4, green 3-2, blue 1-0
    pfA8 = 10,      // alpha only; the colour reads as white
    pfNone = 11,    // carries no pixels
};

constexpr int kPixelFormatCount = 12;

inline bool IsPixelFormat(int code) { return code >= 0 && code < kPixelFormatCount; }

// Bytes of one stored pixel: 0 for pfNone, -1 for a code that is no format.
int BytesPerPixel(int code);

// X8R8G8B8 shares its layout with A8R8G8B8, X4R4G4B4 with A4R4G4B4.
bool SameLayout(int a, int b);

// Both directions convert `count` pixels; `stored` holds count * BytesPerPixel(code) bytes.
// Narrow channels widen by bit replication so full intensity stays 0xFF, and narrow by
// rounding to the nearest level, so stored -> A8R8G8B8 -> stored gives back the same pixel.
// Formats without alpha read as opaque and write their X bits as ones; pfNone reads as
// transparent black and writes nothing. False for a code that is no format.
bool RowToArgb(int code, const uint8_t* stored, uint32_t* argb, size_t count);
bool RowFromArgb(int code, const uint32_t* argb, uint8_t* stored, size_t count);
