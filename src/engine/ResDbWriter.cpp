#include "engine/ResDbWriter.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>
#include <openssl/evp.h>
#include <utility>
#include <zlib.h>

#include "engine/GfxDb.h"

namespace {

// Fixed, so that the same zlib gives the same archive on every machine.
constexpr int kCompressionLevel = Z_BEST_COMPRESSION;

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}
void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(v >> shift));
}
void PutU64(std::vector<uint8_t>& out, uint64_t v) {
    PutU32(out, uint32_t(v));
    PutU32(out, uint32_t(v >> 32));
}

} // namespace

bool TResDbWriter::Add(std::string key, uint16_t type, std::span<const uint8_t> bytes,
                       double timestamp) {
    constexpr size_t kMax = size_t(std::numeric_limits<int32_t>::max());
    if (bytes.size() > kMax || key.size() > kMax) return false;

    TRecord record;
    record.Key = std::move(key);
    record.Type = type;
    record.UnpackedSize = int32_t(bytes.size());
    record.TimeStamp = timestamp;

    uLongf packedSize = compressBound(uLong(bytes.size()));
    record.Packed.resize(packedSize);
    if (compress2(record.Packed.data(), &packedSize, bytes.data(), uLong(bytes.size()),
                  kCompressionLevel) != Z_OK)
        return false;
    record.Packed.resize(packedSize);

    unsigned int digestLength = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), record.Md5.data(), &digestLength, EVP_md5(),
                   nullptr) != 1 ||
        digestLength != record.Md5.size())
        return false;

    records_.push_back(std::move(record));
    return true;
}

std::vector<uint8_t> TResDbWriter::Build() const {
    uint64_t total = TResDb::kHeaderSize;
    for (const TRecord& r : records_)
        total += TResDb::kRecordHeaderSize + r.Packed.size();
    const uint64_t tableOffset = total;
    for (const TRecord& r : records_)
        total += 8 + r.Key.size();
    if (total > uint64_t(std::numeric_limits<int32_t>::max())) return {};

    std::vector<uint8_t> out;
    out.reserve(size_t(total));
    out.insert(out.end(), std::begin(TResDb::kSignature), std::end(TResDb::kSignature));
    PutU32(out, uint32_t(records_.size()));
    PutU32(out, uint32_t(tableOffset));

    std::vector<uint32_t> offsets;
    for (const TRecord& r : records_) {
        offsets.push_back(uint32_t(out.size()));
        PutU16(out, r.Type);
        PutU32(out, uint32_t(r.UnpackedSize));
        PutU32(out, uint32_t(r.Packed.size()));
        PutU64(out, std::bit_cast<uint64_t>(r.TimeStamp));
        out.insert(out.end(), r.Md5.begin(), r.Md5.end());
        PutU16(out, 0); // plain record
        PutU64(out, 0); // cipher initial value, unused
        out.insert(out.end(), r.Packed.begin(), r.Packed.end());
    }
    for (size_t i = 0; i < records_.size(); ++i) {
        PutU32(out, uint32_t(records_[i].Key.size()));
        out.insert(out.end(), records_[i].Key.begin(), records_[i].Key.end());
        PutU32(out, offsets[i]);
    }
    return out;
}

bool TResDbWriter::Save(const std::string& path) const {
    const std::vector<uint8_t> bytes = Build();
    if (bytes.empty()) return false;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && written;
}
