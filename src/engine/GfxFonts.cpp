#include "engine/GfxFonts.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxDb.h"
#include "engine/FontRecord.h"
#include "engine/GfxImageUpload.h"
#include "engine/TextUtil.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ParseHex8(std::string_view s, TGfxColor& out) {
    uint32_t v = 0;
    for (char c : s) {
        const int d = HexDigit(c);
        if (d < 0) return false;
        v = v << 4 | uint32_t(d);
    }
    out = v;
    return true;
}

TGfxColor WithAlpha(TGfxColor c, float alpha) {
    const float a = std::clamp(alpha, 0.0f, 1.0f) * 255.0f;
    return (c & 0x00FFFFFF) | uint32_t(std::lround(a)) << 24;
}

float AlphaOf(TGfxColor c) { return float(c >> 24) / 255.0f; }

} // namespace

size_t TGfxFont::TagAt(std::string_view text, size_t i, TGfxColor& top, TGfxColor& bottom) const {
    constexpr size_t kTag = 10;
    if (!ColorTags || i + kTag + 2 > text.size()) return 0;
    const char a = text[i], b = text[i + 1];
    const bool topTag = a == '#' && b == '$';
    const bool bottomTag = a == '&' && b == '$';
    const bool bothTag = a == '0' && b == 'x';
    if (!topTag && !bottomTag && !bothTag) return 0;
    TGfxColor c;
    if (!ParseHex8(text.substr(i + 2, 8), c)) return 0;
    if (topTag || bothTag) top = c;
    if (bottomTag || bothTag) bottom = c;
    return kTag;
}

float TGfxFont::Advance(uint8_t ch) const {
    const int glyph = int(ch) - FirstChar;
    if (glyph < 0 || glyph >= GlyphCount())
        return (float(Image.VisibleWidth) * SpaceFactor + Interleave) * Scale;
    return (float(GlyphSizes[glyph].first) + float(Spacing) + Interleave) * Scale;
}

void TGfxFont::TextOut(std::string_view text, float x, float y, TGfxColor color) {
    TextOutEx(text, x, y, color, color, fxBlend);
}

void TGfxFont::DrawGlyph(TGfxCanvas& canvas, int glyph, float x, float y, TGfxColor top,
                         TGfxColor bottom, uint32_t drawFx) {
    const float w = float(Image.VisibleWidth) * Scale, h = float(Image.VisibleHeight) * Scale;
    const float slant = (Style & fsItalic) ? float(Image.VisibleWidth) / 8 : 0.0f;
    const TPoint4 quad{{{x + slant, y}, {x + w + slant, y}, {x + w - slant, y + h},
                        {x - slant, y + h}}};
    canvas.DrawQuad(&Image, glyph, quad, false, false, TColor4{{top, top, bottom, bottom}},
                    drawFx);
}

void TGfxFont::TextOutEx(std::string_view text, float x, float y, TGfxColor top,
                         TGfxColor bottom, uint32_t drawFx) {
    if (!Owner) throw std::logic_error("TGfxFont: Unassigned Owner property.");
    if (!Owner->Canvas) throw std::logic_error("TGfxFont: Unassigned Owner.Canvas property.");
    TGfxCanvas& canvas = *Owner->Canvas;
    const bool bold = (Style & fsBold) != 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (const size_t tag = TagAt(text, i, top, bottom)) {
            i += tag - 1;
            continue;
        }
        const auto ch = uint8_t(text[i]);
        const int glyph = int(ch) - FirstChar;
        if (glyph >= 0 && glyph < GlyphCount()) {
            if (Style & fsShadow) {
                const float dx = 2 * Scale * ShadowScale, dy = (bold ? 3 : 2) * Scale * ShadowScale;
                const TGfxColor sTop = WithAlpha(ShadowColor, ShadowAlpha * AlphaOf(top));
                const TGfxColor sBottom = WithAlpha(ShadowColor, ShadowAlpha * AlphaOf(bottom));
                DrawGlyph(canvas, glyph, x + dx, y + dy, sTop, sBottom, drawFx);
            }
            float gx = x, gy = y;
            if (Style & fsEmboss) {
                const float a = EmbossAlpha * (bold ? 0.65f : 1.0f);
                DrawGlyph(canvas, glyph, x + 1, y + 1, WithAlpha(EmbossColor, a * AlphaOf(top)),
                          WithAlpha(EmbossColor, a * AlphaOf(bottom)), drawFx);
                gx -= 1;
                gy -= 1;
            }
            DrawGlyph(canvas, glyph, gx, gy, top, bottom, drawFx);
            if (bold) {
                DrawGlyph(canvas, glyph, gx, gy - 1, top, bottom, drawFx);
                DrawGlyph(canvas, glyph, gx, gy + 1, top, bottom, drawFx);
            }
        }
        x += Advance(ch);
    }
}

float TGfxFont::TextWidth(std::string_view text) const {
    float width = 0;
    TGfxColor top = 0, bottom = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (const size_t tag = TagAt(text, i, top, bottom)) {
            i += tag - 1;
            continue;
        }
        width += Advance(uint8_t(text[i]));
    }
    return width;
}

float TGfxFont::TextHeight(std::string_view text) const {
    int tallest = 0;
    for (const auto& [w, h] : GlyphSizes) tallest = std::max(tallest, h);
    return float(tallest) * Scale;
}

TGfxFont* TGfxFonts::Items(int index) const {
    return index >= 0 && index < Count() ? items_[index].get() : nullptr;
}

TGfxFont* TGfxFonts::Find(std::string_view name) const {
    for (const auto& f : items_)
        if (SameText(f->Name, name)) return f.get();
    return nullptr;
}

TGfxFont* TGfxFonts::Add() {
    items_.push_back(std::make_unique<TGfxFont>(this));
    char name[16];
    std::snprintf(name, sizeof name, "Font%02d", counter_++ % 100);
    items_.back()->Name = name;
    return items_.back().get();
}

TGfxFont* TGfxFonts::AddFromRecord(const std::string& name, const std::vector<uint8_t>& bytes) {
    const auto record = ParseFontRecord(bytes.data(), bytes.size());
    if (!record) return nullptr;
    TGfxFont* font = Add();
    if (!AssignImageRecord(font->Image, record->image)) {
        items_.pop_back();
        return nullptr;
    }
    font->Name = name;
    font->Image.Name = name;
    font->FirstChar = record->firstChar & 0xFF;
    font->Spacing = record->spacing;
    font->GlyphSizes = record->glyphSizes;
    if (Publisher() && Publisher()->Running() &&
        !UploadImage(font->Image, Publisher()->Renderer())) {
        ReleaseImage(font->Image, Publisher()->Renderer());
        items_.pop_back();
        return nullptr;
    }
    return font;
}

bool TGfxFonts::LoadFromResDb(TResDb& db) {
    if (!db.Ensure()) return false;
    for (int i = 0; i < db.RecordCount(); ++i) {
        if (db.RecordType(i) != kRecordFont) continue;
        const std::string key = db.RecordKey(i);
        std::vector<uint8_t> bytes;
        if (!db.ReadStream(key, bytes) || !AddFromRecord(key, bytes)) return false;
    }
    return true;
}

TGfxFonts::~TGfxFonts() { Clear(); }

void TGfxFonts::Clear() {
    if (Publisher())
        for (auto& f : items_) ReleaseImage(f->Image, Publisher()->Renderer());
    items_.clear();
}

bool TGfxFonts::DeviceMessage(int message) {
    switch (message) {
    case msgDeviceRelease:
        Clear();
        break;
    case msgDeviceLost:
        for (auto& f : items_) ReleaseImage(f->Image, Publisher()->Renderer());
        break;
    case msgDeviceReset:
        for (auto& f : items_) UploadImage(f->Image, Publisher()->Renderer());
        break;
    default:
        break;
    }
    return true;
}
