#include "engine/GfxDb.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <openssl/evp.h>
#include <system_error>
#include <utility>
#include <zlib.h>

#include "engine/TextUtil.h"

namespace {

constexpr size_t kTableEntryMin = 8; // key length + offset, with an empty key
// Deflate's best case is a 258-byte match in two bits; nothing real comes near it, so a
// larger unpacked size is a lie we need not allocate for.
constexpr int64_t kMaxInflateRatio = 1032;
constexpr int64_t kInflateSlack = 258;

uint16_t U16At(const uint8_t* p) {
    return uint16_t(p[0] | p[1] << 8);
}
uint32_t U32At(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
int32_t I32At(const uint8_t* p) {
    return int32_t(U32At(p));
}
double DoubleAt(const uint8_t* p) {
    return std::bit_cast<double>(uint64_t(U32At(p)) | uint64_t(U32At(p + 4)) << 32);
}

} // namespace

// Bounds-checked reads from an archive on disk; nothing is read past the size seen at open.
class TResDb::TFile {
  public:
    explicit TFile(const std::string& path) {
        std::error_code ec;
        // A directory opens and reports a nonsense size, so only regular files are archives.
        if (!std::filesystem::is_regular_file(path, ec)) return;
        file_.reset(std::fopen(path.c_str(), "rb"));
        if (!file_) return;
        long size = -1;
        if (std::fseek(file_.get(), 0, SEEK_END) == 0) size = std::ftell(file_.get());
        if (size < 0 || std::fseek(file_.get(), 0, SEEK_SET) != 0) {
            file_.reset();
            return;
        }
        size_ = size;
    }

    bool IsOpen() const { return file_ != nullptr; }
    int64_t Size() const { return size_; }
    int64_t Remaining() const { return size_ - pos_; }

    bool Seek(int64_t offset) {
        if (!file_ || offset < 0 || offset > size_) return false;
        if (std::fseek(file_.get(), long(offset), SEEK_SET) != 0) return false;
        pos_ = offset;
        return true;
    }
    bool Read(void* dst, size_t n) {
        if (!file_ || int64_t(n) > Remaining()) return false;
        if (n > 0 && std::fread(dst, 1, n, file_.get()) != n) return false;
        pos_ += int64_t(n);
        return true;
    }
    bool ReadI32(int32_t& value) {
        uint8_t b[4];
        if (!Read(b, sizeof b)) return false;
        value = I32At(b);
        return true;
    }

  private:
    struct TCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, TCloser> file_;
    int64_t size_ = 0;
    int64_t pos_ = 0;
};

namespace {

void DecodeRecordHeader(const uint8_t* h, TResDbEntry& e) {
    e.RecordType = U16At(h);
    e.UnpackedSize = I32At(h + 2);
    e.PackedSize = I32At(h + 6);
    e.TimeStamp = DoubleAt(h + 10);
    std::memcpy(e.Md5.data(), h + 18, e.Md5.size());
    e.CipherFlag = U16At(h + 34);
    e.CipherIV = {U32At(h + 36), U32At(h + 40)};
}

// Inflates a whole zlib stream that must yield exactly `size` bytes. The output grows with
// what the stream really produces, so a lying size costs nothing.
bool InflateExact(const std::vector<uint8_t>& packed, size_t size, std::vector<uint8_t>& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    z.next_in = const_cast<Bytef*>(packed.data());
    z.avail_in = uInt(packed.size());
    const size_t step = std::max<size_t>((packed.size() + 255) / 256 * 256, 256);
    size_t produced = 0;
    int ret = Z_OK;
    while (ret == Z_OK) {
        if (produced == out.size()) {
            if (out.size() == size) break;
            out.resize(std::min(size, out.size() + std::max(step, out.size())));
        }
        z.next_out = out.data() + produced;
        z.avail_out = uInt(out.size() - produced);
        ret = inflate(&z, Z_NO_FLUSH);
        produced = out.size() - z.avail_out;
    }
    if (ret == Z_OK) {
        // Full buffer: the stream must end here without a byte more.
        uint8_t extra;
        z.next_out = &extra;
        z.avail_out = 1;
        ret = inflate(&z, Z_NO_FLUSH);
        if (z.avail_out == 0) ret = Z_DATA_ERROR;
    }
    inflateEnd(&z);
    out.resize(produced);
    return ret == Z_STREAM_END && produced == size;
}

} // namespace

void TResDb::SetFileName(std::string value) {
    fileName_ = std::move(value);
    opened_ = false;
}

bool TResDb::Update() {
    std::error_code ec;
    switch (OpenMode) {
    case opReadOnly: {
        TFile file(fileName_);
        opened_ = ReadTable(file);
        break;
    }
    case opOverwrite:
        opened_ = WriteEmpty();
        break;
    case opUpdate:
        if (std::filesystem::exists(fileName_, ec)) {
            TFile file(fileName_);
            opened_ = ReadTable(file);
        } else {
            opened_ = WriteEmpty();
        }
        break;
    default:
        opened_ = true;
        break;
    }
    return opened_;
}

bool TResDb::Ensure() {
    return opened_ || Update();
}

std::string TResDb::RecordKey(int index) const {
    if (index < 0 || index >= RecordCount()) return "[invalid-record-#]";
    return entries_[size_t(index)].Key;
}

int TResDb::RecordType(int index) const {
    if (index < 0 || index >= RecordCount()) return 0;
    return entries_[size_t(index)].RecordType;
}

int TResDb::IndexOf(std::string_view key) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (SameText(entries_[i].Key, key)) return int(i);
    return -1;
}

bool TResDb::ReadTable(TFile& file) {
    entries_.clear();
    fileSize_ = 0;
    count_ = 0;
    tableOffset_ = 0;

    uint8_t header[kHeaderSize];
    if (!file.Read(header, sizeof header)) return false;
    if (std::memcmp(header, kSignature, sizeof kSignature) != 0) return false;
    count_ = I32At(header + 4);
    tableOffset_ = I32At(header + 8);
    fileSize_ = file.Size();

    // Table pass: a failure leaves no list at all.
    if (count_ < 0 || tableOffset_ < kHeaderSize || !file.Seek(tableOffset_)) return false;
    if (count_ > file.Remaining() / int64_t(kTableEntryMin)) return false;
    std::vector<TResDbEntry> list;
    for (int32_t i = 0; i < count_; ++i) {
        TResDbEntry entry;
        int32_t keyLength = 0;
        if (!file.ReadI32(keyLength)) return false;
        if (keyLength < 0 || keyLength > file.Remaining() - 4) return false;
        entry.Key.resize(size_t(keyLength));
        if (!file.Read(entry.Key.data(), entry.Key.size())) return false;
        if (!file.ReadI32(entry.Offset)) return false;
        list.push_back(std::move(entry));
    }
    entries_ = std::move(list);

    // Header pass: a failure keeps the list, with the headers read so far.
    for (TResDbEntry& entry : entries_) {
        uint8_t h[kRecordHeaderSize];
        if (!file.Seek(entry.Offset) || !file.Read(h, sizeof h)) return false;
        TResDbEntry decoded = entry;
        DecodeRecordHeader(h, decoded);
        if (decoded.PackedSize < 0 || decoded.PackedSize > file.Remaining()) return false;
        if (decoded.UnpackedSize < 0 ||
            decoded.UnpackedSize > decoded.PackedSize * kMaxInflateRatio + kInflateSlack)
            return false;
        entry = std::move(decoded);
    }
    return true;
}

bool TResDb::WriteEmpty() {
    entries_.clear();
    count_ = 0;
    tableOffset_ = kHeaderSize;
    fileSize_ = 0;
    uint8_t header[kHeaderSize] = {};
    std::memcpy(header, kSignature, sizeof kSignature);
    header[8] = kHeaderSize;
    std::FILE* f = std::fopen(fileName_.c_str(), "wb");
    if (!f) return false;
    const bool written = std::fwrite(header, 1, sizeof header, f) == sizeof header;
    if (std::fclose(f) != 0 || !written) return false;
    fileSize_ = kHeaderSize;
    return true;
}

bool TResDb::ReadStream(std::string_view key, std::vector<uint8_t>& stream) {
    TFile file(fileName_);
    if (!ReadTable(file)) return false;
    const int index = IndexOf(key);
    if (index < 0) return false;
    const TResDbEntry& entry = entries_[size_t(index)];
    // Nothing ever gives an archive a cipher key, so an enciphered record cannot be read.
    if (entry.CipherFlag != 0) return false;

    std::vector<uint8_t> packed(size_t(entry.PackedSize));
    if (!file.Seek(int64_t(entry.Offset) + kRecordHeaderSize)) return false;
    if (!file.Read(packed.data(), packed.size())) return false;

    std::vector<uint8_t> out;
    if (!InflateExact(packed, size_t(entry.UnpackedSize), out)) return false;

    uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned int digestLength = 0;
    if (EVP_Digest(out.data(), out.size(), digest, &digestLength, EVP_md5(), nullptr) != 1)
        return false;
    if (digestLength != entry.Md5.size() ||
        std::memcmp(digest, entry.Md5.data(), entry.Md5.size()) != 0)
        return false;

    stream.insert(stream.end(), out.begin(), out.end());
    return true;
}
