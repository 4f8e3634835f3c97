#pragma once
#include "engine/GfxImage.h"
#include "engine/ImageRecord.h"

namespace platform {
class Renderer;
}

// Record types in the archives.
constexpr uint16_t kRecordImage = 1, kRecordFont = 3;

// Takes the record's geometry and pages; false when they do not make a usable image.
bool AssignImageRecord(TGfxImage& image, TImageRecord record);
// Creates a texture for every page that has none; false when the renderer refuses one.
bool UploadImage(TGfxImage& image, platform::Renderer& renderer);
void ReleaseImage(TGfxImage& image, platform::Renderer& renderer);
