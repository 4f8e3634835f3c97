#include "engine/GfxCanvas.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "platform/headless/RecordingRenderer.h"
#include <gtest/gtest.h>
#include <stdexcept>

using platform::headless::RecordingRenderer;

namespace {

// A font of glyphs 'A'..'D' (widths 10, 12, 14, 16), cells 16x20, on texture 3.
struct FontRig {
    RecordingRenderer renderer;
    TGfxDevice device{renderer};
    TGfxCanvas canvas{&device};
    TGfxFonts fonts{&device, &canvas};
    TGfxFont* font;

    FontRig() {
        EXPECT_TRUE(device.Initialize());
        font = fonts.Add();
        font->FirstChar = 'A';
        font->GlyphSizes = {{10, 20}, {12, 20}, {14, 18}, {16, 22}};
        TGfxImage& img = font->Image;
        img.TextureWidth = 64;
        img.TextureHeight = 32;
        img.PatternWidth = 16;
        img.PatternHeight = 20;
        img.PatternCount = 4;
        EXPECT_TRUE(img.Prepare());
        img.Textures = {3};
    }
    std::vector<platform::Vertex> Drawn() {
        canvas.Flush();
        std::vector<platform::Vertex> all;
        for (const auto& b : renderer.batches)
            all.insert(all.end(), b.vertices.begin(), b.vertices.end());
        return all;
    }
};

constexpr uint32_t kDeviceRed = 0xFFFF0000; // opaque red as the device sees it

} // namespace

TEST(GfxFontsTest, WidthsHeightsAndCharactersWithoutGlyphs) {
    FontRig rig;
    EXPECT_FLOAT_EQ(rig.font->TextWidth("AB"), 22);
    // ' ' has no glyph: 0.3 of the 16-pixel visible width.
    EXPECT_FLOAT_EQ(rig.font->TextWidth("A A"), 20 + 16 * 0.3f);
    rig.font->Spacing = 2;
    rig.font->Interleave = 1;
    rig.font->Scale = 2;
    EXPECT_FLOAT_EQ(rig.font->TextWidth("AB"), (10 + 3 + 12 + 3) * 2.0f);
    EXPECT_FLOAT_EQ(rig.font->TextWidth("Z"), (16 * 0.3f + 1) * 2.0f);
    EXPECT_FLOAT_EQ(rig.font->TextHeight("A"), 44) << "tallest glyph times scale";
}

TEST(GfxFontsTest, ColourTagsNeedTwoMoreCharacters) {
    struct Case {
        const char* text;
        size_t glyphs;        // quads drawn
        bool redTop;          // first glyph drawn with red top corners
        float width;
    };
    const Case cases[] = {
        {"#$FF0000FFAB", 2, true, 22},          // tag + two letters: obeyed, not drawn
        {"#$FF0000FFA", 0, false, 0},           // tag + one letter: plain characters
        {"#$FF0000FF", 0, false, 0},            // tag at the very end
        {"0xFF0000FFAB", 2, true, 22},          // both colours
        {"&$FF0000FFAB", 2, false, 22},         // bottom colour only
        {"#$FF00G0FFAB", 0, false, 0},          // not hexadecimal: drawn as text
    };
    for (const Case& c : cases) {
        FontRig rig;
        rig.font->TextOut(c.text, 0, 0, 0xFFFFFFFF);
        const auto v = rig.Drawn();
        const std::string text = c.text;
        size_t glyphs = 0;
        for (char ch : text) glyphs += ch >= 'A' && ch <= 'D';
        const size_t expected = c.glyphs ? c.glyphs : glyphs;
        EXPECT_EQ(v.size(), expected * 4) << c.text;
        if (c.glyphs) {
            EXPECT_EQ(v[0].color == kDeviceRed, c.redTop) << c.text;
            EXPECT_FLOAT_EQ(rig.font->TextWidth(c.text), c.width) << c.text;
        }
        if (std::string(c.text).rfind("&$", 0) == 0) EXPECT_EQ(v[3].color, kDeviceRed);
    }
}

TEST(GfxFontsTest, GlyphQuadsAdvanceAndTakeTopAndBottomColours) {
    FontRig rig;
    rig.font->TextOutEx("AB", 100, 50, 0xFF0000FF, 0xFFFF0000, fxBlend);
    const auto v = rig.Drawn();
    ASSERT_EQ(v.size(), 8u);
    EXPECT_FLOAT_EQ(v[0].x + 0.5f, 100);
    EXPECT_FLOAT_EQ(v[4].x + 0.5f, 110) << "B starts after A's 10-pixel advance";
    EXPECT_EQ(v[0].color, 0xFFFF0000u);
    EXPECT_EQ(v[2].color, 0xFF0000FFu);
    EXPECT_FLOAT_EQ(v[2].y + 0.5f, 70) << "cells are drawn at their visible height";
}

TEST(GfxFontsTest, StylesAddCopies) {
    struct Case {
        uint32_t style;
        size_t quadsPerGlyph;
    };
    for (const Case c : {Case{0, 1}, {fsShadow, 2}, {fsBold, 3}, {fsEmboss, 2},
                         {fsBold | fsShadow | fsEmboss, 5}, {fsItalic, 1}}) {
        FontRig rig;
        rig.font->Style = c.style;
        rig.font->TextOut("A", 0, 0, 0xFFFFFFFF);
        EXPECT_EQ(rig.Drawn().size(), c.quadsPerGlyph * 4) << c.style;
    }
    FontRig italic;
    italic.font->Style = fsItalic;
    italic.font->TextOut("A", 0, 0, 0xFFFFFFFF);
    const auto v = italic.Drawn();
    EXPECT_FLOAT_EQ(v[0].x + 0.5f, 2) << "top corners lean right by an eighth of 16";
    EXPECT_FLOAT_EQ(v[3].x + 0.5f, -2);
}

TEST(GfxFontsTest, DrawingWithoutListOrCanvasRaises) {
    TGfxFont orphan(nullptr);
    try {
        orphan.TextOut("A", 0, 0, 0xFFFFFFFF);
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "TGfxFont: Unassigned Owner property.");
    }
    TGfxFonts noCanvas;
    TGfxFont* f = noCanvas.Add();
    try {
        f->TextOut("A", 0, 0, 0xFFFFFFFF);
        FAIL();
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "TGfxFont: Unassigned Owner.Canvas property.");
    }
    EXPECT_EQ(f->Name, "Font00");
    EXPECT_EQ(noCanvas.Find("FONT00"), f);
}

TEST(GfxFontsTest, DamagedFontRecordIsRefused) {
    FontRig rig;
    const int before = rig.fonts.Count();
    EXPECT_EQ(rig.fonts.AddFromRecord("broken", {1, 2, 3}), nullptr);
    std::vector<uint8_t> hostile(16, 0);
    hostile[12] = 0xFF, hostile[13] = 0xFF, hostile[14] = 0xFF, hostile[15] = 0x7F; // glyph count
    EXPECT_EQ(rig.fonts.AddFromRecord("hostile", hostile), nullptr);
    EXPECT_EQ(rig.fonts.Count(), before);
}
