#include "engine/FontRecord.h"
#include "engine/RecordBytes.h"

namespace {

constexpr size_t kFontHeaderSize = 16;

bool GlyphSizeFits(int v) { return v >= 0 && v <= kMaxTextureSide; }

} // namespace

std::optional<TFontRecord> ParseFontRecord(const uint8_t* data, size_t size, size_t* consumed) {
    if (!data || size < kFontHeaderSize) return std::nullopt;
    recordio::TReader in(data, size);
    TFontRecord rec;
    rec.firstChar = in.I32() & 0xFF;
    rec.spacing = in.I32();
    in.Take(4); // unused by the game
    const int32_t count = in.I32();
    if (count < 0 || count > kMaxFontGlyphs) return std::nullopt;
    if (uint64_t(count) * 8 > in.Remaining()) return std::nullopt;
    rec.glyphSizes.reserve(size_t(count));
    for (int32_t i = 0; i < count; ++i) {
        const int w = in.I32();
        const int h = in.I32();
        if (!GlyphSizeFits(w) || !GlyphSizeFits(h)) return std::nullopt;
        rec.glyphSizes.emplace_back(w, h);
    }
    size_t imageBytes = 0;
    auto image = ParseImageRecord(data + in.Offset(), in.Remaining(), &imageBytes);
    if (!image) return std::nullopt;
    rec.image = std::move(*image);
    if (consumed) *consumed = in.Offset() + imageBytes;
    return rec;
}

std::vector<uint8_t> SerializeFontRecord(const TFontRecord& record, uint8_t storeFormat) {
    if (record.glyphSizes.size() > size_t(kMaxFontGlyphs)) return {};
    for (const auto& [w, h] : record.glyphSizes)
        if (!GlyphSizeFits(w) || !GlyphSizeFits(h)) return {};
    std::vector<uint8_t> image = SerializeImageRecord(record.image, storeFormat);
    if (image.empty()) return {};
    recordio::TWriter out;
    out.I32(record.firstChar);
    out.I32(record.spacing);
    out.I32(0);
    out.I32(int32_t(record.glyphSizes.size()));
    for (const auto& [w, h] : record.glyphSizes) {
        out.I32(w);
        out.I32(h);
    }
    out.Append(image);
    return out.Take();
}
