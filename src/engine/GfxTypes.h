#pragma once
#include <cstdint>

// Colours: red in byte 0, green in 1, blue in 2, alpha in 3.
using TGfxColor = uint32_t;

constexpr TGfxColor MakeColor(uint32_t r, uint32_t g, uint32_t b, uint32_t a = 255) {
    return (r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16 | (a & 0xFF) << 24;
}

// Corner colours: top-left, top-right, bottom-right, bottom-left.
struct TColor4 {
    TGfxColor c[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
    static constexpr TColor4 All(TGfxColor v) { return TColor4{{v, v, v, v}}; }
    friend bool operator==(const TColor4&, const TColor4&) = default;
};

struct TPoint2 {
    float x = 0, y = 0;
    friend bool operator==(const TPoint2&, const TPoint2&) = default;
};

// Four corners, in order around the shape.
struct TPoint4 {
    TPoint2 p[4];
    friend bool operator==(const TPoint4&, const TPoint4&) = default;
};

struct TIntRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    friend bool operator==(const TIntRect&, const TIntRect&) = default;
};

// Blend effect codes: source factor in byte 0, destination factor in byte 1, operation in byte 2.
constexpr uint32_t fxNone = 1;       // opaque copy
constexpr uint32_t fxBlend = 0x0504; // source alpha, inverse source alpha, add
