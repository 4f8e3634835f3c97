#include "engine/ImageRecord.h"
#include "engine/GfxImage.h"
#include "engine/PixelFormats.h"
#include "engine/RecordBytes.h"

std::optional<TImageRecord> ParseImageRecord(const uint8_t* data, size_t size, size_t* consumed) {
    if (!data || size < kImageRecordHeaderSize) return std::nullopt;
    recordio::TReader in(data, size);
    TImageRecord rec;
    rec.format = in.U8();
    const int bpp = BytesPerPixel(rec.format);
    // pfNone pages would have to be invented out of nothing, so such a record is refused.
    if (bpp <= 0) return std::nullopt;

    TGfxImage image;
    image.PatternWidth = in.I32();
    image.PatternHeight = in.I32();
    image.VisibleWidth = in.I32();
    image.VisibleHeight = in.I32();
    image.PatternCount = in.I32();
    image.TextureWidth = in.I32();
    image.TextureHeight = in.I32();
    image.TextureCount = in.I32();
    if (image.TextureWidth > kMaxTextureSide || image.TextureHeight > kMaxTextureSide)
        return std::nullopt;
    if (image.TextureCount <= 0) return std::nullopt;
    if (!image.Prepare()) return std::nullopt;
    // A pattern beyond the last cell would point at a page that does not exist.
    if (int64_t(image.PatternCount) > int64_t(image.PerPage()) * image.TextureCount)
        return std::nullopt;

    const uint64_t rowBytes = uint64_t(image.TextureWidth) * uint64_t(bpp);
    const uint64_t pageBytes = rowBytes * uint64_t(image.TextureHeight);
    if (pageBytes * uint64_t(image.TextureCount) > in.Remaining()) return std::nullopt;

    rec.patternWidth = image.PatternWidth;
    rec.patternHeight = image.PatternHeight;
    rec.visibleWidth = image.VisibleWidth;
    rec.visibleHeight = image.VisibleHeight;
    rec.patternCount = image.PatternCount;
    rec.textureWidth = image.TextureWidth;
    rec.textureHeight = image.TextureHeight;
    rec.textureCount = image.TextureCount;
    rec.pages.resize(size_t(image.TextureCount));
    for (TPixelPage& page : rec.pages) {
        page.width = image.TextureWidth;
        page.height = image.TextureHeight;
        page.pixels.resize(size_t(page.width) * size_t(page.height));
        for (int y = 0; y < page.height; ++y) {
            RowToArgb(rec.format, in.Take(size_t(rowBytes)),
                      page.pixels.data() + size_t(y) * size_t(page.width), size_t(page.width));
        }
    }
    if (consumed) *consumed = in.Offset();
    return rec;
}

std::vector<uint8_t> SerializeImageRecord(const TImageRecord& record, uint8_t storeFormat) {
    const int bpp = BytesPerPixel(storeFormat);
    if (bpp <= 0) return {};
    if (record.textureWidth <= 0 || record.textureHeight <= 0) return {};
    if (record.textureCount != int(record.pages.size())) return {};
    const size_t pixelsPerPage = size_t(record.textureWidth) * size_t(record.textureHeight);
    for (const TPixelPage& page : record.pages) {
        if (page.width != record.textureWidth || page.height != record.textureHeight ||
            page.pixels.size() != pixelsPerPage)
            return {};
    }

    recordio::TWriter out;
    out.U8(storeFormat);
    out.I32(record.patternWidth);
    out.I32(record.patternHeight);
    out.I32(record.visibleWidth);
    out.I32(record.visibleHeight);
    out.I32(record.patternCount);
    out.I32(record.textureWidth);
    out.I32(record.textureHeight);
    out.I32(record.textureCount);
    const size_t rowBytes = size_t(record.textureWidth) * size_t(bpp);
    for (const TPixelPage& page : record.pages) {
        for (int y = 0; y < page.height; ++y) {
            RowFromArgb(storeFormat, page.pixels.data() + size_t(y) * size_t(page.width),
                        out.Grow(rowBytes), size_t(page.width));
        }
    }
    return out.Take();
}
