#include "tools/ContactSheet.h"
#include "engine/PictureFile.h"
#include "tools/FontBuilder.h"
#include "tools/ImageBuilder.h"
#include "tools/ImageManifest.h"
#include "tools/SvgRaster.h"
#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

struct Canvas {
    TPixelPage page;
    void Blend(int x, int y, uint32_t p) {
        if (x < 0 || y < 0 || x >= page.width || y >= page.height) return;
        uint32_t& d = page.pixels[size_t(y) * page.width + x];
        const uint32_t a = p >> 24;
        auto mix = [a](uint32_t s, uint32_t t) { return (s * a + t * (255 - a) + 127) / 255; };
        d = 0xFF000000u | mix((p >> 16) & 0xFF, (d >> 16) & 0xFF) << 16 |
            mix((p >> 8) & 0xFF, (d >> 8) & 0xFF) << 8 | mix(p & 0xFF, d & 0xFF);
    }
    void Fill(int x0, int y0, int w, int h, uint32_t c) {
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) Blend(x, y, c);
    }
};

// Draws text with a font record's glyph cells (white glyphs tinted by `colour`).
int DrawText(Canvas& c, const TFontRecord& font, const std::string& text, int x, int y,
             uint32_t colour) {
    const TImageRecord& img = font.image;
    const int perRow = img.textureWidth / img.patternWidth;
    for (unsigned char ch : text) {
        const int g = int(ch) - font.firstChar;
        if (g < 0 || g >= int(font.glyphSizes.size())) {
            x += img.patternWidth / 3;
            continue;
        }
        const int cx = (g % perRow) * img.patternWidth, cy = (g / perRow) * img.patternHeight;
        for (int yy = 0; yy < img.patternHeight; ++yy)
            for (int xx = 0; xx < img.patternWidth; ++xx) {
                const uint32_t p = img.pages[0].pixels[size_t(cy + yy) * img.textureWidth + cx + xx];
                const uint32_t a = p >> 24;
                if (!a) continue;
                auto tint = [&](int shift) {
                    return (((p >> shift) & 0xFF) * ((colour >> shift) & 0xFF)) / 255;
                };
                c.Blend(x + xx, y + yy, a << 24 | tint(16) << 16 | tint(8) << 8 | tint(0));
            }
        x += font.glyphSizes[g].first + font.spacing;
    }
    return x;
}

} // namespace

bool WriteContactSheet(const std::string& assetsDir, const std::string& pngPath,
                       std::string& error) {
    const fs::path assets(assetsDir);
    UseOnlyAssetFonts(fs::absolute(assets / "fonts").string());
    TAssetManifest manifest;
    if (!LoadAssetManifest((assets / "manifest.json").string(), manifest, error)) return false;
    TFontStyle labelStyle;
    labelStyle.ttf = (assets / "fonts/DejaVuSans.ttf").string();
    labelStyle.pixelSize = 12;
    auto label = BuildFontRecord(labelStyle, error);
    if (!label) return false;

    // Thumbnails: each pattern fitted into at most 96x96, wrapping at the sheet width.
    constexpr int kWidth = 1600, kThumb = 96, kGap = 6;
    struct Item {
        std::string title;
        TImageRecord record;
    };
    std::vector<Item> items;
    for (const TImageEntry& entry : manifest.images) {
        auto r = BuildImageRecord(entry, assets.string(), error);
        if (!r) return false;
        items.push_back({entry.name + " (" + std::to_string(entry.count) + " x " +
                             std::to_string(entry.patternWidth) + "x" +
                             std::to_string(entry.patternHeight) + ", " + entry.archive + ")",
                         std::move(*r)});
    }
    std::vector<TFontRecord> fonts;
    for (const TFontEntry& f : manifest.fonts) {
        TFontStyle s;
        s.ttf = (assets / f.ttf).string();
        s.pixelSize = f.pixelSize;
        s.outline = f.outline;
        auto r = BuildFontRecord(s, error);
        if (!r) return false;
        fonts.push_back(std::move(*r));
    }

    // Lay out first to know the height.
    int height = kGap;
    for (const Item& item : items) {
        const int perLine = std::max(1, (kWidth - kGap) / (kThumb + kGap));
        const int lines = (item.record.patternCount + perLine - 1) / perLine;
        height += 18 + lines * (kThumb + kGap) + kGap;
    }
    for (const TFontRecord& f : fonts) height += f.image.patternHeight + kGap + 16;
    height = std::min(height + kGap, kMaxTextureSide);

    Canvas c;
    c.page = TPixelPage{kWidth, height, std::vector<uint32_t>(size_t(kWidth) * height, 0xFF30343C)};
    int y = kGap;
    for (const Item& item : items) {
        DrawText(c, *label, item.title, kGap, y, 0xFFFFFFFF);
        y += 18;
        const TImageRecord& r = item.record;
        const int perRow = r.textureWidth / r.patternWidth;
        const int perPage = perRow * (r.textureHeight / r.patternHeight);
        const double fit = std::min(1.0, double(kThumb) / std::max(r.patternWidth, r.patternHeight));
        const int tw = std::max(1, int(r.patternWidth * fit)), th = std::max(1, int(r.patternHeight * fit));
        int x = kGap;
        for (int p = 0; p < r.patternCount; ++p) {
            if (x + kThumb > kWidth) {
                x = kGap;
                y += kThumb + kGap;
            }
            for (int yy = 0; yy < th; ++yy)
                for (int xx = 0; xx < tw; ++xx) {
                    const bool dark = ((xx / 8) + (yy / 8)) % 2 == 0;
                    c.Blend(x + xx, y + yy, dark ? 0xFF5A5A5A : 0xFF787878);
                }
            const TPixelPage& page = r.pages[p / perPage];
            const int q = p % perPage;
            const int cx = (q % perRow) * r.patternWidth, cy = (q / perRow) * r.patternHeight;
            for (int yy = 0; yy < th; ++yy)
                for (int xx = 0; xx < tw; ++xx) {
                    const int sx = cx + int(xx / fit), sy = cy + int(yy / fit);
                    c.Blend(x + xx, y + yy, page.pixels[size_t(sy) * r.textureWidth + sx]);
                }
            x += kThumb + kGap;
        }
        y += kThumb + kGap + kGap;
    }
    for (size_t i = 0; i < fonts.size(); ++i) {
        DrawText(c, *label, "font " + std::to_string(i) + ": " + manifest.fonts[i].name, kGap, y,
                 0xFFB0E0FF);
        y += 16;
        DrawText(c, fonts[i], "Kelvora 0123456789 The lab\x92s viruses! \xE9\xE8\xFC", kGap, y,
                 0xFFFFFFFF);
        y += fonts[i].image.patternHeight + kGap;
    }
    if (!SavePng(pngPath, c.page)) {
        error = pngPath + ": cannot write";
        return false;
    }
    return true;
}
