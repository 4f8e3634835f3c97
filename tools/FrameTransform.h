#pragma once
#include "engine/ImageRecord.h"
#include <cstdint>

// One generated frame: the base drawing turned, scaled and recoloured about the cell centre.
struct TFrameTransform {
    double rotate = 0;             // degrees, clockwise on screen
    double scaleX = 1, scaleY = 1; // squash is a scale on one axis
    double offsetX = 0, offsetY = 0;
    double alpha = 1;
    uint32_t tint = 0xFFFFFF;      // 0xRRGGBB multiplied into the colours
};

// The transformed frame, same size as the base.
TPixelPage TransformFrame(const TPixelPage& base, const TFrameTransform& t);
