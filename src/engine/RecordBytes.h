#pragma once
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Little-endian access to image and font records. Reads past the end yield zeros and set
// `failed`, so a parser can read a fixed header and check once.
namespace recordio {

class TReader {
public:
    TReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    bool failed = false;

    size_t Offset() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }

    uint8_t U8() {
        const uint8_t* p = Take(1);
        return p ? p[0] : 0;
    }
    int32_t I32() {
        const uint8_t* p = Take(4);
        if (!p) return 0;
        return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                       uint32_t(p[3]) << 24);
    }
    // The next n bytes, or null (and failed) when fewer are left.
    const uint8_t* Take(size_t n) {
        if (n > Remaining()) {
            failed = true;
            pos_ = size_;
            return nullptr;
        }
        const uint8_t* p = data_ + pos_;
        pos_ += n;
        return p;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

class TWriter {
public:
    void U8(uint8_t v) { bytes_.push_back(v); }
    void I32(int32_t v) {
        const uint32_t u = uint32_t(v);
        for (int i = 0; i < 4; ++i) bytes_.push_back(uint8_t(u >> (8 * i)));
    }
    void Append(const std::vector<uint8_t>& more) {
        bytes_.insert(bytes_.end(), more.begin(), more.end());
    }
    // Room for n more bytes, to be filled by the caller.
    uint8_t* Grow(size_t n) {
        bytes_.resize(bytes_.size() + n);
        return bytes_.data() + bytes_.size() - n;
    }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<uint8_t> bytes_;
};

} // namespace recordio
