#include "engine/GfxImageUpload.h"
#include "platform/Renderer.h"

bool AssignImageRecord(TGfxImage& image, TImageRecord record) {
    image.TextureWidth = record.textureWidth;
    image.TextureHeight = record.textureHeight;
    image.TextureCount = record.textureCount;
    image.PatternWidth = record.patternWidth;
    image.PatternHeight = record.patternHeight;
    image.VisibleWidth = record.visibleWidth;
    image.VisibleHeight = record.visibleHeight;
    image.PatternCount = record.patternCount;
    if (!image.Prepare() || int(record.pages.size()) != image.TextureCount) return false;
    for (const TPixelPage& page : record.pages)
        if (page.width != image.TextureWidth || page.height != image.TextureHeight ||
            page.pixels.size() != size_t(page.width) * size_t(page.height))
            return false;
    image.Pages = std::move(record.pages);
    image.Textures.clear();
    return true;
}

bool UploadImage(TGfxImage& image, platform::Renderer& renderer) {
    if (!renderer.Running()) return false;
    image.Textures.resize(image.Pages.size(), 0);
    bool ok = true;
    for (size_t i = 0; i < image.Pages.size(); ++i) {
        if (image.Textures[i] != 0) continue;
        const TPixelPage& page = image.Pages[i];
        image.Textures[i] = renderer.CreateTexture(page.width, page.height, page.pixels.data());
        ok = ok && image.Textures[i] != 0;
    }
    return ok;
}

void ReleaseImage(TGfxImage& image, platform::Renderer& renderer) {
    for (platform::TextureId t : image.Textures)
        if (t != 0) renderer.DestroyTexture(t);
    image.Textures.clear();
}
