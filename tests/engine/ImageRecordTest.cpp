#include "engine/ImageRecord.h"
#include "engine/FontRecord.h"
#include "engine/PixelFormats.h"
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void PutI32(std::vector<uint8_t>& bytes, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}

void AppendI32(std::vector<uint8_t>& bytes, int32_t v) {
    bytes.resize(bytes.size() + 4);
    PutI32(bytes, bytes.size() - 4, v);
}

// Header of an image record followed by `pixelBytes` bytes counting up from 1.
std::vector<uint8_t> RawRecord(uint8_t format, int pw, int ph, int vw, int vh, int count, int tw,
                               int th, int pages, size_t pixelBytes) {
    std::vector<uint8_t> bytes{format};
    for (int v : {pw, ph, vw, vh, count, tw, th, pages}) AppendI32(bytes, v);
    for (size_t i = 0; i < pixelBytes; ++i) bytes.push_back(uint8_t(i + 1));
    return bytes;
}

// Two 4x2 pages of 2x2 patterns, every pixel different, alpha included.
TImageRecord SampleRecord() {
    TImageRecord rec;
    rec.patternWidth = 2;
    rec.patternHeight = 2;
    rec.visibleWidth = 2;
    rec.visibleHeight = 1;
    rec.patternCount = 3;
    rec.textureWidth = 4;
    rec.textureHeight = 2;
    rec.textureCount = 2;
    uint32_t seed = 0x12345678;
    for (int p = 0; p < 2; ++p) {
        TPixelPage page{4, 2, {}};
        for (int i = 0; i < 8; ++i) {
            seed = seed * 1664525u + 1013904223u;
            page.pixels.push_back(seed);
        }
        rec.pages.push_back(page);
    }
    return rec;
}

void ExpectSameImage(const TImageRecord& a, const TImageRecord& b) {
    EXPECT_EQ(a.patternWidth, b.patternWidth);
    EXPECT_EQ(a.patternHeight, b.patternHeight);
    EXPECT_EQ(a.visibleWidth, b.visibleWidth);
    EXPECT_EQ(a.visibleHeight, b.visibleHeight);
    EXPECT_EQ(a.patternCount, b.patternCount);
    EXPECT_EQ(a.textureWidth, b.textureWidth);
    EXPECT_EQ(a.textureHeight, b.textureHeight);
    EXPECT_EQ(a.textureCount, b.textureCount);
    ASSERT_EQ(a.pages.size(), b.pages.size());
    for (size_t i = 0; i < a.pages.size(); ++i) {
        EXPECT_EQ(a.pages[i].width, b.pages[i].width);
        EXPECT_EQ(a.pages[i].height, b.pages[i].height);
        EXPECT_EQ(a.pages[i].pixels, b.pages[i].pixels) << "page " << i;
    }
}

} // namespace

TEST(ImageRecordTest, ReadsTheStoredLayout) {
    // 2x1 texture in A8R8G8B8: pixels are B, G, R, A in memory.
    std::vector<uint8_t> bytes = RawRecord(pfA8R8G8B8, 1, 1, 1, 1, 2, 2, 1, 1, 0);
    for (uint8_t b : {0x10, 0x20, 0x30, 0x40, 0x01, 0x02, 0x03, 0xFF}) bytes.push_back(b);
    bytes.push_back(0xEE); // the next record's first byte
    size_t consumed = 0;
    const auto rec = ParseImageRecord(bytes.data(), bytes.size(), &consumed);
    ASSERT_TRUE(rec);
    EXPECT_EQ(consumed, bytes.size() - 1);
    EXPECT_EQ(rec->format, pfA8R8G8B8);
    EXPECT_EQ(rec->textureWidth, 2);
    EXPECT_EQ(rec->patternCount, 2);
    ASSERT_EQ(rec->pages.size(), 1u);
    EXPECT_EQ(rec->pages[0].pixels, (std::vector<uint32_t>{0x40302010, 0xFF030201}));
}

TEST(ImageRecordTest, UnsetSizesAreFilledLikePrepare) {
    // Texture 4x2, two pages; pattern 2 wide and unset in height, no visible size, no count.
    const auto bytes = RawRecord(pfA8, 2, 0, 0, -1, 0, 4, 2, 2, 16);
    const auto rec = ParseImageRecord(bytes.data(), bytes.size());
    ASSERT_TRUE(rec);
    EXPECT_EQ(rec->patternWidth, 2);
    EXPECT_EQ(rec->patternHeight, 2);
    EXPECT_EQ(rec->visibleWidth, 2);
    EXPECT_EQ(rec->visibleHeight, 2);
    EXPECT_EQ(rec->patternCount, 4); // two per page
    ASSERT_EQ(rec->pages.size(), 2u);
    EXPECT_EQ(rec->pages[1].pixels[7], 0x10FFFFFFu); // alpha-only pixels are white
}

TEST(ImageRecordTest, RoundTripsThroughStoredFormats) {
    const TImageRecord rec = SampleRecord();
    const auto bytes = SerializeImageRecord(rec, pfA8R8G8B8);
    ASSERT_EQ(bytes.size(), kImageRecordHeaderSize + 2 * 8 * 4);
    size_t consumed = 0;
    const auto back = ParseImageRecord(bytes.data(), bytes.size(), &consumed);
    ASSERT_TRUE(back);
    EXPECT_EQ(consumed, bytes.size());
    EXPECT_EQ(back->format, pfA8R8G8B8);
    ExpectSameImage(*back, rec);

    // A narrow format keeps what it can hold: read once, the pages no longer change.
    const auto narrow = SerializeImageRecord(rec, pfA4R4G4B4);
    ASSERT_EQ(narrow.size(), kImageRecordHeaderSize + 2 * 8 * 2);
    const auto first = ParseImageRecord(narrow.data(), narrow.size());
    ASSERT_TRUE(first);
    EXPECT_EQ(first->format, pfA4R4G4B4);
    EXPECT_NE(first->pages[0].pixels, rec.pages[0].pixels);
    const auto again = SerializeImageRecord(*first, pfA4R4G4B4);
    EXPECT_EQ(again, narrow);
}

TEST(ImageRecordTest, DamagedRecordsAreRefused) {
    // Valid: texture 4x2, two pages, 2x2 patterns, R5G6B5 (32 pixel bytes).
    const auto good = RawRecord(pfR5G6B5, 2, 2, 2, 2, 0, 4, 2, 2, 32);
    ASSERT_TRUE(ParseImageRecord(good.data(), good.size()));

    auto truncated = [&](size_t n) { return std::vector<uint8_t>(good.begin(), good.begin() + n); };
    auto with = [&](size_t at, int32_t v) {
        auto b = good;
        PutI32(b, at, v);
        return b;
    };
    auto formatted = [&](uint8_t f) {
        auto b = good;
        b[0] = f;
        return b;
    };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"format byte only", truncated(1)},
        {"cut in the sizes", truncated(20)},
        {"header one byte short", truncated(32)},
        {"header without pixels", truncated(kImageRecordHeaderSize)},
        {"last pixel byte missing", truncated(good.size() - 1)},
        {"second page missing", truncated(kImageRecordHeaderSize + 16)},
        {"unknown format", formatted(12)},
        {"format without pixels", formatted(pfNone)},
        {"pattern wider than texture", with(1, 5)},
        {"pattern taller than texture", with(5, 3)},
        {"visible wider than pattern", with(9, 3)},
        {"visible taller than pattern", with(13, 3)},
        {"more patterns than cells", with(17, 5)},
        {"texture width zero", with(21, 0)},
        {"texture width negative", with(21, -4)},
        {"texture height absurd", with(25, 1 << 30)},
        {"no pages", with(29, 0)},
        {"negative page count", with(29, -1)},
        {"one page more than present", with(29, 3)},
        {"absurd page count", with(29, 0x7FFFFFFF)},
    };
    for (const auto& c : cases) {
        size_t consumed = 1234;
        EXPECT_FALSE(ParseImageRecord(c.bytes.data(), c.bytes.size(), &consumed)) << c.what;
        EXPECT_EQ(consumed, 1234u) << c.what;
    }
}

TEST(ImageRecordTest, TextureSideIsCappedEvenWhenTheBytesArePresent) {
    const auto wide =
        RawRecord(pfA8, 0, 0, 0, 0, 0, kMaxTextureSide + 1, 1, 1, size_t(kMaxTextureSide) + 1);
    EXPECT_FALSE(ParseImageRecord(wide.data(), wide.size()));
    const auto widest =
        RawRecord(pfA8, 0, 0, 0, 0, 0, kMaxTextureSide, 1, 1, size_t(kMaxTextureSide));
    EXPECT_TRUE(ParseImageRecord(widest.data(), widest.size()));
}

TEST(ImageRecordTest, RecordsThatCouldNotBeReadBackAreNotWritten) {
    const TImageRecord good = SampleRecord();
    auto changed = [&](const std::function<void(TImageRecord&)>& change) {
        TImageRecord r = good;
        change(r);
        return r;
    };
    EXPECT_TRUE(SerializeImageRecord(good, pfNone).empty());
    EXPECT_TRUE(SerializeImageRecord(good, 12).empty());
    EXPECT_TRUE(SerializeImageRecord(changed([](auto& r) { r.textureCount = 3; }), 5).empty());
    EXPECT_TRUE(SerializeImageRecord(changed([](auto& r) { r.pages[1].width = 2; }), 5).empty());
    EXPECT_TRUE(
        SerializeImageRecord(changed([](auto& r) { r.pages[0].pixels.pop_back(); }), 5).empty());
}

namespace {

TFontRecord SampleFont() {
    TFontRecord font;
    font.firstChar = 65;
    font.spacing = -2;
    font.glyphSizes = {{3, 7}, {0, 0}, {16, 9}};
    font.image = SampleRecord();
    return font;
}

} // namespace

TEST(FontRecordTest, RoundTrips) {
    const TFontRecord font = SampleFont();
    const auto bytes = SerializeFontRecord(font, pfA8R8G8B8);
    ASSERT_EQ(bytes.size(), 16 + 3 * 8 + kImageRecordHeaderSize + 2 * 8 * 4);
    size_t consumed = 0;
    const auto back = ParseFontRecord(bytes.data(), bytes.size(), &consumed);
    ASSERT_TRUE(back);
    EXPECT_EQ(consumed, bytes.size());
    EXPECT_EQ(back->firstChar, 65);
    EXPECT_EQ(back->spacing, -2);
    EXPECT_EQ(back->glyphSizes, font.glyphSizes);
    ExpectSameImage(back->image, font.image);
}

TEST(FontRecordTest, FirstCharacterKeepsItsLowByte) {
    auto bytes = SerializeFontRecord(SampleFont(), pfA8R8G8B8);
    PutI32(bytes, 0, 0x7FFFFF20);
    const auto font = ParseFontRecord(bytes.data(), bytes.size());
    ASSERT_TRUE(font);
    EXPECT_EQ(font->firstChar, 0x20);
}

TEST(FontRecordTest, FullGlyphSetIsAccepted) {
    TFontRecord font = SampleFont();
    font.glyphSizes.assign(256, {5, 6});
    const auto bytes = SerializeFontRecord(font, pfA8R8G8B8);
    const auto back = ParseFontRecord(bytes.data(), bytes.size());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->glyphSizes.size(), 256u);

    font.glyphSizes.emplace_back(5, 6);
    EXPECT_TRUE(SerializeFontRecord(font, pfA8R8G8B8).empty());
}

TEST(FontRecordTest, DamagedRecordsAreRefused) {
    const auto good = SerializeFontRecord(SampleFont(), pfA8R8G8B8);
    ASSERT_TRUE(ParseFontRecord(good.data(), good.size()));
    auto truncated = [&](size_t n) { return std::vector<uint8_t>(good.begin(), good.begin() + n); };
    auto with = [&](size_t at, int32_t v) {
        auto b = good;
        PutI32(b, at, v);
        return b;
    };
    const size_t image = 16 + 3 * 8;
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"cut in the header", truncated(10)},
        {"header only", truncated(16)},
        {"cut in the glyph sizes", truncated(16 + 12)},
        {"no image", truncated(image)},
        {"image cut short", truncated(good.size() - 1)},
        {"negative glyph count", with(12, -1)},
        {"too many glyphs", with(12, 257)},
        {"more glyphs than bytes", with(12, 200)},
        {"negative glyph width", with(16, -3)},
        {"absurd glyph height", with(20, 1 << 30)},
        {"damaged image", with(image + 21, -4)},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(ParseFontRecord(c.bytes.data(), c.bytes.size())) << c.what;
}
