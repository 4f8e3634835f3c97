#include "tools/FontBuilder.h"
#include "platform/Cp1252.h"
#include <algorithm>
#include <cmath>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

struct Library {
    FT_Library lib = nullptr;
    ~Library() {
        if (lib) FT_Done_FreeType(lib);
    }
};

struct Face {
    FT_Face face = nullptr;
    ~Face() {
        if (face) FT_Done_Face(face);
    }
};

struct Glyph {
    int left = 0, top = 0, width = 0, rows = 0, advance = 0;
    std::vector<uint8_t> coverage;
};

int NextPowerOfTwo(int v) {
    int p = 1;
    while (p < v) p <<= 1;
    return p;
}

} // namespace

std::optional<TFontRecord> BuildFontRecord(const TFontStyle& entry, std::string& error) {
    Library library;
    if (FT_Init_FreeType(&library.lib) != 0) {
        error = "cannot start FreeType";
        return std::nullopt;
    }
    Face face;
    if (FT_New_Face(library.lib, entry.ttf.c_str(), 0, &face.face) != 0) {
        error = "cannot read the font face " + entry.ttf;
        return std::nullopt;
    }
    FT_Set_Pixel_Sizes(face.face, 0, FT_UInt(entry.pixelSize));
    const int ascender = int(std::ceil(face.face->size->metrics.ascender / 64.0));
    const int descender = int(std::ceil(-face.face->size->metrics.descender / 64.0));
    const int pad = entry.outline;

    constexpr int kFirst = 32, kCount = 224;
    std::vector<Glyph> glyphs(kCount);
    int cellWidth = 1;
    for (int i = 0; i < kCount; ++i) {
        const char32_t cp = platform::Cp1252ToCodePoint(uint8_t(kFirst + i));
        Glyph& g = glyphs[i];
        const FT_UInt index = cp ? FT_Get_Char_Index(face.face, cp) : 0;
        if (index == 0 && cp != U' ') continue; // no glyph: the game advances by its space rule
        const FT_Int32 flags = FT_LOAD_RENDER | (entry.antialias ? 0 : FT_LOAD_TARGET_MONO);
        if (FT_Load_Glyph(face.face, index, flags) != 0) continue;
        const FT_GlyphSlot slot = face.face->glyph;
        if (!entry.antialias) FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = int(slot->bitmap.width);
        g.rows = int(slot->bitmap.rows);
        g.advance = int(std::lround(slot->advance.x / 64.0)) + pad;
        g.coverage.assign(size_t(g.width) * g.rows, 0);
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.width; ++x)
                g.coverage[size_t(y) * g.width + x] =
                    slot->bitmap.buffer[y * slot->bitmap.pitch + x];
        cellWidth = std::max({cellWidth, g.advance, std::max(0, g.left) + g.width + 2 * pad});
    }
    const int cellHeight = ascender + descender + 2 * pad;

    // At least sixteen cells a row; cells fill the page row by row as the image reads them.
    TImageRecord image;
    image.format = 5;
    image.patternWidth = image.visibleWidth = cellWidth;
    image.patternHeight = image.visibleHeight = cellHeight;
    image.textureWidth = NextPowerOfTwo(cellWidth * 16);
    const int perRow = image.textureWidth / cellWidth;
    const int rows = (kCount + perRow - 1) / perRow;
    image.textureHeight = NextPowerOfTwo(cellHeight * rows);
    image.textureCount = 1;
    image.patternCount = kCount;
    TPixelPage page;
    page.width = image.textureWidth;
    page.height = image.textureHeight;
    std::vector<uint8_t> alpha(size_t(page.width) * page.height, 0);

    TFontRecord record;
    record.firstChar = kFirst;
    record.spacing = entry.spacing;
    for (int i = 0; i < kCount; ++i) {
        const Glyph& g = glyphs[i];
        const int cellX = (i % perRow) * cellWidth, cellY = (i / perRow) * cellHeight;
        const int originX = cellX + pad + std::max(0, g.left);
        const int originY = cellY + pad + ascender - g.top;
        for (int y = 0; y < g.rows; ++y)
            for (int x = 0; x < g.width; ++x) {
                const int px = originX + x, py = originY + y;
                if (px < cellX || py < cellY || px >= cellX + cellWidth ||
                    py >= cellY + cellHeight)
                    continue;
                alpha[size_t(py) * page.width + px] = g.coverage[size_t(y) * g.width + x];
            }
        record.glyphSizes.emplace_back(g.advance, cellHeight);
    }

    // White glyph over a dark rim; the rim is the coverage grown by the outline radius.
    page.pixels.assign(alpha.size(), 0);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const uint8_t a = alpha[size_t(y) * page.width + x];
            uint8_t rim = 0;
            for (int dy = -pad; dy <= pad && pad > 0; ++dy)
                for (int dx = -pad; dx <= pad; ++dx) {
                    const int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= page.width || sy >= page.height) continue;
                    if (dx * dx + dy * dy > pad * pad + pad) continue;
                    rim = std::max(rim, alpha[size_t(sy) * page.width + sx]);
                }
            const int outA = std::max<int>(a, rim);
            if (outA == 0) continue;
            // Colour runs from the rim's dark blue-grey to white with the glyph's coverage.
            const int shade = rim > 0 ? 40 + (215 * a) / 255 : 255;
            page.pixels[size_t(y) * page.width + x] = uint32_t(outA) << 24 |
                                                       uint32_t(shade) << 16 |
                                                       uint32_t(shade) << 8 | uint32_t(std::min(255, shade + 20));
        }
    image.pages.push_back(std::move(page));
    record.image = std::move(image);
    return record;
}
