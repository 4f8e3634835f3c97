#include "engine/PictureFile.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

class PictureFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        dir_ = fs::temp_directory_path() /
               ("kelvora-pictures-" + std::to_string(::getpid()) + "-" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string Write(const std::string& name, const Bytes& bytes) const {
        const std::string path = PathOf(name);
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    static Bytes Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

private:
    fs::path dir_;
};

TPixelPage Page(int w, int h, std::vector<uint32_t> pixels) { return TPixelPage{w, h, pixels}; }

// Three columns so that bitmap rows need padding; every pixel differs, alpha included.
const TPixelPage kColour = Page(3, 2,
                                {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,   //
                                 0x80FFFFFF, 0xFF000000, 0x40123456}); //
const TPixelPage kGrey = Page(3, 2,
                              {0xFF000000, 0xFF404040, 0xFF808080,   //
                               0xFFC0C0C0, 0xFFFFFFFF, 0xFF101010}); //

TPixelPage Opaque(TPixelPage page) {
    for (uint32_t& px : page.pixels) px |= 0xFF000000u;
    return page;
}

void Put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}

void Put32(Bytes& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

void PutPixel(Bytes& b, uint32_t px, int bytes) {
    if (bytes == 1) {
        b.push_back(uint8_t(px));
        return;
    }
    b.push_back(uint8_t(px));       // blue
    b.push_back(uint8_t(px >> 8));  // green
    b.push_back(uint8_t(px >> 16)); // red
    if (bytes == 4) b.push_back(uint8_t(px >> 24));
}

// Pixels in file order: rows bottom first unless top-down.
std::vector<uint32_t> FileOrder(const TPixelPage& page, bool topDown) {
    std::vector<uint32_t> out;
    for (int i = 0; i < page.height; ++i) {
        const int row = topDown ? i : page.height - 1 - i;
        for (int x = 0; x < page.width; ++x) out.push_back(page.pixels[row * page.width + x]);
    }
    return out;
}

Bytes MakeTga(const TPixelPage& page, int depth, bool rle, bool topDown) {
    const bool grey = depth == 8;
    const int type = (grey ? 3 : 2) + (rle ? 8 : 0);
    Bytes b = {4, 0, uint8_t(type), 0, 0, 0, 0, 0, 0, 0, 0, 0};
    Put16(b, uint32_t(page.width));
    Put16(b, uint32_t(page.height));
    b.push_back(uint8_t(depth));
    b.push_back(uint8_t((depth == 32 ? 8 : 0) | (topDown ? 0x20 : 0)));
    for (uint8_t c : {'k', 'e', 'l', 'v'}) b.push_back(c); // image id, to be skipped
    const auto px = FileOrder(page, topDown);
    const int bytes = depth / 8;
    if (!rle) {
        for (uint32_t p : px) PutPixel(b, p, bytes);
        return b;
    }
    // Runs of equal pixels become run packets, everything else raw packets; packets may
    // run on from one row into the next.
    for (size_t i = 0; i < px.size();) {
        size_t run = 1;
        while (i + run < px.size() && px[i + run] == px[i] && run < 128) ++run;
        if (run > 1) {
            b.push_back(uint8_t(0x80 | (run - 1)));
            PutPixel(b, px[i], bytes);
            i += run;
            continue;
        }
        size_t raw = 1;
        while (i + raw < px.size() && raw < 128 &&
               (i + raw + 1 >= px.size() || px[i + raw] != px[i + raw + 1]))
            ++raw;
        b.push_back(uint8_t(raw - 1));
        for (size_t k = 0; k < raw; ++k) PutPixel(b, px[i + k], bytes);
        i += raw;
    }
    return b;
}

Bytes MakeBmp(const TPixelPage& page, int bits, bool topDown) {
    std::vector<uint32_t> palette;
    if (bits == 8)
        for (uint32_t p : page.pixels)
            if (std::find(palette.begin(), palette.end(), p) == palette.end()) palette.push_back(p);
    const uint32_t stride = (uint32_t(page.width) * bits + 31) / 32 * 4;
    const uint32_t offset = 14 + 40 + uint32_t(palette.size()) * 4;
    Bytes b = {'B', 'M'};
    Put32(b, offset + stride * uint32_t(page.height));
    Put32(b, 0);
    Put32(b, offset);
    Put32(b, 40);
    Put32(b, uint32_t(page.width));
    Put32(b, uint32_t(topDown ? -page.height : page.height));
    Put16(b, 1);
    Put16(b, uint32_t(bits));
    Put32(b, 0); // BI_RGB
    Put32(b, stride * uint32_t(page.height));
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, uint32_t(palette.size()));
    Put32(b, 0);
    for (uint32_t p : palette) PutPixel(b, p & 0xFFFFFF, 4);
    const auto px = FileOrder(page, topDown);
    for (int row = 0; row < page.height; ++row) {
        const size_t start = b.size();
        for (int x = 0; x < page.width; ++x) {
            const uint32_t p = px[size_t(row * page.width + x)];
            if (bits == 8)
                b.push_back(
                    uint8_t(std::find(palette.begin(), palette.end(), p) - palette.begin()));
            else
                PutPixel(b, p, bits / 8);
        }
        b.resize(start + stride, 0);
    }
    return b;
}

// Left half red, right half blue, 16x8, or the same in grey levels.
Bytes MakeJpeg(bool grey) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = 16;
    cinfo.image_height = 8;
    cinfo.input_components = grey ? 1 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row;
    for (int x = 0; x < 16; ++x) {
        if (grey)
            row.push_back(x < 8 ? 0x30 : 0xD0);
        else
            for (uint8_t c :
                 x < 8 ? std::vector<uint8_t>{255, 0, 0} : std::vector<uint8_t>{0, 0, 255})
                row.push_back(c);
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes bytes(out, out + size);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
    return bytes;
}

void ExpectNear(uint32_t got, uint32_t want, int tolerance, const std::string& where) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int g = int(got >> shift & 0xFF), w = int(want >> shift & 0xFF);
        EXPECT_LE(std::abs(g - w), tolerance)
            << where << ": got " << std::hex << got << ", want " << want;
    }
}

void ExpectPage(const std::optional<TPixelPage>& got, const TPixelPage& want,
                const std::string& what) {
    ASSERT_TRUE(got) << what;
    EXPECT_EQ(got->width, want.width) << what;
    EXPECT_EQ(got->height, want.height) << what;
    EXPECT_EQ(got->pixels, want.pixels) << what;
}

} // namespace

TEST_F(PictureFileTest, PngRoundTripsWithAlpha) {
    const std::string path = PathOf("shot.PNG");
    ASSERT_TRUE(SavePng(path, kColour));
    ExpectPage(LoadPicture(path), kColour, "png");
}

TEST_F(PictureFileTest, PngOfOtherColourTypesIsWidenedToArgb) {
    // Grey without alpha.
    png_image grey{};
    grey.version = PNG_IMAGE_VERSION;
    grey.width = 3;
    grey.height = 2;
    grey.format = PNG_FORMAT_GRAY;
    const uint8_t levels[6] = {0x00, 0x40, 0x80, 0xC0, 0xFF, 0x10};
    const std::string greyPath = PathOf("grey.png");
    ASSERT_TRUE(png_image_write_to_file(&grey, greyPath.c_str(), 0, levels, 3, nullptr));
    ExpectPage(LoadPicture(greyPath), kGrey, "grey png");

    // Palette with a transparent entry.
    png_image indexed{};
    indexed.version = PNG_IMAGE_VERSION;
    indexed.width = 3;
    indexed.height = 2;
    indexed.format = PNG_FORMAT_RGBA_COLORMAP;
    indexed.colormap_entries = 3;
    const uint8_t map[12] = {255, 0, 0, 255, 0, 0, 255, 255, 0, 255, 0, 0};
    const uint8_t index[6] = {0, 1, 2, 2, 1, 0};
    const std::string indexedPath = PathOf("indexed.png");
    ASSERT_TRUE(png_image_write_to_file(&indexed, indexedPath.c_str(), 0, index, 3, map));
    ExpectPage(LoadPicture(indexedPath),
               Page(3, 2, {0xFFFF0000, 0xFF0000FF, 0x0000FF00, 0x0000FF00, 0xFF0000FF, 0xFFFF0000}),
               "palette png");
}

TEST_F(PictureFileTest, TgaLoadsInEveryLayout) {
    const struct {
        int depth;
        bool rle, topDown;
    } cases[] = {
        {24, false, false}, {32, false, true}, {8, false, false},
        {24, true, true},   {32, true, false}, {8, true, true},
    };
    // Runs inside a row and across the row boundary, for the RLE cases.
    const TPixelPage runs = Page(4, 2,
                                 {0x80102030, 0x80102030, 0x80102030, 0xFF00FF00, //
                                  0xFF00FF00, 0xFFABCDEF, 0x00000000, 0x00000000});
    for (const auto& c : cases) {
        const std::string what = "tga " + std::to_string(c.depth) + (c.rle ? " rle" : "") +
                                 (c.topDown ? " top-down" : " bottom-up");
        const TPixelPage& source = c.depth == 8 ? kGrey : c.rle ? runs : kColour;
        const TPixelPage want = c.depth == 32 ? source : Opaque(source);
        const auto path = Write("picture.Tga", MakeTga(source, c.depth, c.rle, c.topDown));
        ExpectPage(LoadPicture(path), want, what);
    }
}

TEST_F(PictureFileTest, BmpLoadsAnyOtherExtension) {
    const struct {
        const char* name;
        int bits;
        bool topDown, alphaBytes;
        TPixelPage want;
    } cases[] = {
        {"colour.bmp", 24, false, true, Opaque(kColour)},
        {"palette.BMP", 8, false, true, Opaque(kColour)},
        {"alpha.dat", 32, true, true, kColour},
        // The fourth byte left zero throughout means no alpha at all.
        {"noalpha", 32, false, false, Opaque(kColour)},
    };
    for (const auto& c : cases) {
        TPixelPage source = c.want;
        if (!c.alphaBytes)
            for (uint32_t& px : source.pixels) px &= 0x00FFFFFF;
        ExpectPage(LoadPicture(Write(c.name, MakeBmp(source, c.bits, c.topDown))), c.want, c.name);
    }
}

TEST_F(PictureFileTest, JpegLoadsColourAndGrey) {
    const auto colour = LoadPicture(Write("halves.jpg", MakeJpeg(false)));
    ASSERT_TRUE(colour);
    ASSERT_EQ(colour->width, 16);
    ASSERT_EQ(colour->height, 8);
    // Lossy: away from the edge between the halves the colours come back closely.
    ExpectNear(colour->pixels[4 * 16 + 2], 0xFFFF0000, 6, "red half");
    ExpectNear(colour->pixels[4 * 16 + 13], 0xFF0000FF, 6, "blue half");

    const auto grey = LoadPicture(Write("grey.JPEG", MakeJpeg(true)));
    ASSERT_TRUE(grey);
    ExpectNear(grey->pixels[2 * 16 + 1], 0xFF303030, 3, "dark half");
    ExpectNear(grey->pixels[2 * 16 + 14], 0xFFD0D0D0, 3, "light half");
}

TEST_F(PictureFileTest, DamagedPicturesFail) {
    ASSERT_TRUE(SavePng(PathOf("ok.png"), kColour));
    const struct {
        const char* ext;
        Bytes good;
        size_t header; // bytes before the pixel data
    } kinds[] = {
        {".png", Read(PathOf("ok.png")), 33},
        {".tga", MakeTga(kColour, 32, false, false), 22},
        {".tga", MakeTga(kColour, 24, true, false), 22},
        {".bmp", MakeBmp(kColour, 24, false), 54},
        {".bmp", MakeBmp(kColour, 8, false), 54},
        {".jpg", MakeJpeg(false), 20},
    };
    std::mt19937 random(7);
    int n = 0;
    for (const auto& k : kinds) {
        ASSERT_TRUE(DecodePicture(PictureKindOf(k.ext), k.good.data(), k.good.size())) << k.ext;
        Bytes garbage(k.good.size());
        for (uint8_t& b : garbage) b = uint8_t(random());
        const Bytes cases[] = {
            Bytes(k.good.begin(), k.good.begin() + 4),
            Bytes(k.good.begin(), k.good.begin() + k.header),
            Bytes(k.good.begin(), k.good.begin() + k.good.size() / 2),
            Bytes(k.good.begin(), k.good.end() - 1),
            garbage,
            {},
        };
        for (const Bytes& bytes : cases) {
            const std::string name = "bad" + std::to_string(n++) + k.ext;
            EXPECT_FALSE(LoadPicture(Write(name, bytes))) << name << ", " << bytes.size();
        }
    }
    EXPECT_FALSE(LoadPicture(PathOf("missing.png")));
}

TEST_F(PictureFileTest, ImpossibleHeadersFailWithoutReadingOn) {
    auto tgaSized = [](int w, int h) {
        Bytes b = MakeTga(kColour, 24, true, false);
        b[12] = uint8_t(w), b[13] = uint8_t(w >> 8), b[14] = uint8_t(h), b[15] = uint8_t(h >> 8);
        return b;
    };
    auto bmpWith = [](size_t at, uint32_t v) {
        Bytes b = MakeBmp(kColour, 8, false);
        for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
        return b;
    };
    Bytes paletteIndex = MakeBmp(kColour, 8, false);
    paletteIndex.back() = 200; // beyond the six entries (a padding byte would be ignored)
    paletteIndex[paletteIndex.size() - 2] = 200;
    const struct {
        const char* what;
        TPictureKind kind;
        Bytes bytes;
    } cases[] = {
        {"tga of 65535 squared from a few bytes", TPictureKind::Tga, tgaSized(65535, 65535)},
        {"tga of zero width", TPictureKind::Tga, tgaSized(0, 2)},
        {"bmp of absurd width", TPictureKind::Bmp, bmpWith(18, 0x7FFFFFFF)},
        {"bmp of negative width", TPictureKind::Bmp, bmpWith(18, uint32_t(-3))},
        {"bmp of lowest height", TPictureKind::Bmp, bmpWith(22, 0x80000000)},
        {"bmp pixels past the end", TPictureKind::Bmp, bmpWith(10, 0xFFFFFFF0)},
        {"bmp palette larger than 256", TPictureKind::Bmp, bmpWith(46, 257)},
        {"bmp header size past the end", TPictureKind::Bmp, bmpWith(14, 0xFFFFFFFF)},
        {"bmp index outside the palette", TPictureKind::Bmp, paletteIndex},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(DecodePicture(c.kind, c.bytes.data(), c.bytes.size())) << c.what;
}

TEST(PictureCutTest, CellsGoRowByRowAndSpillOntoAnotherPage) {
    // 5x3 picture in 2x2 cells: three columns, two rows, the right and bottom ones partial.
    TPixelPage picture{5, 3, {}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) picture.pixels.push_back(0xFF000000u | uint32_t(x << 8 | y));
    int count = 0;
    const auto pages = CutIntoPages(picture, 2, 2, 4, 5, &count);
    EXPECT_EQ(count, 6);
    ASSERT_EQ(pages.size(), 2u); // four cells fit a 4x5 page
    for (const TPixelPage& page : pages) {
        EXPECT_EQ(page.width, 4);
        EXPECT_EQ(page.height, 5);
        ASSERT_EQ(page.pixels.size(), 20u);
    }
    auto at = [&](int page, int x, int y) { return pages[size_t(page)].pixels[size_t(y * 4 + x)]; };
    auto from = [](int x, int y) { return 0xFF000000u | uint32_t(x << 8 | y); };
    const struct {
        int page, slotX, slotY; // top-left of the cell on its page
        int srcX, srcY;         // top-left of the cell in the picture
    } cells[] = {
        {0, 0, 0, 0, 0}, {0, 2, 0, 2, 0}, {0, 0, 2, 4, 0},
        {0, 2, 2, 0, 2}, {1, 0, 0, 2, 2}, {1, 2, 0, 4, 2},
    };
    for (const auto& c : cells) {
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx) {
                const bool inside = c.srcX + dx < 5 && c.srcY + dy < 3;
                EXPECT_EQ(at(c.page, c.slotX + dx, c.slotY + dy),
                          inside ? from(c.srcX + dx, c.srcY + dy) : 0u)
                    << "cell from " << c.srcX << "," << c.srcY << " +" << dx << "," << dy;
            }
    }
    // Whatever no cell covers stays transparent: the bottom row and page 1's lower slots.
    for (int x = 0; x < 4; ++x) EXPECT_EQ(at(0, x, 4), 0u);
    for (int y = 2; y < 5; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(at(1, x, y), 0u);
}

TEST(PictureCutTest, ExitScreenPictureFillsOneCorner) {
    TPixelPage picture{800, 600, std::vector<uint32_t>(800 * 600, 0xFF336699)};
    picture.pixels.back() = 0xFFFFFFFF;
    int count = 0;
    const auto pages = CutIntoPages(picture, 800, 600, 1024, 1024, &count);
    EXPECT_EQ(count, 1);
    ASSERT_EQ(pages.size(), 1u);
    ASSERT_EQ(pages[0].pixels.size(), 1024u * 1024u);
    EXPECT_EQ(pages[0].pixels[0], 0xFF336699u);
    EXPECT_EQ(pages[0].pixels[599 * 1024 + 799], 0xFFFFFFFFu);
    EXPECT_EQ(pages[0].pixels[599 * 1024 + 800], 0u);
    EXPECT_EQ(pages[0].pixels[600 * 1024], 0u);
}

TEST(PictureCutTest, SizesOutOfOrderGiveNothing) {
    const TPixelPage picture{4, 4, std::vector<uint32_t>(16, 1)};
    const struct {
        int pw, ph, tw, th;
    } cases[] = {
        {0, 2, 4, 4}, {2, -1, 4, 4}, {5, 2, 4, 4}, {2, 2, 4, 1}, {2, 2, kMaxTextureSide + 1, 4},
    };
    for (const auto& c : cases) {
        int count = -1;
        EXPECT_TRUE(CutIntoPages(picture, c.pw, c.ph, c.tw, c.th, &count).empty())
            << c.pw << "x" << c.ph << " on " << c.tw << "x" << c.th;
        EXPECT_EQ(count, 0);
    }
    EXPECT_TRUE(CutIntoPages(TPixelPage{2, 2, {1, 2, 3}}, 1, 1, 2, 2).empty());
}
