#include "engine/GfxDb.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <openssl/evp.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "engine/ResDbWriter.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Text(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

Bytes Noise(size_t n) {
    Bytes out(n);
    uint32_t x = 12345;
    for (uint8_t& b : out) {
        x = x * 1103515245u + 12345u;
        b = uint8_t(x >> 24);
    }
    return out;
}

void PutI32(Bytes& b, size_t at, int32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + size_t(i)] = uint8_t(uint32_t(v) >> (8 * i));
}
int32_t GetI32(const Bytes& b, size_t at) {
    return int32_t(uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
                   uint32_t(b[at + 3]) << 24);
}

// Overwrites a record's digest with that of `data`.
void PutMd5(Bytes& b, size_t at, const Bytes& data) {
    unsigned int len = 0;
    EVP_Digest(data.data(), data.size(), b.data() + at, &len, EVP_md5(), nullptr);
}

const Bytes kChip = Text("chip picture bytes, chip picture bytes, chip picture bytes");
const Bytes kFont = Text("font glyphs");

// Two records; the table follows them, so every entry position is known from the key lengths.
struct TSample {
    Bytes bytes;
    size_t table = 0;    // table offset
    size_t entry1 = 0;   // second table entry
    size_t record0 = 12; // first record header
    size_t record1 = 0;  // second record header
};

TSample MakeSample() {
    TResDbWriter w;
    w.Add("Chip.png", 1, kChip, 45000.5);
    w.Add("Font.fnt", 3, kFont);
    TSample s;
    s.bytes = w.Build();
    s.table = size_t(GetI32(s.bytes, 8));
    s.entry1 = s.table + 4 + 8 + 4;
    s.record1 = size_t(GetI32(s.bytes, s.entry1 + 4 + 8));
    return s;
}

class ResDbTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kelvora-resdb-" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    std::string Write(const std::string& name, const Bytes& bytes) const {
        const std::string path = Path(name);
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path;
    }

    static Bytes Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }

    static TResDb Archive(const std::string& path, TOpenMode mode = opReadOnly) {
        TResDb db;
        db.SetFileName(path);
        db.OpenMode = mode;
        return db;
    }

    fs::path dir_;
};

const Bytes kEmptyArchive = {'R', 'S', 'D', 'b', 0, 0, 0, 0, 12, 0, 0, 0};

TEST_F(ResDbTest, RoundTripKeepsKeysHeadersAndBytes) {
    // Zeros compress near deflate's limit ratio; noise does not compress at all.
    const Bytes zeros(1 << 20, 0);
    const Bytes noise = Noise(70000);
    TResDbWriter w;
    ASSERT_TRUE(w.Add("chip.png", 1, kChip, 45000.25));
    ASSERT_TRUE(w.Add("zeros.bin", 7, zeros));
    ASSERT_TRUE(w.Add("noise.bin", 3, noise));
    ASSERT_TRUE(w.Add("empty.pss", 0, Bytes{}));
    ASSERT_TRUE(w.Save(Path("a.fgg")));

    TResDb db = Archive(Path("a.fgg"));
    ASSERT_TRUE(db.Update());
    ASSERT_EQ(db.RecordCount(), 4);
    EXPECT_EQ(db.RecordKey(1), "zeros.bin");
    EXPECT_EQ(db.RecordType(1), 7);

    const TResDbEntry& chip = db.Entries()[0];
    EXPECT_EQ(chip.UnpackedSize, int32_t(kChip.size()));
    EXPECT_EQ(chip.TimeStamp, 45000.25);
    EXPECT_EQ(chip.CipherFlag, 0);
    uint8_t md5[16];
    unsigned int len = 0;
    EVP_Digest(kChip.data(), kChip.size(), md5, &len, EVP_md5(), nullptr);
    EXPECT_TRUE(std::equal(std::begin(md5), std::end(md5), chip.Md5.begin()));

    const std::vector<std::pair<std::string, const Bytes*>> reads = {
        {"chip.png", &kChip}, {"zeros.bin", &zeros}, {"noise.bin", &noise}};
    for (const auto& [key, expected] : reads) {
        SCOPED_TRACE(key);
        Bytes stream = {0xAA, 0xBB};
        ASSERT_TRUE(db.ReadStream(key, stream));
        ASSERT_EQ(stream.size(), 2 + expected->size());
        EXPECT_EQ(stream[0], 0xAA);
        EXPECT_TRUE(std::equal(expected->begin(), expected->end(), stream.begin() + 2));
    }
    Bytes stream;
    EXPECT_TRUE(db.ReadStream("empty.pss", stream));
    EXPECT_TRUE(stream.empty());
}

TEST_F(ResDbTest, WriterIsDeterministic) {
    auto build = [] {
        TResDbWriter w;
        w.Add("a", 1, kChip, 1.5);
        w.Add("b", 3, kFont);
        return w;
    };
    const Bytes first = build().Build();
    EXPECT_EQ(build().Build(), first);
    ASSERT_TRUE(build().Save(Path("d.fgg")));
    EXPECT_EQ(Slurp(Path("d.fgg")), first);
}

TEST_F(ResDbTest, EmptyArchiveIsTheBareHeaderAndListsNothing) {
    TResDbWriter w;
    EXPECT_EQ(w.Build(), kEmptyArchive);
    ASSERT_TRUE(w.Save(Path("e.fgg")));

    TResDb db = Archive(Path("e.fgg"));
    ASSERT_TRUE(db.Update());
    EXPECT_EQ(db.RecordCount(), 0);
    EXPECT_EQ(db.RecordKey(0), "[invalid-record-#]");
    Bytes stream;
    EXPECT_FALSE(db.ReadStream("anything", stream));
}

TEST_F(ResDbTest, IndexOfIgnoresCaseAndTakesTheFirstMatch) {
    TResDbWriter w;
    w.Add("logo.png", 1, Text("first"));
    w.Add("other", 1, Text("x"));
    w.Add("LOGO.png", 1, Text("second"));
    TResDb db = Archive(Write("i.fgg", w.Build()));
    ASSERT_TRUE(db.Update());

    EXPECT_EQ(db.IndexOf("LOGO.PNG"), 0);
    EXPECT_EQ(db.IndexOf("Other"), 1);
    EXPECT_EQ(db.IndexOf("logo"), -1);
    Bytes stream;
    ASSERT_TRUE(db.ReadStream("Logo.Png", stream));
    EXPECT_EQ(stream, Text("first"));
}

TEST_F(ResDbTest, IndexOutsideTheTableGivesTheInvalidKeyAndTypeZero) {
    TResDb db = Archive(Write("o.fgg", MakeSample().bytes));
    ASSERT_TRUE(db.Update());
    for (int index : {-1, 2, 1000}) {
        EXPECT_EQ(db.RecordKey(index), "[invalid-record-#]") << index;
        EXPECT_EQ(db.RecordType(index), 0) << index;
    }
    EXPECT_EQ(db.RecordType(1), 3);
}

// Damage inside one record: the archive still opens, that record alone fails to read.
TEST_F(ResDbTest, DamagedRecordFailsAndLeavesTheStreamAlone) {
    const TSample s = MakeSample();
    const size_t unpacked = s.record0 + 2, packed = s.record0 + 6, cipher = s.record0 + 34;
    const int32_t chipSize = int32_t(kChip.size());
    const int32_t chipPacked = GetI32(s.bytes, packed);
    const struct {
        const char* name;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"inflates one byte short", [&](Bytes& b) { PutI32(b, unpacked, chipSize + 1); }},
        {"inflates one byte long",
         [&](Bytes& b) {
             PutI32(b, unpacked, chipSize - 1);
             PutMd5(b, s.record0 + 18, Bytes(kChip.begin(), kChip.end() - 1));
         }},
        {"stream cut before its end", [&](Bytes& b) { PutI32(b, packed, chipPacked - 5); }},
        {"corrupt deflate data", [&](Bytes& b) { b[s.record0 + 44 + 4] ^= 0x55; }},
        {"enciphered", [&](Bytes& b) { b[cipher] = 1; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = s.bytes;
        c.damage(bytes);
        TResDb db = Archive(Write("r.fgg", bytes));
        ASSERT_TRUE(db.Update());
        Bytes stream = {1, 2, 3};
        EXPECT_FALSE(db.ReadStream("Chip.png", stream));
        EXPECT_EQ(stream, Bytes({1, 2, 3}));
        EXPECT_TRUE(db.ReadStream("Font.fnt", stream));
    }
}

TEST_F(ResDbTest, OneBitDifferenceUnderTheDigestFails) {
    Bytes flipped = kChip;
    flipped[10] ^= 0x08;
    TResDbWriter good, bad;
    good.Add("chip", 1, kChip);
    bad.Add("chip", 1, flipped);
    Bytes bytes = bad.Build();
    const Bytes original = good.Build();
    // A valid stream of the flipped bytes under the digest of the original ones.
    std::copy_n(original.begin() + 12 + 18, 16, bytes.begin() + 12 + 18);

    TResDb db = Archive(Write("m.fgg", bytes));
    ASSERT_TRUE(db.Update());
    Bytes stream;
    EXPECT_FALSE(db.ReadStream("chip", stream));
    EXPECT_TRUE(stream.empty());
}

TEST_F(ResDbTest, TruncatedArchiveFailsWithAnEmptyList) {
    const TSample s = MakeSample();
    const struct {
        const char* name;
        size_t length;
    } cuts[] = {
        {"nothing", 0},
        {"inside the header", 11},
        {"header only", 12},
        {"before the table", s.table - 1},
        {"inside a key length", s.table + 2},
        {"inside a key", s.table + 4 + 3},
        {"inside an offset", s.table + 4 + 8 + 1},
        {"after the first entry", s.entry1},
        {"last byte missing", s.bytes.size() - 1},
    };
    for (const auto& cut : cuts) {
        SCOPED_TRACE(cut.name);
        TResDb db = Archive(Write("t.fgg", Bytes(s.bytes.begin(), s.bytes.begin() + cut.length)));
        EXPECT_FALSE(db.Update());
        EXPECT_EQ(db.RecordCount(), 0);
        Bytes stream;
        EXPECT_FALSE(db.ReadStream("Chip.png", stream));
    }
}

// A failure in the table leaves no list; a bad record header fails but keeps the keys.
TEST_F(ResDbTest, HostileFieldsFailCleanly) {
    const TSample s = MakeSample();
    const int32_t size = int32_t(s.bytes.size());
    const int32_t fontPacked = GetI32(s.bytes, s.record1 + 6);
    const size_t key0 = s.table, offset1 = s.entry1 + 4 + 8;
    const struct {
        const char* name;
        size_t at;
        int32_t value;
        int listed;
    } cases[] = {
        {"signature", 0, 0x62445358, 0},
        {"negative count", 4, -1, 0},
        {"count beyond the file", 4, 0x7fffffff, 0},
        {"count one past the table", 4, 3, 0},
        {"negative table offset", 8, -1, 0},
        {"table offset inside the header", 8, 4, 0},
        {"table offset past the end", 8, size + 1, 0},
        {"negative key length", key0, -1, 0},
        {"huge key length", key0, 0x7fffffff, 0},
        {"last key runs past the end", s.entry1, 8 + 1, 0},
        {"negative record offset", offset1, -1, 2},
        {"record header past the end", offset1, size - 43, 2},
        {"huge record offset", offset1, 0x7fffffff, 2},
        {"negative packed size", s.record1 + 6, -1, 2},
        {"packed size past the end", s.record1 + 6, size - int32_t(s.record1) - 44 + 1, 2},
        {"negative unpacked size", s.record1 + 2, -1, 2},
        {"unpacked size beyond any inflation", s.record1 + 2, fontPacked * 1040 + 1000, 2},
        {"huge unpacked size", s.record1 + 2, 0x7fffffff, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes bytes = s.bytes;
        PutI32(bytes, c.at, c.value);
        TResDb db = Archive(Write("h.fgg", bytes));
        EXPECT_FALSE(db.Update());
        EXPECT_EQ(db.RecordCount(), c.listed);
        Bytes stream;
        EXPECT_FALSE(db.ReadStream("Chip.png", stream));
        EXPECT_TRUE(stream.empty());
    }
}

TEST_F(ResDbTest, UpdateFollowsTheOpenMode) {
    const TSample s = MakeSample();
    const Bytes truncated(s.bytes.begin(), s.bytes.end() - 1);
    const Bytes none;
    const struct {
        const char* name;
        TOpenMode mode;
        const Bytes* existing; // null: no file
        bool opens;
        int listed;
        const Bytes* after; // file afterwards; null: still no file
    } cases[] = {
        {"read-only reads", opReadOnly, &s.bytes, true, 2, &s.bytes},
        {"read-only without a file", opReadOnly, nullptr, false, 0, nullptr},
        {"update reads", opUpdate, &s.bytes, true, 2, &s.bytes},
        {"update creates", opUpdate, nullptr, true, 0, &kEmptyArchive},
        {"update keeps a damaged file", opUpdate, &truncated, false, 0, &truncated},
        {"overwrite replaces", opOverwrite, &s.bytes, true, 0, &kEmptyArchive},
        {"overwrite creates", opOverwrite, nullptr, true, 0, &kEmptyArchive},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = Path("u.fgg");
        fs::remove(path);
        if (c.existing) Write("u.fgg", *c.existing);
        TResDb db = Archive(path, c.mode);
        EXPECT_EQ(db.Update(), c.opens);
        EXPECT_EQ(db.Opened(), c.opens);
        EXPECT_EQ(db.RecordCount(), c.listed);
        ASSERT_EQ(fs::exists(path), c.after != nullptr);
        if (c.after) {
            EXPECT_EQ(Slurp(path), *c.after);
        }
    }

    TResDb nowhere = Archive(Path("no/such/dir.fgg"), opOverwrite);
    EXPECT_FALSE(nowhere.Update());
}

TEST_F(ResDbTest, EnsureOpensOnceUntilTheFileNameChanges) {
    TResDb db;
    EXPECT_EQ(db.OpenMode, opUpdate);
    db.OpenMode = opReadOnly;
    db.SetFileName(Write("s.fgg", MakeSample().bytes));
    ASSERT_TRUE(db.Ensure());

    fs::remove(db.FileName());
    EXPECT_TRUE(db.Ensure());
    EXPECT_EQ(db.RecordCount(), 2);
    // Every read starts from the file, so a vanished archive reads nothing.
    Bytes stream;
    EXPECT_FALSE(db.ReadStream("Chip.png", stream));

    db.SetFileName(db.FileName());
    EXPECT_FALSE(db.Opened());
    EXPECT_FALSE(db.Ensure());
    EXPECT_EQ(db.IndexOf("Chip.png"), -1);
}

} // namespace
