#include "engine/GfxCanvas.h"
#include <algorithm>
#include <cmath>

namespace {

bool AllWhite(const TColor4& c) {
    return c.c[0] == 0xFFFFFFFF && c.c[1] == 0xFFFFFFFF && c.c[2] == 0xFFFFFFFF &&
           c.c[3] == 0xFFFFFFFF;
}

float RoundHalfEven(float v) { return std::nearbyint(v); }

} // namespace

TGfxCanvas::TGfxCanvas(TGfxDevice* device) { SetPublisher(device); }

TGfxCanvas::~TGfxCanvas() = default;

void TGfxCanvas::SetVertexCache(int value) {
    if (Publisher() && Publisher()->Running()) return;
    value = (value + 3) / 4 * 4;
    vertexCache_ = std::clamp(value, 512, 65536);
}

bool TGfxCanvas::Ready() const {
    return buffersReady_ && !blocked_ && Publisher() && Publisher()->Running();
}

bool TGfxCanvas::DeviceMessage(int message) {
    switch (message) {
    case msgDeviceCreate:
        vertices_.clear();
        indices_.clear();
        vertices_.reserve(vertexCache_);
        indices_.reserve(vertexCache_);
        buffersReady_ = true;
        blocked_ = false;
        clip_ = TIntRect{0, 0, 800, 600};
        break;
    case msgDeviceRelease:
        vertices_ = {};
        indices_ = {};
        buffersReady_ = false;
        break;
    case msgDeviceLost:
        vertices_.clear();
        indices_.clear();
        blocked_ = true;
        break;
    case msgDeviceReset:
        blocked_ = false;
        SetClipRect(clip_);
        break;
    case msgEndScene:
        Flush();
        break;
    default:
        break;
    }
    return true;
}

void TGfxCanvas::Flush() {
    if (!vertices_.empty() && Publisher() && Publisher()->Running() && !blocked_) {
        platform::DrawBatch b;
        b.kind = key_.kind;
        b.texture = key_.texture;
        b.drawFx = key_.drawFx;
        b.linearFilter = Antialias;
        b.dithering = Dithering;
        b.vertices = vertices_.data();
        b.vertexCount = int(vertices_.size());
        b.indices = indices_.data();
        b.indexCount = int(indices_.size());
        Publisher()->Renderer().Draw(b);
    }
    vertices_.clear();
    indices_.clear();
}

void TGfxCanvas::Add(const Key& key, const platform::Vertex* vertices, int vertexCount,
                     const uint16_t* indices, int indexCount) {
    if (!Ready()) return;
    if (!(key == key_) || int(vertices_.size()) + vertexCount > vertexCache_ ||
        int(indices_.size()) + indexCount > vertexCache_)
        Flush();
    key_ = key;
    const auto base = uint16_t(vertices_.size());
    vertices_.insert(vertices_.end(), vertices, vertices + vertexCount);
    for (int i = 0; i < indexCount; ++i) indices_.push_back(uint16_t(base + indices[i]));
}

platform::Vertex TGfxCanvas::Untextured(TPoint2 p, TGfxColor color) const {
    const TGfxDevice* d = Publisher();
    return platform::Vertex{p.x * d->ScaleX(), p.y * d->ScaleY(), DeviceColor(color), 0, 0};
}

void TGfxCanvas::TexturedQuad(TGfxImage* image, int pattern, const TPoint2 (&corners)[4],
                              bool mirrorX, bool mirrorY, const TColor4& colors,
                              uint32_t drawFx) {
    if (!image || !Ready()) return;
    const TPatternRect r = image->PatternRect(pattern, mirrorX, mirrorY);
    const platform::TextureId texture = image->Texture(r.page);
    if (texture == 0) return;
    const TGfxDevice* d = Publisher();
    const float u[4] = {r.u0, r.u1, r.u1, r.u0};
    const float v[4] = {r.v0, r.v0, r.v1, r.v1};
    platform::Vertex quad[4];
    for (int i = 0; i < 4; ++i)
        quad[i] = platform::Vertex{corners[i].x * d->ScaleX() - 0.5f,
                                   corners[i].y * d->ScaleY() - 0.5f, DeviceColor(colors.c[i]),
                                   u[i], v[i]};
    static constexpr uint16_t kQuad[6] = {0, 1, 2, 0, 2, 3};
    Add(Key{platform::PrimitiveKind::Triangles, drawFx, texture, !AllWhite(colors)}, quad, 4,
        kQuad, 6);
}

void TGfxCanvas::DrawPattern(TGfxImage* image, int pattern, float x, float y, uint32_t drawFx) {
    if (!image) return;
    const float w = float(image->VisibleWidth), h = float(image->VisibleHeight);
    const TPoint2 corners[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    TexturedQuad(image, pattern, corners, false, false, TColor4{}, drawFx);
}

void TGfxCanvas::DrawScaled4(TGfxImage* image, int pattern, float x, float y, float scaleX,
                             float scaleY, int centerScale, bool mirrorX, bool mirrorY,
                             const TColor4& colors, uint32_t drawFx) {
    if (!image || (centerScale != 0 && centerScale != 1)) return;
    const float w0 = float(image->VisibleWidth), h0 = float(image->VisibleHeight);
    const float w = RoundHalfEven(w0 * scaleX), h = RoundHalfEven(h0 * scaleY);
    if (centerScale == 1) {
        x += RoundHalfEven((w0 - w) / 2);
        y += RoundHalfEven((h0 - h) / 2);
    }
    const TPoint2 corners[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
    TexturedQuad(image, pattern, corners, mirrorX, mirrorY, colors, drawFx);
}

void TGfxCanvas::DrawScaled(TGfxImage* image, int pattern, float x, float y, float scaleX,
                            float scaleY, int centerScale, bool mirrorX, bool mirrorY,
                            uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha,
                            uint32_t drawFx) {
    DrawScaled4(image, pattern, x, y, scaleX, scaleY, centerScale, mirrorX, mirrorY,
                TColor4::All(MakeColor(red, green, blue, alpha)), drawFx);
}

void TGfxCanvas::DrawRotated(TGfxImage* image, int pattern, float x, float y, float angle,
                             float scaleX, float scaleY, bool mirrorX, bool mirrorY,
                             TGfxColor color, uint32_t drawFx) {
    if (!image) return;
    const float hw = float(image->VisibleWidth) / 2, hh = float(image->VisibleHeight) / 2;
    const float c = std::cos(angle), s = std::sin(angle);
    const TPoint2 local[4] = {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}};
    TPoint2 corners[4];
    for (int i = 0; i < 4; ++i) {
        const float px = local[i].x * scaleX, py = local[i].y * scaleY;
        corners[i] = TPoint2{x + px * c - py * s, y + py * c + px * s};
    }
    TexturedQuad(image, pattern, corners, mirrorX, mirrorY, TColor4::All(color), drawFx);
}

void TGfxCanvas::DrawQuad(TGfxImage* image, int pattern, const TPoint4& quad, bool mirrorX,
                          bool mirrorY, const TColor4& colors, uint32_t drawFx) {
    const TPoint2 corners[4] = {quad.p[0], quad.p[1], quad.p[2], quad.p[3]};
    TexturedQuad(image, pattern, corners, mirrorX, mirrorY, colors, drawFx);
}

void TGfxCanvas::FillQuad(const TPoint4& quad, const TColor4& colors, uint32_t drawFx) {
    if (!Ready()) return;
    platform::Vertex v[4];
    for (int i = 0; i < 4; ++i) v[i] = Untextured(quad.p[i], colors.c[i]);
    static constexpr uint16_t kQuad[6] = {0, 1, 2, 0, 2, 3};
    Add(Key{platform::PrimitiveKind::Triangles, drawFx, 0, !AllWhite(colors)}, v, 4, kQuad, 6);
}

void TGfxCanvas::FillRect(float left, float top, float right, float bottom, TGfxColor color,
                          uint32_t drawFx) {
    FillQuad(TPoint4{{{left, top}, {right, top}, {right, bottom}, {left, bottom}}},
             TColor4::All(color), drawFx);
}

void TGfxCanvas::FrameQuad(const TPoint4& quad, const TColor4& colors, uint32_t drawFx) {
    TPoint2 p[4] = {quad.p[0], quad.p[1], quad.p[2], quad.p[3]};
    // An axis-aligned rectangle's right and bottom edges lie on its last pixel, not past it.
    const bool rectangle = p[0].y == p[1].y && p[1].x == p[2].x && p[2].y == p[3].y &&
                           p[3].x == p[0].x && p[1].x > p[0].x && p[3].y > p[0].y;
    if (rectangle) {
        p[1].x -= 1;
        p[2].x -= 1;
        p[2].y -= 1;
        p[3].y -= 1;
    }
    for (int i = 0; i < 4; ++i) Line(p[i], p[(i + 1) % 4], colors.c[i], colors.c[(i + 1) % 4], drawFx);
}

void TGfxCanvas::FrameRect(float left, float top, float right, float bottom, TGfxColor color,
                           uint32_t drawFx) {
    FrameQuad(TPoint4{{{left, top}, {right, top}, {right, bottom}, {left, bottom}}},
              TColor4::All(color), drawFx);
}

void TGfxCanvas::Line(TPoint2 a, TPoint2 b, TGfxColor colorA, TGfxColor colorB,
                      uint32_t drawFx) {
    if (!Ready()) return;
    const platform::Vertex v[2] = {Untextured(a, colorA), Untextured(b, colorB)};
    static constexpr uint16_t kLine[2] = {0, 1};
    Add(Key{platform::PrimitiveKind::Lines, drawFx, 0, colorA != 0xFFFFFFFF || colorB != 0xFFFFFFFF},
        v, 2, kLine, 2);
}

void TGfxCanvas::FillTriangle(TPoint2 a, TPoint2 b, TPoint2 c, TGfxColor colorA,
                              TGfxColor colorB, TGfxColor colorC, uint32_t drawFx) {
    if (!Ready()) return;
    const platform::Vertex v[3] = {Untextured(a, colorA), Untextured(b, colorB),
                                   Untextured(c, colorC)};
    static constexpr uint16_t kTri[3] = {0, 1, 2};
    const bool tinted = colorA != 0xFFFFFFFF || colorB != 0xFFFFFFFF || colorC != 0xFFFFFFFF;
    Add(Key{platform::PrimitiveKind::Triangles, drawFx, 0, tinted}, v, 3, kTri, 3);
}

void TGfxCanvas::PutPixel(float x, float y, TGfxColor color, uint32_t drawFx) {
    if (!Ready()) return;
    const platform::Vertex v = Untextured({x, y}, color);
    static constexpr uint16_t kPoint[1] = {0};
    Add(Key{platform::PrimitiveKind::Points, drawFx, 0, color != 0xFFFFFFFF}, &v, 1, kPoint, 1);
}

void TGfxCanvas::FillCircle(float x, float y, float radius, TGfxColor color, uint32_t drawFx) {
    if (radius <= 0) return;
    const int x0 = int(std::floor(x - radius)), x1 = int(std::ceil(x + radius));
    const int y0 = int(std::floor(y - radius)), y1 = int(std::ceil(y + radius));
    const float r2 = radius * radius;
    for (int py = y0; py <= y1; ++py)
        for (int px = x0; px <= x1; ++px) {
            const float dx = float(px) - x, dy = float(py) - y;
            if (dx * dx + dy * dy < r2) PutPixel(float(px), float(py), color, drawFx);
        }
}

void TGfxCanvas::SetClipRect(const TIntRect& rect) {
    Flush();
    clip_ = rect;
    TGfxDevice* d = Publisher();
    if (!d || !d->Running()) return;
    platform::DeviceRect r{int(std::lround(rect.Left * d->ScaleX())),
                           int(std::lround(rect.Top * d->ScaleY())),
                           int(std::lround(rect.Right * d->ScaleX())),
                           int(std::lround(rect.Bottom * d->ScaleY()))};
    d->Renderer().SetClip(r);
}
