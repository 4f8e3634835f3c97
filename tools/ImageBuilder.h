#pragma once
#include "engine/ImageRecord.h"
#include "tools/ImageManifest.h"
#include <optional>
#include <string>

// Draws every frame of the image and lays the frames out in pattern cells, row by row, on
// as many texture pages as they need. Paths are relative to `baseDir`.
std::optional<TImageRecord> BuildImageRecord(const TImageEntry& entry, const std::string& baseDir,
                                             std::string& error);
// Draws one frame source (SVG or PNG) at the given size.
std::optional<TPixelPage> DrawSource(const std::string& path, int width, int height,
                                     std::string& error);
