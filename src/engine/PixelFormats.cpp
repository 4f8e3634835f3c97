#include "engine/PixelFormats.h"

namespace {

constexpr int kBytes[kPixelFormatCount] = {1, 2, 4, 2, 2, 4, 2, 2, 2, 1, 1, 0};

// Channel layout of the packed formats: bit widths and shifts inside the stored value;
// an alpha width of 0 means opaque, and xBits are the unused bits written as ones.
struct TPacked {
    int aBits, aShift, rBits, rShift, gBits, gShift, bBits, bShift;
    uint32_t xBits;
};

constexpr TPacked kR3G3B2{0, 0, 3, 5, 3, 2, 2, 0, 0};
constexpr TPacked kR5G6B5{0, 0, 5, 11, 6, 5, 5, 0, 0};
constexpr TPacked kX8R8G8B8{0, 0, 8, 16, 8, 8, 8, 0, 0xFF000000u};
constexpr TPacked kX1R5G5B5{0, 0, 5, 10, 5, 5, 5, 0, 0x8000u};
constexpr TPacked kX4R4G4B4{0, 0, 4, 8, 4, 4, 4, 0, 0xF000u};
constexpr TPacked kA8R8G8B8{8, 24, 8, 16, 8, 8, 8, 0, 0};
constexpr TPacked kA1R5G5B5{1, 15, 5, 10, 5, 5, 5, 0, 0};
constexpr TPacked kA4R4G4B4{4, 12, 4, 8, 4, 4, 4, 0, 0};
constexpr TPacked kA8R3G3B2{8, 8, 3, 5, 3, 2, 2, 0, 0};
constexpr TPacked kA2R2G2B2{2, 6, 2, 4, 2, 2, 2, 0, 0};

const TPacked* PackedLayout(int code) {
    switch (code) {
    case pfR3G3B2:
        return &kR3G3B2;
    case pfR5G6B5:
        return &kR5G6B5;
    case pfX8R8G8B8:
        return &kX8R8G8B8;
    case pfX1R5G5B5:
        return &kX1R5G5B5;
    case pfX4R4G4B4:
        return &kX4R4G4B4;
    case pfA8R8G8B8:
        return &kA8R8G8B8;
    case pfA1R5G5B5:
        return &kA1R5G5B5;
    case pfA4R4G4B4:
        return &kA4R4G4B4;
    case pfA8R3G3B2:
        return &kA8R3G3B2;
    case pfA2R2G2B2:
        return &kA2R2G2B2;
    default:
        return nullptr;
    }
}

// Repeats the top bits of a narrow level into the low bits of the byte.
uint32_t Widen(uint32_t level, int bits) {
    if (bits >= 8) return level & 0xFF;
    uint32_t out = 0;
    for (int shift = 8 - bits; shift > -bits; shift -= bits)
        out |= shift >= 0 ? level << shift : level >> -shift;
    return out & 0xFF;
}

uint32_t Narrow(uint32_t value, int bits) {
    if (bits >= 8) return value & 0xFF;
    const uint32_t top = (1u << bits) - 1;
    return (value * top + 127) / 255;
}

uint32_t Extract(uint32_t stored, int bits, int shift) {
    return Widen((stored >> shift) & ((1u << bits) - 1), bits);
}

uint32_t LoadLe(const uint8_t* p, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= uint32_t(p[i]) << (8 * i);
    return v;
}

void StoreLe(uint8_t* p, int bytes, uint32_t v) {
    for (int i = 0; i < bytes; ++i) p[i] = uint8_t(v >> (8 * i));
}

} // namespace

int BytesPerPixel(int code) { return IsPixelFormat(code) ? kBytes[code] : -1; }

bool SameLayout(int a, int b) {
    auto canonical = [](int code) {
        if (code == pfX8R8G8B8) return int(pfA8R8G8B8);
        if (code == pfX4R4G4B4) return int(pfA4R4G4B4);
        return code;
    };
    return IsPixelFormat(a) && IsPixelFormat(b) && canonical(a) == canonical(b);
}

bool RowToArgb(int code, const uint8_t* stored, uint32_t* argb, size_t count) {
    if (!IsPixelFormat(code)) return false;
    if (code == pfNone) {
        for (size_t i = 0; i < count; ++i) argb[i] = 0;
        return true;
    }
    if (code == pfA8) {
        for (size_t i = 0; i < count; ++i) argb[i] = uint32_t(stored[i]) << 24 | 0x00FFFFFFu;
        return true;
    }
    const TPacked& f = *PackedLayout(code);
    const int bytes = kBytes[code];
    for (size_t i = 0; i < count; ++i) {
        const uint32_t s = LoadLe(stored + i * bytes, bytes);
        const uint32_t a = f.aBits ? Extract(s, f.aBits, f.aShift) : 0xFF;
        argb[i] = a << 24 | Extract(s, f.rBits, f.rShift) << 16 |
                  Extract(s, f.gBits, f.gShift) << 8 | Extract(s, f.bBits, f.bShift);
    }
    return true;
}

bool RowFromArgb(int code, const uint32_t* argb, uint8_t* stored, size_t count) {
    if (!IsPixelFormat(code)) return false;
    if (code == pfNone) return true;
    if (code == pfA8) {
        for (size_t i = 0; i < count; ++i) stored[i] = uint8_t(argb[i] >> 24);
        return true;
    }
    const TPacked& f = *PackedLayout(code);
    const int bytes = kBytes[code];
    for (size_t i = 0; i < count; ++i) {
        const uint32_t c = argb[i];
        uint32_t s = f.xBits;
        if (f.aBits) s |= Narrow(c >> 24, f.aBits) << f.aShift;
        s |= Narrow((c >> 16) & 0xFF, f.rBits) << f.rShift;
        s |= Narrow((c >> 8) & 0xFF, f.gBits) << f.gShift;
        s |= Narrow(c & 0xFF, f.bBits) << f.bShift;
        StoreLe(stored + i * bytes, bytes, s);
    }
    return true;
}
