#pragma once
// A control tree on a recording device, with a monospaced font (every character 8 by 16
// pixels, codes 32..127) and a two-pattern image (32 by 32 cells), for the GUI tests.
#include "engine/GfxCanvas.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GuiControls.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingRenderer.h"
#include <gtest/gtest.h>
#include <vector>

struct GuiRig {
    static constexpr platform::TextureId kFontTexture = 900, kImageTexture = 500;
    static constexpr int kGlyphWidth = 8, kGlyphHeight = 16;

    platform::headless::RecordingRenderer renderer;
    TGfxDevice device{renderer};
    TGfxCanvas canvas{&device};
    TGfxImages images{&device};
    TGfxFonts fonts{&device, &canvas};
    platform::headless::FakeClipboard clipboard;
    TKeySets keys = TKeySets::Initial();
    TGuiTaskbar root;

    GuiRig() {
        EXPECT_TRUE(device.Initialize());
        TGfxFont* font = fonts.Add();
        font->FirstChar = 32;
        font->GlyphSizes.assign(96, {kGlyphWidth, kGlyphHeight});
        TGfxImage& glyphs = font->Image;
        glyphs.TextureWidth = glyphs.TextureHeight = 128;
        glyphs.PatternWidth = kGlyphWidth;
        glyphs.PatternHeight = kGlyphHeight;
        glyphs.PatternCount = 96;
        EXPECT_TRUE(glyphs.Prepare());
        glyphs.Textures = {kFontTexture};

        TGfxImage* image = images.Add();
        image->TextureWidth = 64;
        image->TextureHeight = 32;
        image->PatternWidth = image->PatternHeight = 32;
        EXPECT_TRUE(image->Prepare());
        image->Textures = {kImageTexture};

        root.Context = TGuiContext{&canvas, &images, &fonts, &clipboard, &keys};
    }

    void Press(int x, int y, int button = mbLeft) { root.MouseDown({x, y}, button, 0); }
    void Release(int x, int y, int button = mbLeft) { root.MouseUp({x, y}, button, 0); }
    void Move(int x, int y) { root.MouseMove({x, y}, 0); }
    // A left press and release at one point, then the click that follows them.
    void ClickAt(int x, int y) {
        Press(x, y);
        Release(x, y);
        root.Click();
    }
    void Type(std::string_view text) {
        for (char c : text) root.KeyEvent(uint8_t(c), keChar, 0);
    }
    void Key(int key, TGuiShift shift = 0) { root.KeyEvent(key, keDown, shift); }

    // Everything drawn so far, and a fresh start.
    std::vector<platform::headless::RecordingRenderer::Batch> Drawn() {
        canvas.Flush();
        auto batches = renderer.batches;
        renderer.batches.clear();
        return batches;
    }
    void Draw(TGuiControl& control) {
        renderer.batches.clear();
        control.DrawTree();
    }

    struct Quad {
        float x, y, right, bottom;
        uint32_t color; // device colour of the first corner
        float u;        // texture coordinate of the first corner
    };
    // The quads of every triangle batch with the given texture (0: untextured fills), in
    // drawing order. Textured positions are moved back by the canvas's half pixel.
    std::vector<Quad> Quads(platform::TextureId texture) {
        std::vector<Quad> quads;
        for (const auto& b : Drawn()) {
            if (b.kind != platform::PrimitiveKind::Triangles || b.texture != texture) continue;
            const float off = texture ? 0.5f : 0.0f;
            for (size_t i = 0; i + 3 < b.vertices.size(); i += 4)
                quads.push_back(Quad{b.vertices[i].x + off, b.vertices[i].y + off,
                                     b.vertices[i + 2].x + off, b.vertices[i + 2].y + off,
                                     b.vertices[i].color, b.vertices[i].u});
        }
        return quads;
    }
    // Glyph quads of the font: where each character of the drawn text went.
    std::vector<Quad> Glyphs(TGuiControl& control) {
        Draw(control);
        return Quads(kFontTexture);
    }
};

// A device colour (blue in byte 0) for a colour with red in byte 0.
inline uint32_t Dev(TGfxColor c) { return TGfxCanvas::DeviceColor(c); }
