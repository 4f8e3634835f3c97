#include "tools/XmWriter.h"
#include "tools/AudioCompile.h"
#include "tools/MusicScore.h"
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace fs = std::filesystem;

namespace {

const fs::path kAssets = fs::path(__FILE__).parent_path().parent_path().parent_path() / "assets";

// A reader written from the format's description, independent of the writer, so a layout
// mistake in one is not mirrored by the other.
struct TReadXm {
    std::string magic, name, tracker;
    int version = 0, headerSize = 0, songLength = 0, restart = 0, channels = 0, patterns = 0,
        instruments = 0, flags = 0, speed = 0, bpm = 0;
    std::vector<int> order;
    struct Pattern {
        int rows = 0;
        std::vector<TXmCell> cells;
    };
    std::vector<Pattern> pats;
    struct Instrument {
        std::string name;
        int headerSize = 0, samples = 0, envPoints = 0, envSustain = 0, envType = 0;
        std::vector<TXmEnvelopePoint> envelope;
        int length = 0, loopStart = 0, loopLength = 0, volume = 0, finetune = 0, type = 0,
            panning = 0, relativeNote = 0;
        std::vector<int16_t> data;
    };
    std::vector<Instrument> ins;
};

class TReader {
public:
    explicit TReader(const std::vector<uint8_t>& b) : b_(b) {}
    size_t pos = 0;
    bool ok = true;
    int U8() { return Need(1) ? b_[pos++] : 0; }
    int U16() {
        const int lo = U8();
        return lo | U8() << 8;
    }
    int U32() {
        const int lo = U16();
        return lo | U16() << 16;
    }
    std::string Text(size_t n) {
        std::string s;
        for (size_t i = 0; i < n; ++i) s += char(U8());
        return s.substr(0, s.find('\0'));
    }

private:
    bool Need(size_t n) {
        if (pos + n > b_.size()) ok = false;
        return ok;
    }
    const std::vector<uint8_t>& b_;
};

TReadXm ReadXm(const std::vector<uint8_t>& bytes) {
    TReadXm x;
    TReader r(bytes);
    x.magic = r.Text(17);
    x.name = r.Text(20);
    EXPECT_EQ(r.U8(), 0x1A);
    x.tracker = r.Text(20);
    x.version = r.U16();
    const size_t headerAt = r.pos;
    x.headerSize = r.U32();
    x.songLength = r.U16();
    x.restart = r.U16();
    x.channels = r.U16();
    x.patterns = r.U16();
    x.instruments = r.U16();
    x.flags = r.U16();
    x.speed = r.U16();
    x.bpm = r.U16();
    for (int i = 0; i < 256; ++i) x.order.push_back(r.U8());
    x.order.resize(size_t(x.songLength));
    r.pos = headerAt + size_t(x.headerSize);
    for (int p = 0; p < x.patterns && r.ok; ++p) {
        const size_t at = r.pos;
        const int headerLength = r.U32();
        EXPECT_EQ(r.U8(), 0) << "packing type";
        TReadXm::Pattern pat;
        pat.rows = r.U16();
        const int packed = r.U16();
        r.pos = at + size_t(headerLength);
        const size_t end = r.pos + size_t(packed);
        for (int i = 0; i < pat.rows * x.channels && r.ok; ++i) {
            TXmCell c;
            const int first = r.U8();
            if (first & 0x80) {
                if (first & 1) c.note = uint8_t(r.U8());
                if (first & 2) c.instrument = uint8_t(r.U8());
                if (first & 4) c.volume = uint8_t(r.U8());
                if (first & 8) c.effect = uint8_t(r.U8());
                if (first & 16) c.param = uint8_t(r.U8());
            } else {
                c.note = uint8_t(first);
                c.instrument = uint8_t(r.U8());
                c.volume = uint8_t(r.U8());
                c.effect = uint8_t(r.U8());
                c.param = uint8_t(r.U8());
            }
            pat.cells.push_back(c);
        }
        EXPECT_EQ(r.pos, end) << "pattern " << p << " data size";
        r.pos = end;
        x.pats.push_back(std::move(pat));
    }
    for (int i = 0; i < x.instruments && r.ok; ++i) {
        TReadXm::Instrument in;
        const size_t at = r.pos;
        in.headerSize = r.U32();
        in.name = r.Text(22);
        r.U8();
        in.samples = r.U16();
        EXPECT_EQ(in.samples, 1);
        EXPECT_EQ(r.U32(), 40) << "sample header size";
        r.pos += 96;
        std::vector<TXmEnvelopePoint> points(12);
        for (TXmEnvelopePoint& p : points) {
            p.tick = uint16_t(r.U16());
            p.value = uint16_t(r.U16());
        }
        r.pos += 48;
        in.envPoints = r.U8();
        r.U8();
        in.envSustain = r.U8();
        r.pos += 5;
        in.envType = r.U8();
        points.resize(size_t(std::min(in.envPoints, 12)));
        in.envelope = points;
        r.pos = at + size_t(in.headerSize);
        in.length = r.U32();
        in.loopStart = r.U32();
        in.loopLength = r.U32();
        in.volume = r.U8();
        in.finetune = int8_t(r.U8());
        in.type = r.U8();
        in.panning = r.U8();
        in.relativeNote = int8_t(r.U8());
        r.U8();
        r.Text(22);
        int16_t value = 0;
        for (int s = 0; s < in.length / 2 && r.ok; ++s) {
            value = int16_t(value + r.U16());
            in.data.push_back(value);
        }
        x.ins.push_back(std::move(in));
    }
    EXPECT_TRUE(r.ok) << "the file ends early";
    EXPECT_EQ(r.pos, bytes.size()) << "bytes after the last sample";
    return x;
}

const char* const kScore = R"(title = Round Trip
bpm = 125
speed = 6
channels = 3
order = intro verse verse
restart = 1

[instrument lead]
volume = 0.75
pan = -0.5
envelope = 0.1 0.2 0.5 0.3
[voice]
wave = square
duty = 0.25
[voice]
wave = sine
ratio = 2
volume = 0.3

[instrument kick]
length = 0.2
root = C4
[voice]
freq = 150 -> 50 exp
adsr = 0 0.15 0 0.05

[phrase up]
notes = C4:lead . E4 .

[pattern intro]
rows = 4
1 = up+2
3 = kick . kick@32 .

[pattern verse]
1 = C4:lead . ^ G4@40!447 | . .
2 = . . . . C#5:lead .
)";

std::vector<uint8_t> Compile(const std::string& text, TMusicScore& score, TXmModule& module) {
    std::string error;
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ParseMusicScore(text, "song.txt", score, error)) << error;
    EXPECT_TRUE(BuildXmModule(score, module, error)) << error;
    EXPECT_TRUE(WriteXm(module, bytes, error)) << error;
    return bytes;
}

} // namespace

TEST(XmWriterTest, ScoreRoundTripsThroughTheFile) {
    TMusicScore score;
    TXmModule module;
    const TReadXm x = ReadXm(Compile(kScore, score, module));

    EXPECT_EQ(x.magic, "Extended Module: ");
    EXPECT_EQ(x.name, "Round Trip");
    EXPECT_EQ(x.version, 0x0104);
    EXPECT_EQ(x.headerSize, 276);
    EXPECT_EQ(x.songLength, 3);
    EXPECT_EQ(x.restart, 1);
    EXPECT_EQ(x.channels, 3);
    EXPECT_EQ(x.patterns, 2);
    EXPECT_EQ(x.instruments, 2);
    EXPECT_EQ(x.flags & 1, 1) << "linear frequencies";
    EXPECT_EQ(x.speed, 6);
    EXPECT_EQ(x.bpm, 125);
    EXPECT_EQ(x.order, (std::vector<int>{0, 1, 1}));

    ASSERT_EQ(x.pats.size(), 2u);
    EXPECT_EQ(x.pats[0].rows, 4);
    EXPECT_EQ(x.pats[1].rows, 6);
    auto cell = [&](int p, int row, int ch) {
        return x.pats[size_t(p)].cells[size_t(row * 3 + ch)];
    };
    // Notes count from C-0 = 1, so C-4 is 49; the phrase comes up two semitones.
    EXPECT_EQ(cell(0, 0, 0).note, 51);
    EXPECT_EQ(cell(0, 0, 0).instrument, 1);
    EXPECT_EQ(cell(0, 2, 0).note, 55);
    EXPECT_EQ(cell(0, 2, 0).instrument, 1) << "the phrase's instrument carries on";
    EXPECT_EQ(cell(0, 0, 2).note, 49) << "a drum name plays at its root";
    EXPECT_EQ(cell(0, 0, 2).instrument, 2);
    EXPECT_EQ(cell(0, 2, 2).volume, 0x10 + 32);
    EXPECT_TRUE(cell(0, 1, 2).Empty());
    EXPECT_TRUE(cell(0, 3, 1).Empty()) << "a silent channel";
    EXPECT_EQ(cell(1, 2, 0).note, kXmKeyOff);
    const TXmCell full = cell(1, 3, 0);
    EXPECT_EQ(full.note, 56);
    EXPECT_EQ(full.instrument, 1);
    EXPECT_EQ(full.volume, 0x10 + 40);
    EXPECT_EQ(full.effect, 4);
    EXPECT_EQ(full.param, 0x47);
    EXPECT_EQ(cell(1, 4, 1).note, 62);

    ASSERT_EQ(x.ins.size(), 2u);
    const TReadXm::Instrument& lead = x.ins[0];
    EXPECT_EQ(lead.name, "lead");
    EXPECT_EQ(lead.volume, 48);
    EXPECT_EQ(lead.panning, 64);
    EXPECT_EQ(lead.type, 0x11) << "16-bit, forward loop";
    EXPECT_EQ(lead.length, 2 * 256);
    EXPECT_EQ(lead.loopStart, 0);
    EXPECT_EQ(lead.loopLength, lead.length);
    EXPECT_EQ(lead.data, module.instruments[0].sample);
    // 50 ticks a second: attack to full over 5 ticks, held at half, released to silence.
    EXPECT_EQ(lead.envType, 3) << "envelope on, with sustain";
    ASSERT_GE(lead.envelope.size(), 4u);
    EXPECT_EQ(lead.envelope[0].tick, 0);
    EXPECT_EQ(lead.envelope[0].value, 0);
    EXPECT_EQ(lead.envelope[1].tick, 5);
    EXPECT_EQ(lead.envelope[1].value, 64);
    EXPECT_EQ(lead.envelope[size_t(lead.envSustain)].tick, 15);
    EXPECT_EQ(lead.envelope[size_t(lead.envSustain)].value, 32);
    EXPECT_EQ(lead.envelope.back().tick, 30);
    EXPECT_EQ(lead.envelope.back().value, 0);

    const TReadXm::Instrument& kick = x.ins[1];
    EXPECT_EQ(kick.type, 0x10) << "16-bit, played once";
    EXPECT_EQ(kick.length, 2 * 8820);
    EXPECT_EQ(kick.loopLength, 0);
    EXPECT_EQ(kick.envType, 0) << "its shape is in the sample";
    EXPECT_EQ(kick.data, module.instruments[1].sample);
}

TEST(XmWriterTest, TuningPlaysTheSampleAtItsOwnPitch) {
    struct Case {
        double rate;
        int note;
    } cases[] = {{8363, 49}, {16726, 49}, {44100, 61}, {33488.1, 61}, {44100, 37}, {5000, 80}};
    for (const Case& c : cases) {
        int8_t rel = 0, fine = 0;
        XmTuning(c.rate, c.note, rel, fine);
        // The linear table as the player computes it.
        const double period = 10 * 12 * 16 * 4 - (c.note - 1 + rel) * 16 * 4 - fine / 2.0;
        const double played = 8363 * std::pow(2.0, (6 * 12 * 16 * 4 - period) / (12 * 16 * 4));
        EXPECT_NEAR(1200 * std::log2(played / c.rate), 0, 1) << c.rate << " Hz on " << c.note;
    }
}

TEST(XmWriterTest, BadScoresNameFileAndLine) {
    const std::string head = "channels = 2\norder = a\n[instrument bell]\n[voice]\n";
    struct Case {
        std::string text;
        int line;
        const char* says;
    } cases[] = {
        {"tempo = 120\n", 1, "unknown song key"},
        {"channels = 40\n", 1, "channels"},
        {head + "[pattern a]\n1 = C4 . .\n", 6, "before any instrument"},
        {head + "[pattern a]\n1 = C4:bell . .\n2 = . .\n", 7, "has 2 rows"},
        {head + "[pattern a]\nrows = 4\n1 = C4:bell . .\n", 7, "'rows' says 4"},
        {head + "[pattern a]\n3 = bell\n", 6, "channel number from 1 to 2"},
        {head + "[pattern a]\n1 = H4:bell\n", 6, "'H4:bell'"},
        {head + "[pattern a]\n1 = C4:organ\n", 6, "no instrument 'organ'"},
        {head + "[pattern a]\n1 = C4:bell@65\n", 6, "volume"},
        {head + "[pattern a]\n1 = C4:bell!4\n", 6, "effect"},
        {head + "[phrase p]\nnotes = B7:bell\n[pattern a]\n1 = p+1\n", 8, "transposed"},
        {head + "[pattern a]\n1 = riff\n", 6, "no instrument or phrase"},
        {"order = a b\n[instrument bell]\n[voice]\n[pattern a]\n1 = bell\n", 1, "'b'"},
        {"order = a\n[instrument bell]\n[pattern a]\n1 = bell\n", 2, "has no [voice]"},
        {"order = a\n[instrument bell]\n[voice]\nadsr = 0 1 0 0\n", 4, "one-shot"},
        {"order = a\n[instrument bell]\nwave = sine\n", 3, "after [voice]"},
        {"order = a\n[voice]\n", 2, "after an [instrument"},
        {"order = a\n[instrument Bell]\n", 2, "lower-case"},
        {head + "[pattern a]\n1 = bell\n[pattern a]\n", 7, "second pattern"},
        {"restart = 3\norder = a\n[instrument b]\n[voice]\n[pattern a]\n1 = b\n", 1, "restart"},
        {"order = a\n[instrument b]\n[voice]\nfreq = -3\n[pattern a]\n1 = b\n", 4, "freq"},
    };
    for (const Case& c : cases) {
        TMusicScore s;
        std::string error;
        EXPECT_FALSE(ParseMusicScore(c.text, "music/x.txt", s, error)) << c.text;
        EXPECT_EQ(error.rfind("music/x.txt:" + std::to_string(c.line) + ": ", 0), 0u)
            << c.text << " -> " << error;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.text << " -> " << error;
    }
}

TEST(XmWriterTest, CompileSongReportsBadScoresAndWritesGoodOnes) {
    const fs::path dir = fs::temp_directory_path() / "kelvora_song_test";
    fs::create_directories(dir);
    const fs::path score = dir / "song.txt", xm = dir / "song.xm";
    std::ofstream(score) << kScore;
    std::string error;
    ASSERT_TRUE(CompileSong(score.string(), xm.string(), error)) << error;
    std::ifstream in(xm, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(ReadXm(bytes).patterns, 2);

    std::ofstream(score) << "order = a\n[pattern a]\n1 = .\n2 = . .\n";
    EXPECT_FALSE(CompileSong(score.string(), xm.string(), error));
    EXPECT_EQ(error.rfind(score.string() + ":4: ", 0), 0u) << error;

    std::ofstream(score)
        << "order = a\n\n[instrument hush]\n[voice]\nvolume = 0\n[pattern a]\n1 = hush\n";
    EXPECT_FALSE(CompileSong(score.string(), xm.string(), error));
    EXPECT_EQ(error, score.string() + ":3: instrument 'hush' makes no sound");
    fs::remove_all(dir);
}

TEST(XmWriterTest, SongLengthFollowsTempoChanges) {
    TMusicScore s;
    std::string error;
    // 8 rows at speed 6 / 125 bpm (0.12 s a row), then from the fifth row speed 3 at 150 bpm.
    ASSERT_TRUE(ParseMusicScore("order = a a\n[instrument b]\n[voice]\n[pattern a]\n"
                                "1 = b . . . .!F03 . . .\n2 = . . . . .!F96 . . .\n",
                                "s.txt", s, error))
        << error;
    EXPECT_NEAR(ScoreSeconds(s), 4 * 0.12 + 12 * 0.05, 1e-9);
}

// The game's three songs: each compiles, and runs one to two minutes before it loops.
TEST(MusicAssetsTest, EverySongCompilesAndLastsOneToTwoMinutes) {
    const fs::path out = fs::temp_directory_path() / "kelvora_music_assets";
    fs::create_directories(out);
    for (const char* name : {"1", "2", "3"}) {
        const fs::path source = kAssets / "music" / (std::string(name) + ".txt");
        std::ifstream in(source);
        ASSERT_TRUE(in) << source;
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        TMusicScore score;
        std::string error;
        ASSERT_TRUE(ParseMusicScore(text, source.string(), score, error)) << error;
        const double seconds = ScoreSeconds(score);
        EXPECT_GE(seconds, 60) << name;
        EXPECT_LE(seconds, 120) << name;

        const fs::path xm = out / (std::string(name) + ".xm");
        ASSERT_TRUE(CompileSong(source.string(), xm.string(), error)) << error;
        std::ifstream file(xm, std::ios::binary);
        const TReadXm x = ReadXm({std::istreambuf_iterator<char>(file), {}});
        EXPECT_EQ(x.instruments, int(score.instruments.size()));
        // Every instrument is heard somewhere, and every note names one.
        std::vector<bool> used(score.instruments.size());
        for (const TReadXm::Pattern& p : x.pats)
            for (const TXmCell& c : p.cells) {
                if (c.note && c.note != kXmKeyOff) {
                    EXPECT_GT(c.instrument, 0) << name;
                }
                if (c.instrument) used[size_t(c.instrument - 1)] = true;
            }
        for (size_t i = 0; i < used.size(); ++i)
            EXPECT_TRUE(used[i]) << name << ": instrument " << score.instruments[i].name;
    }
    fs::remove_all(out);
}
