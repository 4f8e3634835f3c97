#pragma once
#include "engine/GfxDevice.h"
#include "engine/GfxTypes.h"
#include "engine/SpriteCanvas.h"
#include "platform/Renderer.h"
#include <vector>

// The batched 2D canvas on the logical 800x600 screen. Primitives of the same kind, blend
// code, texture and tint share a batch; a batch is drawn when that changes, when it is
// full, at scene end and when the clip rectangle changes.
class TGfxCanvas : public TSpriteCanvas, public TGfxSubscriber {
public:
    explicit TGfxCanvas(TGfxDevice* device = nullptr);
    ~TGfxCanvas() override;

    bool AlphaTesting = false;
    bool Antialias = false; // linear texture filtering
    bool Dithering = true;

    int VertexCache() const { return vertexCache_; }
    // Rounded up to a multiple of 4 and clamped to 512..65536; ignored once the device runs.
    void SetVertexCache(int value);

    void DrawPattern(TGfxImage* image, int pattern, float x, float y, uint32_t drawFx);
    void DrawScaled(TGfxImage* image, int pattern, float x, float y, float scaleX, float scaleY,
                    int centerScale, bool mirrorX, bool mirrorY, uint8_t red, uint8_t green,
                    uint8_t blue, uint8_t alpha, uint32_t drawFx) override;
    void DrawScaled4(TGfxImage* image, int pattern, float x, float y, float scaleX, float scaleY,
                     int centerScale, bool mirrorX, bool mirrorY, const TColor4& colors,
                     uint32_t drawFx) override;
    void DrawRotated(TGfxImage* image, int pattern, float x, float y, float angle, float scaleX,
                     float scaleY, bool mirrorX, bool mirrorY, TGfxColor color,
                     uint32_t drawFx) override;
    void DrawQuad(TGfxImage* image, int pattern, const TPoint4& quad, bool mirrorX, bool mirrorY,
                  const TColor4& colors, uint32_t drawFx) override;
    void DrawQuadColor(TGfxImage* image, int pattern, const TPoint4& quad, TGfxColor color,
                       uint32_t drawFx) {
        DrawQuad(image, pattern, quad, false, false, TColor4::All(color), drawFx);
    }

    void FillQuad(const TPoint4& quad, const TColor4& colors, uint32_t drawFx);
    void FillRect(float left, float top, float right, float bottom, TGfxColor color,
                  uint32_t drawFx = fxBlend);
    void FrameQuad(const TPoint4& quad, const TColor4& colors, uint32_t drawFx);
    void FrameRect(float left, float top, float right, float bottom, TGfxColor color,
                   uint32_t drawFx = fxBlend);
    void Line(TPoint2 a, TPoint2 b, TGfxColor colorA, TGfxColor colorB, uint32_t drawFx);
    void FillTriangle(TPoint2 a, TPoint2 b, TPoint2 c, TGfxColor colorA, TGfxColor colorB,
                      TGfxColor colorC, uint32_t drawFx);
    void PutPixel(float x, float y, TGfxColor color, uint32_t drawFx);
    void FillCircle(float x, float y, float radius, TGfxColor color, uint32_t drawFx);

    // In logical coordinates; setting it draws what is pending first.
    TIntRect GetClipRect() const { return clip_; }
    void SetClipRect(const TIntRect& rect);

    void Flush();
    bool DeviceMessage(int message) override;

    // Device colour: red and blue swapped (the device takes blue in byte 0).
    static uint32_t DeviceColor(TGfxColor c) {
        return (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
    }

private:
    struct Key {
        platform::PrimitiveKind kind;
        uint32_t drawFx;
        platform::TextureId texture;
        bool tinted;
        friend bool operator==(const Key&, const Key&) = default;
    };

    bool Ready() const;
    void Add(const Key& key, const platform::Vertex* vertices, int vertexCount,
             const uint16_t* indices, int indexCount);
    void TexturedQuad(TGfxImage* image, int pattern, const TPoint2 (&corners)[4], bool mirrorX,
                      bool mirrorY, const TColor4& colors, uint32_t drawFx);
    platform::Vertex Untextured(TPoint2 p, TGfxColor color) const;

    int vertexCache_ = 4096;
    bool buffersReady_ = false;
    bool blocked_ = false;
    std::vector<platform::Vertex> vertices_;
    std::vector<uint16_t> indices_;
    Key key_{platform::PrimitiveKind::Triangles, 0, 0, false};
    TIntRect clip_{0, 0, 800, 600};
};
