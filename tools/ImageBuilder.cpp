#include "tools/ImageBuilder.h"
#include "engine/PictureFile.h"
#include "engine/TextUtil.h"
#include "tools/SvgRaster.h"
#include <algorithm>
#include <filesystem>

namespace {

int PowerOfTwoAtLeast(int v) {
    int p = 1;
    while (p < v) p <<= 1;
    return p;
}

// Nearest-neighbour fit of a loaded picture to the cell, for PNG sources of another size.
TPixelPage Fit(const TPixelPage& p, int width, int height) {
    if (p.width == width && p.height == height) return p;
    TPixelPage out{width, height, std::vector<uint32_t>(size_t(width) * height)};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            out.pixels[size_t(y) * width + x] =
                p.pixels[size_t(y * p.height / height) * p.width + size_t(x * p.width / width)];
    return out;
}

} // namespace

std::optional<TPixelPage> DrawSource(const std::string& path, int width, int height,
                                     std::string& error) {
    if (EndsWithText(path, ".svg")) return RasteriseSvg(path, width, height, error);
    auto picture = LoadPicture(path);
    if (!picture) {
        error = path + ": cannot read the picture";
        return std::nullopt;
    }
    return Fit(*picture, width, height);
}

std::optional<TImageRecord> BuildImageRecord(const TImageEntry& entry, const std::string& baseDir,
                                             std::string& error) {
    const int pw = entry.patternWidth, ph = entry.patternHeight;
    TImageRecord r;
    r.format = 5;
    r.patternWidth = pw;
    r.patternHeight = ph;
    r.visibleWidth = entry.visibleWidth > 0 ? entry.visibleWidth : pw;
    r.visibleHeight = entry.visibleHeight > 0 ? entry.visibleHeight : ph;
    r.patternCount = entry.count;
    if (entry.textureWidth > 0) {
        r.textureWidth = entry.textureWidth;
        r.textureHeight = entry.textureHeight;
    } else {
        // The smallest power-of-two page, at most 2048 wide, holding every cell if it can.
        r.textureWidth = std::min(2048, PowerOfTwoAtLeast(pw * entry.count));
        r.textureWidth = std::max(r.textureWidth, PowerOfTwoAtLeast(pw));
        const int perRow = std::max(1, r.textureWidth / pw);
        const int rows = (entry.count + perRow - 1) / perRow;
        r.textureHeight = std::min(std::max(2048, PowerOfTwoAtLeast(ph)),
                                   PowerOfTwoAtLeast(ph * rows));
    }
    if (r.textureWidth < pw || r.textureHeight < ph || r.visibleWidth > pw ||
        r.visibleHeight > ph) {
        error = entry.line + ": sizes out of order (texture >= pattern >= visible)";
        return std::nullopt;
    }
    const int perRow = r.textureWidth / pw, perPage = perRow * (r.textureHeight / ph);
    r.textureCount = (entry.count + perPage - 1) / perPage;

    const std::filesystem::path base(baseDir);
    std::optional<TPixelPage> sourceFrame;
    if (!entry.source.empty()) {
        sourceFrame = DrawSource((base / entry.source).string(), pw, ph, error);
        if (!sourceFrame) return std::nullopt;
    }
    for (int page = 0; page < r.textureCount; ++page)
        r.pages.push_back(TPixelPage{r.textureWidth, r.textureHeight,
                                     std::vector<uint32_t>(size_t(r.textureWidth) * r.textureHeight)});
    for (int i = 0; i < entry.count; ++i) {
        std::optional<TPixelPage> frame;
        if (sourceFrame) {
            frame = TransformFrame(*sourceFrame, FrameAt(entry, i));
        } else {
            frame = DrawSource((base / entry.frames[i]).string(), pw, ph, error);
            if (!frame) return std::nullopt;
        }
        TPixelPage& page = r.pages[i / perPage];
        const int q = i % perPage;
        const int cx = (q % perRow) * pw, cy = (q / perRow) * ph;
        for (int y = 0; y < ph; ++y)
            std::copy_n(frame->pixels.begin() + size_t(y) * pw, pw,
                        page.pixels.begin() + size_t(cy + y) * r.textureWidth + cx);
    }
    return r;
}
