#include "engine/PixelFormats.h"
#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TColourCase {
    int code;
    uint32_t argb;               // written
    std::vector<uint8_t> stored; // expected bytes, little-endian
    uint32_t back;               // expected on reading those bytes
};

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;
constexpr uint32_t kHalf = 0x80FF8040;  // alpha 128 rounds up in every width
constexpr uint32_t kShade = 0x7F204060; // alpha 127 rounds down; channels between levels
constexpr uint32_t kEdge = 0x3FC03FC0;  // rounding and truncating differ in every width

// Levels round to the nearest step and widen by repeating their bits.
const std::vector<TColourCase> kColourCases = {
    {pfR3G3B2, kWhite, {0xFF}, kWhite},
    {pfR3G3B2, kBlack, {0x00}, kBlack},
    {pfR3G3B2, kHalf, {0xF1}, 0xFFFF9255},
    {pfR3G3B2, kShade, {0x29}, 0xFF244955},
    {pfR3G3B2, kEdge, {0xAA}, 0xFFB649AA},
    {pfR5G6B5, kWhite, {0xFF, 0xFF}, kWhite},
    {pfR5G6B5, kBlack, {0x00, 0x00}, kBlack},
    {pfR5G6B5, kHalf, {0x08, 0xFC}, 0xFFFF8242},
    {pfR5G6B5, kShade, {0x0C, 0x22}, 0xFF214163},
    {pfR5G6B5, kEdge, {0x17, 0xBA}, 0xFFBD41BD},
    {pfX8R8G8B8, kWhite, {0xFF, 0xFF, 0xFF, 0xFF}, kWhite},
    {pfX8R8G8B8, kBlack, {0x00, 0x00, 0x00, 0xFF}, kBlack},
    {pfX8R8G8B8, kHalf, {0x40, 0x80, 0xFF, 0xFF}, 0xFFFF8040},
    {pfX8R8G8B8, kShade, {0x60, 0x40, 0x20, 0xFF}, 0xFF204060},
    {pfX8R8G8B8, kEdge, {0xC0, 0x3F, 0xC0, 0xFF}, 0xFFC03FC0},
    {pfX1R5G5B5, kWhite, {0xFF, 0xFF}, kWhite},
    {pfX1R5G5B5, kBlack, {0x00, 0x80}, kBlack},
    {pfX1R5G5B5, kHalf, {0x08, 0xFE}, 0xFFFF8442},
    {pfX1R5G5B5, kShade, {0x0C, 0x91}, 0xFF214263},
    {pfX1R5G5B5, kEdge, {0x17, 0xDD}, 0xFFBD42BD},
    {pfX4R4G4B4, kWhite, {0xFF, 0xFF}, kWhite},
    {pfX4R4G4B4, kBlack, {0x00, 0xF0}, kBlack},
    {pfX4R4G4B4, kHalf, {0x84, 0xFF}, 0xFFFF8844},
    {pfX4R4G4B4, kShade, {0x46, 0xF2}, 0xFF224466},
    {pfX4R4G4B4, kEdge, {0x4B, 0xFB}, 0xFFBB44BB},
    {pfA8R8G8B8, kWhite, {0xFF, 0xFF, 0xFF, 0xFF}, kWhite},
    {pfA8R8G8B8, kBlack, {0x00, 0x00, 0x00, 0xFF}, kBlack},
    {pfA8R8G8B8, kHalf, {0x40, 0x80, 0xFF, 0x80}, kHalf},
    {pfA8R8G8B8, kShade, {0x60, 0x40, 0x20, 0x7F}, kShade},
    {pfA8R8G8B8, kEdge, {0xC0, 0x3F, 0xC0, 0x3F}, kEdge},
    {pfA1R5G5B5, kWhite, {0xFF, 0xFF}, kWhite},
    {pfA1R5G5B5, kBlack, {0x00, 0x80}, kBlack},
    {pfA1R5G5B5, kHalf, {0x08, 0xFE}, 0xFFFF8442},
    {pfA1R5G5B5, kShade, {0x0C, 0x11}, 0x00214263},
    {pfA1R5G5B5, kEdge, {0x17, 0x5D}, 0x00BD42BD},
    {pfA4R4G4B4, kWhite, {0xFF, 0xFF}, kWhite},
    {pfA4R4G4B4, kBlack, {0x00, 0xF0}, kBlack},
    {pfA4R4G4B4, kHalf, {0x84, 0x8F}, 0x88FF8844},
    {pfA4R4G4B4, kShade, {0x46, 0x72}, 0x77224466},
    {pfA4R4G4B4, kEdge, {0x4B, 0x4B}, 0x44BB44BB},
    {pfA8R3G3B2, kWhite, {0xFF, 0xFF}, kWhite},
    {pfA8R3G3B2, kBlack, {0x00, 0xFF}, kBlack},
    {pfA8R3G3B2, kHalf, {0xF1, 0x80}, 0x80FF9255},
    {pfA8R3G3B2, kShade, {0x29, 0x7F}, 0x7F244955},
    {pfA8R3G3B2, kEdge, {0xAA, 0x3F}, 0x3FB649AA},
    {pfA2R2G2B2, kWhite, {0xFF}, kWhite},
    {pfA2R2G2B2, kBlack, {0xC0}, kBlack},
    {pfA2R2G2B2, kHalf, {0xB9}, 0xAAFFAA55},
    {pfA2R2G2B2, kShade, {0x45}, 0x55005555},
    {pfA2R2G2B2, kEdge, {0x66}, 0x55AA55AA},
    {pfA8, kWhite, {0xFF}, kWhite},
    {pfA8, kBlack, {0xFF}, kWhite},
    {pfA8, kHalf, {0x80}, 0x80FFFFFF},
    {pfA8, kShade, {0x7F}, 0x7FFFFFFF},
    {pfA8, kEdge, {0x3F}, 0x3FFFFFFF},
};

std::string Describe(const TColourCase& c) {
    char text[64];
    std::snprintf(text, sizeof text, "format %d, colour %08X", c.code, c.argb);
    return text;
}

} // namespace

TEST(PixelFormatsTest, BytesPerPixelAndLayouts) {
    const int expected[kPixelFormatCount] = {1, 2, 4, 2, 2, 4, 2, 2, 2, 1, 1, 0};
    for (int code = 0; code < kPixelFormatCount; ++code)
        EXPECT_EQ(BytesPerPixel(code), expected[code]) << "format " << code;
    EXPECT_EQ(BytesPerPixel(12), -1);
    EXPECT_EQ(BytesPerPixel(-1), -1);

    EXPECT_TRUE(SameLayout(pfX8R8G8B8, pfA8R8G8B8));
    EXPECT_TRUE(SameLayout(pfA4R4G4B4, pfX4R4G4B4));
    EXPECT_TRUE(SameLayout(pfR5G6B5, pfR5G6B5));
    EXPECT_FALSE(SameLayout(pfX1R5G5B5, pfA1R5G5B5));
    EXPECT_FALSE(SameLayout(pfX8R8G8B8, pfX4R4G4B4));
    EXPECT_FALSE(SameLayout(12, 12));
}

TEST(PixelFormatsTest, KnownColoursConvertBothWays) {
    for (const TColourCase& c : kColourCases) {
        SCOPED_TRACE(Describe(c));
        ASSERT_EQ(size_t(BytesPerPixel(c.code)), c.stored.size());
        std::vector<uint8_t> stored(c.stored.size(), 0xAB);
        ASSERT_TRUE(RowFromArgb(c.code, &c.argb, stored.data(), 1));
        EXPECT_EQ(stored, c.stored);
        uint32_t back = 0;
        ASSERT_TRUE(RowToArgb(c.code, c.stored.data(), &back, 1));
        EXPECT_EQ(back, c.back);
    }
}

TEST(PixelFormatsTest, FormatsWithoutAlphaReadOpaqueWhateverTheirSpareBits) {
    const struct {
        int code;
        std::vector<uint8_t> stored;
        uint32_t argb;
    } cases[] = {
        {pfR3G3B2, {0xE0}, 0xFFFF0000},
        {pfR5G6B5, {0x1F, 0x00}, 0xFF0000FF},
        {pfX8R8G8B8, {0x00, 0xFF, 0x00, 0x00}, 0xFF00FF00},
        {pfX1R5G5B5, {0x00, 0x7C}, 0xFFFF0000},
        {pfX4R4G4B4, {0x0F, 0x00}, 0xFF0000FF},
    };
    for (const auto& c : cases) {
        uint32_t argb = 0;
        ASSERT_TRUE(RowToArgb(c.code, c.stored.data(), &argb, 1));
        EXPECT_EQ(argb, c.argb) << "format " << c.code;
    }
}

// Reading and writing back must give the same pixel for every value a format can hold,
// with unused bits normalised to ones.
TEST(PixelFormatsTest, EveryStoredValueSurvivesAReadAndAWrite) {
    for (int code = 0; code < kPixelFormatCount; ++code) {
        const int bytes = BytesPerPixel(code);
        if (bytes != 1 && bytes != 2) continue;
        uint32_t spare = 0;
        if (code == pfX1R5G5B5) spare = 0x8000;
        if (code == pfX4R4G4B4) spare = 0xF000;
        const uint32_t values = 1u << (8 * bytes);
        std::vector<uint8_t> stored(size_t(values) * size_t(bytes));
        for (uint32_t v = 0; v < values; ++v)
            for (int i = 0; i < bytes; ++i) stored[v * bytes + i] = uint8_t(v >> (8 * i));
        std::vector<uint32_t> argb(values);
        ASSERT_TRUE(RowToArgb(code, stored.data(), argb.data(), values));
        std::vector<uint8_t> again(stored.size());
        ASSERT_TRUE(RowFromArgb(code, argb.data(), again.data(), values));
        for (uint32_t v = 0; v < values; ++v) {
            uint32_t got = 0;
            for (int i = 0; i < bytes; ++i) got |= uint32_t(again[v * bytes + i]) << (8 * i);
            ASSERT_EQ(got, v | spare) << "format " << code << ", value " << v;
        }
    }
}

TEST(PixelFormatsTest, NoFormatAndUnknownCodes) {
    const uint32_t argb[2] = {kWhite, kHalf};
    uint8_t stored[2] = {0x5A, 0x5A};
    ASSERT_TRUE(RowFromArgb(pfNone, argb, stored, 2));
    EXPECT_EQ(stored[0], 0x5A); // nothing written
    uint32_t back[2] = {1, 1};
    ASSERT_TRUE(RowToArgb(pfNone, stored, back, 2));
    EXPECT_EQ(back[0], 0u);
    EXPECT_EQ(back[1], 0u);

    EXPECT_FALSE(RowFromArgb(12, argb, stored, 2));
    EXPECT_FALSE(RowToArgb(255, stored, back, 2));
}
