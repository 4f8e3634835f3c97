#pragma once
#include "engine/ImageRecord.h"
#include <optional>
#include <string>

// Makes SVG lettering use only the font faces of `fontDir` (its fonts.conf), whatever the
// machine has installed. Call before the first drawing.
void UseOnlyAssetFonts(const std::string& fontDir);

// Draws an SVG file into a width x height picture (0xAARRGGBB, straight alpha), scaled to fill
// it (the drawing's aspect ratio is kept and it is centred). Empty with a message on failure.
std::optional<TPixelPage> RasteriseSvg(const std::string& path, int width, int height,
                                       std::string& error);
// The same for SVG text held in memory (tests, generated art).
std::optional<TPixelPage> RasteriseSvgData(const std::string& svg, int width, int height,
                                           std::string& error);
