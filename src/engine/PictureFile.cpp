#include "engine/PictureFile.h"
#include "engine/PictureDecoders.h"
#include <algorithm>
#include <cctype>
#include <fstream>

namespace {

// No picture of ours comes near this; a larger file is not read into memory.
constexpr std::streamoff kMaxFileSize = std::streamoff(1) << 30;

// Cutting may not produce more than this, however the sizes are chosen.
constexpr int64_t kMaxCutPixels = int64_t(1) << 28;
constexpr int64_t kMaxCutPages = 4096;

std::string LowerExtension(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    std::string ext = path.substr(dot);
    for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxFileSize) return false;
    in.seekg(0, std::ios::beg);
    bytes.resize(size_t(size));
    return bool(in.read(reinterpret_cast<char*>(bytes.data()), size));
}

} // namespace

TPictureKind PictureKindOf(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".tga") return TPictureKind::Tga;
    if (ext == ".jpg" || ext == ".jpeg") return TPictureKind::Jpeg;
    if (ext == ".png") return TPictureKind::Png;
    return TPictureKind::Bmp;
}

std::optional<TPixelPage> DecodePicture(TPictureKind kind, const uint8_t* data, size_t size) {
    switch (kind) {
    case TPictureKind::Tga:
        return picture::DecodeTga(data, size);
    case TPictureKind::Jpeg:
        return picture::DecodeJpeg(data, size);
    case TPictureKind::Png:
        return picture::DecodePng(data, size);
    case TPictureKind::Bmp:
        return picture::DecodeBmp(data, size);
    }
    return std::nullopt;
}

std::optional<TPixelPage> LoadPicture(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) return std::nullopt;
    return DecodePicture(PictureKindOf(path), bytes.data(), bytes.size());
}

std::vector<TPixelPage> CutIntoPages(const TPixelPage& picture, int patternWidth, int patternHeight,
                                     int textureWidth, int textureHeight, int* patternCount) {
    if (patternCount) *patternCount = 0;
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() != size_t(picture.width) * size_t(picture.height))
        return {};
    if (patternWidth <= 0 || patternHeight <= 0) return {};
    if (textureWidth < patternWidth || textureHeight < patternHeight) return {};
    if (textureWidth > kMaxTextureSide || textureHeight > kMaxTextureSide) return {};

    const int64_t columns = (int64_t(picture.width) + patternWidth - 1) / patternWidth;
    const int64_t rows = (int64_t(picture.height) + patternHeight - 1) / patternHeight;
    const int64_t cells = columns * rows;
    const int perRow = textureWidth / patternWidth;
    const int perPage = perRow * (textureHeight / patternHeight);
    const int64_t pageCount = (cells + perPage - 1) / perPage;
    const int64_t pagePixels = int64_t(textureWidth) * textureHeight;
    if (pageCount > kMaxCutPages || pageCount * pagePixels > kMaxCutPixels) return {};

    std::vector<TPixelPage> pages(static_cast<size_t>(pageCount));
    for (TPixelPage& page : pages) {
        page.width = textureWidth;
        page.height = textureHeight;
        page.pixels.assign(size_t(pagePixels), 0);
    }
    for (int64_t cell = 0; cell < cells; ++cell) {
        const int srcX = int(cell % columns) * patternWidth;
        const int srcY = int(cell / columns) * patternHeight;
        const int w = std::min(patternWidth, picture.width - srcX);
        const int h = std::min(patternHeight, picture.height - srcY);
        TPixelPage& page = pages[size_t(cell / perPage)];
        const int slot = int(cell % perPage);
        const int dstX = slot % perRow * patternWidth;
        const int dstY = slot / perRow * patternHeight;
        for (int y = 0; y < h; ++y) {
            const uint32_t* src =
                picture.pixels.data() + size_t(srcY + y) * size_t(picture.width) + size_t(srcX);
            std::copy(src, src + w,
                      page.pixels.data() + size_t(dstY + y) * size_t(textureWidth) + size_t(dstX));
        }
    }
    if (patternCount) *patternCount = int(cells);
    return pages;
}
