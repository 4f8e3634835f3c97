#pragma once
#include "engine/GfxDevice.h"
#include "engine/GfxImage.h"
#include "engine/GfxTypes.h"
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TGfxCanvas;
class TGfxDevice;
class TGfxFonts;
class TResDb;

// Style bits of a font.
enum : uint32_t { fsBold = 1, fsItalic = 2, fsShadow = 4, fsEmboss = 8 };

// A bitmap font: one pattern of its glyph image per character, from FirstChar on.
// Text is Windows-1252. Colour tags inside the text ("#$AABBGGRR" top colour, "&$..." bottom,
// "0x..." both; colours with red in the low byte) count only when two more characters follow.
class TGfxFont {
public:
    explicit TGfxFont(TGfxFonts* owner) : Owner(owner) {}

    TGfxFonts* Owner;
    std::string Name;
    int FirstChar = 32;
    std::vector<std::pair<int, int>> GlyphSizes; // width, height per glyph
    int Spacing = 0;
    float Interleave = 0.0f;
    float Scale = 1.0f;
    float SpaceFactor = 0.3f;
    bool ColorTags = true;
    uint32_t Style = 0;
    float ShadowAlpha = 0.5f;
    TGfxColor ShadowColor = 0xFF000000;
    float ShadowScale = 1.0f;
    float EmbossAlpha = 0.8f;
    TGfxColor EmbossColor = 0xFF000000;
    TGfxImage Image;

    int GlyphCount() const { return int(GlyphSizes.size()); }

    void TextOut(std::string_view text, float x, float y, TGfxColor color);
    // Raises std::logic_error when the font has no list, or the list no canvas.
    void TextOutEx(std::string_view text, float x, float y, TGfxColor top, TGfxColor bottom,
                   uint32_t drawFx);
    float TextWidth(std::string_view text) const;
    float TextHeight(std::string_view text) const;

private:
    // Length of a colour tag at i (10), or 0 when there is none there.
    size_t TagAt(std::string_view text, size_t i, TGfxColor& top, TGfxColor& bottom) const;
    float Advance(uint8_t ch) const;
    void DrawGlyph(TGfxCanvas& canvas, int glyph, float x, float y, TGfxColor top,
                   TGfxColor bottom, uint32_t drawFx);
};

// The font list. Owns its fonts, keeps their glyph textures while the device runs, and
// draws them on its canvas.
class TGfxFonts : public TGfxSubscriber {
public:
    explicit TGfxFonts(TGfxDevice* device = nullptr, TGfxCanvas* canvas = nullptr)
        : Canvas(canvas) {
        SetPublisher(device);
    }
    ~TGfxFonts() override;
    TGfxCanvas* Canvas;

    int Count() const { return int(items_.size()); }
    TGfxFont* Items(int index) const;
    TGfxFont* Find(std::string_view name) const;
    TGfxFont* Add();
    void Clear();

    // Every font record, in record order, named after its key; false at the first failure.
    bool LoadFromResDb(TResDb& db);
    // Loads one font record's bytes into a new font; none when the record is damaged.
    TGfxFont* AddFromRecord(const std::string& name, const std::vector<uint8_t>& bytes);

    bool DeviceMessage(int message) override;

private:
    std::vector<std::unique_ptr<TGfxFont>> items_;
    int counter_ = 0;
};
