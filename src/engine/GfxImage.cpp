#include "engine/GfxImage.h"
#include "engine/PictureFile.h"
#include <algorithm>
#include <cstdint>

bool TGfxImage::Prepare() {
    if (TextureWidth <= 0 || TextureHeight <= 0) return false;
    if (PatternWidth <= 0) PatternWidth = TextureWidth;
    if (PatternHeight <= 0) PatternHeight = TextureHeight;
    if (VisibleWidth <= 0) VisibleWidth = PatternWidth;
    if (VisibleHeight <= 0) VisibleHeight = PatternHeight;
    if (TextureWidth < PatternWidth || TextureHeight < PatternHeight) return false;
    if (PatternWidth < VisibleWidth || PatternHeight < VisibleHeight) return false;
    if (TextureCount <= 0) TextureCount = 1;
    // Sizes come from files: a cell count past what an int holds is a damaged record.
    const int64_t perPage = int64_t(TextureWidth / PatternWidth) * (TextureHeight / PatternHeight);
    if (perPage > INT32_MAX) return false;
    const int64_t cells = perPage * TextureCount;
    if (cells > INT32_MAX) return false;
    if (PatternCount <= 0) PatternCount = int(cells);
    return true;
}

int TGfxImage::ClampPattern(int pattern) const {
    return std::clamp(pattern, 0, std::max(PatternCount - 1, 0));
}

TPatternRect TGfxImage::PatternRect(int pattern, bool mirrorX, bool mirrorY) const {
    TPatternRect r;
    const int perPage = PerPage();
    if (perPage <= 0 || TextureWidth <= 0 || TextureHeight <= 0) return r;
    const int p = ClampPattern(pattern);
    r.page = p / perPage;
    const int q = p % perPage;
    const int column = q % PerRow();
    const int row = (q / PerRow()) % PerColumn();
    r.left = column * PatternWidth + (PatternWidth - VisibleWidth) / 2;
    r.top = row * PatternHeight + (PatternHeight - VisibleHeight) / 2;
    r.width = VisibleWidth;
    r.height = VisibleHeight;
    r.u0 = float(r.left) / float(TextureWidth);
    r.v0 = float(r.top) / float(TextureHeight);
    r.u1 = (float(r.left + r.width) - 0.5f) / float(TextureWidth);
    r.v1 = (float(r.top + r.height) - 0.5f) / float(TextureHeight);
    if (mirrorX) std::swap(r.u0, r.u1);
    if (mirrorY) std::swap(r.v0, r.v1);
    return r;
}

bool TGfxImage::LoadFromFile(const std::string& fileName) {
    auto picture = LoadPicture(fileName);
    if (!picture) return false;
    if (TextureWidth <= 0 || TextureHeight <= 0) {
        TextureWidth = picture->width;
        TextureHeight = picture->height;
    }
    if (PatternWidth <= 0) PatternWidth = std::min(picture->width, TextureWidth);
    if (PatternHeight <= 0) PatternHeight = std::min(picture->height, TextureHeight);
    int cells = 0;
    std::vector<TPixelPage> pages =
        CutIntoPages(*picture, PatternWidth, PatternHeight, TextureWidth, TextureHeight, &cells);
    if (pages.empty()) return false;
    const int wanted = PatternCount;
    TextureCount = int(pages.size());
    PatternCount = 0;
    if (!Prepare()) return false;
    PatternCount = wanted > 0 ? std::min(wanted, cells) : cells;
    Pages = std::move(pages);
    Textures.clear();
    return true;
}
