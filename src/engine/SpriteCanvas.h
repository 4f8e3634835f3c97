#pragma once
#include "engine/GfxImage.h"
#include "engine/GfxTypes.h"
#include <cstdint>

// The drawing operations sprites use. The canvas implements them; tests record them.
// CenterScale: 1 scales about the pattern's centre, 0 from its top-left corner,
// any other value draws nothing.
class TSpriteCanvas {
public:
    virtual ~TSpriteCanvas() = default;
    virtual void DrawScaled(TGfxImage* image, int pattern, float x, float y, float scaleX,
                            float scaleY, int centerScale, bool mirrorX, bool mirrorY,
                            uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha,
                            uint32_t drawFx) = 0;
    virtual void DrawScaled4(TGfxImage* image, int pattern, float x, float y, float scaleX,
                             float scaleY, int centerScale, bool mirrorX, bool mirrorY,
                             const TColor4& colors, uint32_t drawFx) = 0;
    virtual void DrawRotated(TGfxImage* image, int pattern, float x, float y, float angle,
                             float scaleX, float scaleY, bool mirrorX, bool mirrorY,
                             TGfxColor color, uint32_t drawFx) = 0;
    virtual void DrawQuad(TGfxImage* image, int pattern, const TPoint4& quad, bool mirrorX,
                          bool mirrorY, const TColor4& colors, uint32_t drawFx) = 0;
};
