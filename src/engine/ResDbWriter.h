#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Builds resource archives for the asset tools and tests. The output depends only on what was
// added, in order, so an unchanged build writes the same bytes.
class TResDbWriter {
  public:
    // Packs one record; false when it cannot be compressed or is too large for the format.
    bool Add(std::string key, uint16_t type, std::span<const uint8_t> bytes,
             double timestamp = 0.0);
    int Count() const { return int(records_.size()); }

    // Header, records in the order added, then the table. Empty when the archive would not
    // fit the format's 32-bit offsets.
    std::vector<uint8_t> Build() const;
    bool Save(const std::string& path) const;

  private:
    struct TRecord {
        std::string Key;
        uint16_t Type = 0;
        int32_t UnpackedSize = 0;
        double TimeStamp = 0.0;
        std::array<uint8_t, 16> Md5{};
        std::vector<uint8_t> Packed;
    };
    std::vector<TRecord> records_;
};
