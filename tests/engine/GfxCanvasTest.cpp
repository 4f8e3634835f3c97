#include "engine/GfxCanvas.h"
#include "engine/GfxDevice.h"
#include "platform/headless/RecordingRenderer.h"
#include <cmath>
#include <gtest/gtest.h>

using platform::PrimitiveKind;
using platform::headless::RecordingRenderer;

namespace {

// A device of the given size with one 64x64 image of four 32x32 patterns on texture 7.
struct CanvasRig {
    RecordingRenderer renderer;
    TGfxDevice device{renderer};
    TGfxCanvas canvas{&device};
    TGfxImage image;

    explicit CanvasRig(int width = 800, int height = 600) {
        device.SetWidth(width);
        device.SetHeight(height);
        image.TextureWidth = image.TextureHeight = 64;
        image.PatternWidth = image.PatternHeight = 32;
        image.Prepare();
        image.Textures = {7};
        EXPECT_TRUE(device.Initialize());
    }
    const RecordingRenderer::Batch& Flushed(size_t index = 0) {
        canvas.Flush();
        EXPECT_GT(renderer.batches.size(), index);
        return renderer.batches.at(index);
    }
};

void ExpectXY(const platform::Vertex& v, float x, float y, const char* what) {
    EXPECT_NEAR(v.x, x, 1e-3) << what;
    EXPECT_NEAR(v.y, y, 1e-3) << what;
}

} // namespace

TEST(GfxCanvasTest, VertexCacheIsRoundedAndClamped) {
    struct Case {
        int asked, expected;
    };
    for (const Case c : {Case{1000, 1000}, {1001, 1004}, {100, 512}, {70000, 65536}}) {
        RecordingRenderer renderer;
        TGfxDevice device(renderer);
        TGfxCanvas canvas(&device);
        canvas.SetVertexCache(c.asked);
        EXPECT_EQ(canvas.VertexCache(), c.expected) << c.asked;
    }
    CanvasRig rig;
    rig.canvas.SetVertexCache(2048);
    EXPECT_EQ(rig.canvas.VertexCache(), 4096) << "fixed once the device runs";
}

TEST(GfxCanvasTest, PatternQuadHasScaledPositionsSwappedColoursAndHalfPixelCoordinates) {
    CanvasRig rig(1024, 768);
    rig.canvas.DrawScaled(&rig.image, 3, 400, 300, 1, 1, 1, false, false, 0x11, 0x22, 0x33, 0x44,
                          fxBlend);
    const auto& b = rig.Flushed();
    EXPECT_EQ(b.kind, PrimitiveKind::Triangles);
    EXPECT_EQ(b.texture, 7u);
    EXPECT_EQ(b.drawFx, fxBlend);
    ASSERT_EQ(b.vertices.size(), 4u);
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 2, 0, 2, 3}), b.indices);
    // Logical (400, 300) lands on device (512, 384), half a pixel back for texel centres.
    ExpectXY(b.vertices[0], 511.5f, 383.5f, "top-left");
    ExpectXY(b.vertices[2], (432 * 1.28f) - 0.5f, (332 * 1.28f) - 0.5f, "bottom-right");
    EXPECT_EQ(b.vertices[0].color, 0x44112233u) << "red and blue swapped for the device";
    // Pattern 3 is the bottom-right cell; the far edge sits half a texel in.
    EXPECT_FLOAT_EQ(b.vertices[0].u, 32.0f / 64);
    EXPECT_FLOAT_EQ(b.vertices[0].v, 32.0f / 64);
    EXPECT_FLOAT_EQ(b.vertices[2].u, 63.5f / 64);
    EXPECT_FLOAT_EQ(b.vertices[2].v, 63.5f / 64);
}

TEST(GfxCanvasTest, MirrorFlipAndPatternClamping) {
    struct Case {
        int pattern;
        bool mirrorX, mirrorY;
        float u0, v0, u1, v1; // at the top-left and bottom-right corners
    };
    const Case cases[] = {
        {0, false, false, 0, 0, 31.5f / 64, 31.5f / 64},
        {-5, false, false, 0, 0, 31.5f / 64, 31.5f / 64},        // clamps to the first
        {4, false, false, 0.5f, 0.5f, 63.5f / 64, 63.5f / 64},  // one past the last
        {0, true, false, 31.5f / 64, 0, 0, 31.5f / 64},
        {0, false, true, 0, 31.5f / 64, 31.5f / 64, 0},
    };
    for (const Case& c : cases) {
        CanvasRig rig;
        rig.canvas.DrawScaled(&rig.image, c.pattern, 0, 0, 1, 1, 1, c.mirrorX, c.mirrorY, 255,
                              255, 255, 255, fxBlend);
        const auto& v = rig.Flushed().vertices;
        EXPECT_FLOAT_EQ(v[0].u, c.u0) << c.pattern;
        EXPECT_FLOAT_EQ(v[0].v, c.v0) << c.pattern;
        EXPECT_FLOAT_EQ(v[2].u, c.u1) << c.pattern;
        EXPECT_FLOAT_EQ(v[2].v, c.v1) << c.pattern;
    }
}

TEST(GfxCanvasTest, CenterScaleRounding) {
    struct Case {
        int centerScale;
        float scale;
        float left, right; // device x of the quad's edges, before the half-pixel shift
    };
    const Case cases[] = {
        {1, 0.5f, 108, 124},  // 16 wide, centred: offset round(8)
        {1, 1.5f, 92, 140},   // 48 wide: offset round(-8)
        {1, 0.75f, 104, 128}, // 24 wide: offset round(4)
        {0, 0.5f, 100, 116},  // grows from the corner
    };
    for (const Case& c : cases) {
        CanvasRig rig;
        rig.canvas.DrawScaled(&rig.image, 0, 100, 50, c.scale, c.scale, c.centerScale, false,
                              false, 255, 255, 255, 255, fxBlend);
        const auto& v = rig.Flushed().vertices;
        EXPECT_NEAR(v[0].x + 0.5f, c.left, 1e-3) << c.scale;
        EXPECT_NEAR(v[1].x + 0.5f, c.right, 1e-3) << c.scale;
    }
    CanvasRig rig;
    rig.canvas.DrawScaled(&rig.image, 0, 0, 0, 1, 1, 2, false, false, 255, 255, 255, 255, fxBlend);
    rig.canvas.Flush();
    EXPECT_TRUE(rig.renderer.batches.empty()) << "CenterScale other than 0 or 1 draws nothing";
}

TEST(GfxCanvasTest, RotationTurnsCornersAboutTheCentre) {
    CanvasRig rig;
    rig.canvas.DrawRotated(&rig.image, 0, 100, 100, float(M_PI / 2), 2, 1, false, false,
                           0xFFFFFFFF, fxBlend);
    const auto& v = rig.Flushed().vertices;
    // Top-left (-32, -16) after scaling becomes (16, -32) after a quarter turn.
    ExpectXY(v[0], 116 - 0.5f, 68 - 0.5f, "top-left");
    ExpectXY(v[2], 84 - 0.5f, 132 - 0.5f, "bottom-right");
}

TEST(GfxCanvasTest, BatchesBreakOnKindEffectTextureTintAndSize) {
    CanvasRig rig;
    TGfxImage other = rig.image;
    other.Textures = {9};
    auto pattern = [&](TGfxImage& img, uint32_t fx, uint8_t alpha = 255) {
        rig.canvas.DrawScaled(&img, 0, 0, 0, 1, 1, 1, false, false, 255, 255, 255, alpha, fx);
    };
    pattern(rig.image, fxBlend);
    pattern(rig.image, fxBlend);      // joins
    pattern(rig.image, fxNone);       // effect
    pattern(other, fxNone);           // texture
    pattern(other, fxNone, 128);      // tint
    rig.canvas.Line({0, 0}, {5, 5}, 0xFF0000FF, 0xFF0000FF, fxNone); // kind
    rig.canvas.Flush();
    ASSERT_EQ(rig.renderer.batches.size(), 5u);
    EXPECT_EQ(rig.renderer.batches[0].vertices.size(), 8u);
    EXPECT_EQ(rig.renderer.batches[4].kind, PrimitiveKind::Lines);

    // 4096 vertices hold 682 quads by index count (6 each); the next one starts a batch.
    CanvasRig full;
    for (int i = 0; i < 683; ++i)
        full.canvas.DrawScaled(&full.image, 0, 0, 0, 1, 1, 1, false, false, 255, 255, 255, 255,
                               fxBlend);
    full.canvas.Flush();
    ASSERT_EQ(full.renderer.batches.size(), 2u);
    EXPECT_EQ(full.renderer.batches[0].indices.size(), 682u * 6);
}

TEST(GfxCanvasTest, SceneEndAndClipChangeDrawThePendingBatch) {
    CanvasRig rig(1600, 1200);
    rig.device.OnRender = [&](TGfxDevice&) {
        rig.canvas.PutPixel(1, 1, 0xFFFFFFFF, fxBlend);
        rig.canvas.SetClipRect({10, 20, 110, 220});
        EXPECT_EQ(rig.renderer.batches.size(), 1u) << "clip change flushes";
        rig.canvas.PutPixel(2, 2, 0xFFFFFFFF, fxBlend);
    };
    rig.device.Render(0xFF0000FF, true);
    EXPECT_EQ(rig.renderer.batches.size(), 2u) << "scene end flushes";
    ASSERT_EQ(rig.renderer.clears.size(), 1u);
    EXPECT_EQ(rig.renderer.clears[0], 0xFFFF0000u) << "clear colour in device byte order";
    ASSERT_FALSE(rig.renderer.clips.empty());
    EXPECT_EQ(rig.renderer.clips.back(), (platform::DeviceRect{20, 40, 220, 440}));
    EXPECT_EQ(rig.canvas.GetClipRect(), (TIntRect{10, 20, 110, 220}));
}

TEST(GfxCanvasTest, FrameOfARectangleKeepsItsRightAndBottomEdgesInside) {
    CanvasRig rig;
    rig.canvas.FrameRect(10, 10, 20, 30, 0xFFFFFFFF, fxBlend);
    const auto& b = rig.Flushed();
    ASSERT_EQ(b.kind, PrimitiveKind::Lines);
    ASSERT_EQ(b.vertices.size(), 8u);
    ExpectXY(b.vertices[1], 19, 10, "top edge ends on the last column");
    ExpectXY(b.vertices[3], 19, 29, "right edge ends on the last row");
    ExpectXY(b.vertices[5], 10, 29, "bottom edge");
}

TEST(GfxCanvasTest, FillCirclePlotsPixelsStrictlyInsideTheRadius) {
    CanvasRig rig;
    rig.canvas.FillCircle(10, 10, 1.5f, 0xFFFFFFFF, fxBlend);
    const auto& b = rig.Flushed();
    EXPECT_EQ(b.kind, PrimitiveKind::Points);
    EXPECT_EQ(b.vertices.size(), 9u) << "the 3x3 block; (12, 10) is 2 away";
    CanvasRig exact;
    exact.canvas.FillCircle(0, 0, 1, 0xFFFFFFFF, fxBlend);
    EXPECT_EQ(exact.Flushed().vertices.size(), 1u) << "distance 1 is not closer than 1";
}

TEST(GfxCanvasTest, LostDeviceBlocksDrawingUntilReset) {
    CanvasRig rig;
    rig.renderer.presentScript = {platform::PresentResult::Lost};
    rig.device.Flip();
    EXPECT_EQ(rig.renderer.resets, 1);
    rig.canvas.PutPixel(1, 1, 0xFFFFFFFF, fxBlend);
    EXPECT_EQ(rig.Flushed().vertices.size(), 1u) << "reset succeeded: drawing resumes";
}

TEST(GfxImageTest, PrepareRefusesSizesOutOfOrderOrBeyondCounting) {
    struct Case {
        int tw, th, pw, ph, vw, vh, count;
        bool ok;
        int patterns;
    };
    const Case cases[] = {
        {64, 64, 0, 0, 0, 0, 1, true, 1},              // unset sizes come from the texture
        {64, 64, 32, 16, 0, 0, 2, true, 16},           // 8 cells a page, two pages
        {64, 64, 80, 32, 0, 0, 1, false, 0},           // pattern wider than the texture
        {64, 64, 32, 32, 40, 10, 1, false, 0},         // visible wider than the pattern
        {0, 64, 0, 0, 0, 0, 1, false, 0},              // no texture
        {1 << 30, 1 << 30, 1, 1, 0, 0, 21, false, 0},  // more cells than an int counts
    };
    for (const Case& c : cases) {
        TGfxImage img;
        img.TextureWidth = c.tw, img.TextureHeight = c.th;
        img.PatternWidth = c.pw, img.PatternHeight = c.ph;
        img.VisibleWidth = c.vw, img.VisibleHeight = c.vh;
        img.TextureCount = c.count;
        EXPECT_EQ(img.Prepare(), c.ok) << c.tw << "x" << c.th << " " << c.pw << "x" << c.ph;
        if (c.ok) EXPECT_EQ(img.PatternCount, c.patterns);
    }
}
