#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum TOpenMode { opUpdate, opOverwrite, opReadOnly };

// One record as listed by the archive: its key from the table and every field of its header.
struct TResDbEntry {
    std::string Key;
    int32_t Offset = 0;
    uint16_t RecordType = 0;
    int32_t UnpackedSize = 0;
    int32_t PackedSize = 0;
    double TimeStamp = 0.0; // days since 30 December 1899
    std::array<uint8_t, 16> Md5{};
    uint16_t CipherFlag = 0;
    std::array<uint32_t, 2> CipherIV{};
};

// A packed resource archive: a table of named records, each a zlib stream with the MD5 of its
// unpacked bytes. Archives come from outside, so every failure is a false result, never a throw.
class TResDb {
  public:
    static constexpr char kSignature[4] = {'R', 'S', 'D', 'b'};
    static constexpr int kHeaderSize = 12;
    static constexpr int kRecordHeaderSize = 44;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(std::string value);
    TOpenMode OpenMode = opUpdate;

    bool Opened() const { return opened_; }
    // Opens according to OpenMode; the result becomes the opened flag.
    bool Update();
    // The opened flag when set, else Update.
    bool Ensure();

    int RecordCount() const { return int(entries_.size()); }
    std::string RecordKey(int index) const;
    int RecordType(int index) const;
    int IndexOf(std::string_view key) const;
    const std::vector<TResDbEntry>& Entries() const { return entries_; }

    // Appends the unpacked bytes of the first record named key; `stream` is untouched on failure.
    bool ReadStream(std::string_view key, std::vector<uint8_t>& stream);

  private:
    class TFile;
    bool ReadTable(TFile& file);
    bool WriteEmpty();

    std::string fileName_;
    bool opened_ = false;
    int64_t fileSize_ = 0;
    int32_t count_ = 0;
    int32_t tableOffset_ = 0;
    std::vector<TResDbEntry> entries_;
};
