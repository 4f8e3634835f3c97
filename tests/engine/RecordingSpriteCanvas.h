#pragma once
#include "engine/GfxImage.h"
#include "engine/GfxTypes.h"
#include "engine/SpriteCanvas.h"
#include <cstdint>
#include <ostream>
#include <vector>

// One canvas call with every argument kept; fields a kind does not take stay at their
// defaults, so whole calls can be compared. DrawScaled's bytes and DrawRotated's colour are
// kept as corner colours.
struct TSpriteCanvasCall {
    enum Kind { Scaled, Scaled4, Rotated, Quad };
    Kind kind = Scaled;
    TGfxImage* image = nullptr;
    int pattern = 0;
    float x = 0, y = 0;
    float angle = 0;
    float scaleX = 0, scaleY = 0;
    int centerScale = -1;
    TPoint4 quad;
    bool mirrorX = false, mirrorY = false;
    TColor4 colors;
    uint32_t drawFx = 0;

    friend bool operator==(const TSpriteCanvasCall&, const TSpriteCanvasCall&) = default;

    friend void PrintTo(const TSpriteCanvasCall& c, std::ostream* os) {
        static const char* const kNames[] = {"DrawScaled", "DrawScaled4", "DrawRotated",
                                             "DrawQuad"};
        *os << kNames[c.kind] << "(pattern " << c.pattern << ", at " << c.x << "," << c.y
            << ", angle " << c.angle << ", scale " << c.scaleX << "x" << c.scaleY << ", centre "
            << c.centerScale << ", quad";
        for (const TPoint2& p : c.quad.p)
            *os << " " << p.x << "," << p.y;
        *os << ", mirror " << c.mirrorX << c.mirrorY << ", colours" << std::hex;
        for (TGfxColor v : c.colors.c)
            *os << " " << v;
        *os << ", fx " << c.drawFx << std::dec << ")";
    }
};

// Records the sprite drawing calls in order and draws nothing.
class RecordingSpriteCanvas : public TSpriteCanvas {
  public:
    std::vector<TSpriteCanvasCall> calls;

    void DrawScaled(TGfxImage* image, int pattern, float x, float y, float scaleX, float scaleY,
                    int centerScale, bool mirrorX, bool mirrorY, uint8_t red, uint8_t green,
                    uint8_t blue, uint8_t alpha, uint32_t drawFx) override {
        TSpriteCanvasCall c =
            Common(TSpriteCanvasCall::Scaled, image, pattern, mirrorX, mirrorY, drawFx);
        c.x = x, c.y = y, c.scaleX = scaleX, c.scaleY = scaleY, c.centerScale = centerScale;
        c.colors = TColor4::All(MakeColor(red, green, blue, alpha));
        calls.push_back(c);
    }
    void DrawScaled4(TGfxImage* image, int pattern, float x, float y, float scaleX, float scaleY,
                     int centerScale, bool mirrorX, bool mirrorY, const TColor4& colors,
                     uint32_t drawFx) override {
        TSpriteCanvasCall c =
            Common(TSpriteCanvasCall::Scaled4, image, pattern, mirrorX, mirrorY, drawFx);
        c.x = x, c.y = y, c.scaleX = scaleX, c.scaleY = scaleY, c.centerScale = centerScale;
        c.colors = colors;
        calls.push_back(c);
    }
    void DrawRotated(TGfxImage* image, int pattern, float x, float y, float angle, float scaleX,
                     float scaleY, bool mirrorX, bool mirrorY, TGfxColor color,
                     uint32_t drawFx) override {
        TSpriteCanvasCall c =
            Common(TSpriteCanvasCall::Rotated, image, pattern, mirrorX, mirrorY, drawFx);
        c.x = x, c.y = y, c.angle = angle, c.scaleX = scaleX, c.scaleY = scaleY;
        c.colors = TColor4::All(color);
        calls.push_back(c);
    }
    void DrawQuad(TGfxImage* image, int pattern, const TPoint4& quad, bool mirrorX, bool mirrorY,
                  const TColor4& colors, uint32_t drawFx) override {
        TSpriteCanvasCall c =
            Common(TSpriteCanvasCall::Quad, image, pattern, mirrorX, mirrorY, drawFx);
        c.quad = quad;
        c.colors = colors;
        calls.push_back(c);
    }

  private:
    static TSpriteCanvasCall Common(TSpriteCanvasCall::Kind kind, TGfxImage* image, int pattern,
                                    bool mirrorX, bool mirrorY, uint32_t drawFx) {
        TSpriteCanvasCall c;
        c.kind = kind;
        c.image = image;
        c.pattern = pattern;
        c.mirrorX = mirrorX;
        c.mirrorY = mirrorY;
        c.drawFx = drawFx;
        return c;
    }
};
