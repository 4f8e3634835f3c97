#include "tools/XmWriter.h"
#include <algorithm>
#include <cmath>

namespace {

struct TBytes {
    std::vector<uint8_t>& out;
    void U8(uint32_t v) { out.push_back(uint8_t(v)); }
    void U16(uint32_t v) {
        U8(v & 0xFF);
        U8(v >> 8);
    }
    void U32(uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }
    // Fixed-width text, cut or padded with zeros.
    void Text(const std::string& s, size_t width) {
        for (size_t i = 0; i < width; ++i) U8(i < s.size() ? uint8_t(s[i]) : 0);
    }
    void Zeros(size_t n) { out.insert(out.end(), n, 0); }
};

// Sizes of the header blocks as FastTracker II writes them; some players trust these more
// than they should, so they are kept at the usual values.
constexpr uint32_t kHeaderSize = 276;     // from the size field to the end of the order table
constexpr uint32_t kInstrumentSize = 263; // an instrument header with samples, padding included
constexpr uint32_t kSampleHeaderSize = 40;

std::vector<uint8_t> PackPattern(const TXmPattern& p, int channels) {
    std::vector<uint8_t> out;
    for (int i = 0; i < p.rows * channels; ++i) {
        const TXmCell& c = p.cells[size_t(i)];
        const uint8_t fields[5] = {c.note, c.instrument, c.volume, c.effect, c.param};
        uint8_t mask = 0;
        for (int f = 0; f < 5; ++f)
            if (fields[f]) mask |= uint8_t(1 << f);
        // A full cell is stored as is; any other is a flag byte followed by what it holds.
        if (mask == 0x1F) {
            out.insert(out.end(), fields, fields + 5);
            continue;
        }
        out.push_back(uint8_t(0x80 | mask));
        for (int f = 0; f < 5; ++f)
            if (mask & (1 << f)) out.push_back(fields[f]);
    }
    return out;
}

bool Check(const TXmModule& m, std::string& error) {
    auto fail = [&](const std::string& why) {
        error = why;
        return false;
    };
    if (m.channels < 1 || m.channels > 32) return fail("a module has 1 to 32 channels");
    if (m.speed < 1 || m.speed > 31) return fail("speed must be 1 to 31 ticks a row");
    if (m.bpm < 32 || m.bpm > 255) return fail("bpm must be 32 to 255");
    if (m.patterns.empty() || m.patterns.size() > 256)
        return fail("a module has 1 to 256 patterns");
    if (m.order.empty() || m.order.size() > 256)
        return fail("the order list holds 1 to 256 entries");
    if (m.restart < 0 || size_t(m.restart) >= m.order.size())
        return fail("the restart position is outside the order list");
    if (m.instruments.size() > 128) return fail("a module has at most 128 instruments");
    for (uint8_t o : m.order)
        if (o >= m.patterns.size()) return fail("the order list names a missing pattern");
    for (const TXmPattern& p : m.patterns) {
        if (p.rows < 1 || p.rows > 256) return fail("a pattern has 1 to 256 rows");
        if (p.cells.size() != size_t(p.rows) * size_t(m.channels))
            return fail("a pattern's cells do not match its rows and channels");
        for (const TXmCell& c : p.cells)
            if (c.note > kXmKeyOff || c.instrument > m.instruments.size())
                return fail("a pattern cell holds a bad note or instrument");
    }
    for (const TXmInstrument& ins : m.instruments) {
        const std::string who = "instrument '" + ins.name + "': ";
        if (ins.envelope.size() == 1 || ins.envelope.size() > 12)
            return fail(who + "an envelope has 2 to 12 points");
        for (size_t i = 0; i < ins.envelope.size(); ++i) {
            if (ins.envelope[i].value > 64) return fail(who + "envelope values are 0 to 64");
            if (i == 0 ? ins.envelope[0].tick != 0
                       : ins.envelope[i].tick <= ins.envelope[i - 1].tick)
                return fail(who + "envelope points must start at tick 0 and move forwards");
        }
        if (ins.sustainPoint >= int(ins.envelope.size()))
            return fail(who + "the sustain point is not on the envelope");
        if (ins.sample.size() > 0x3FFFFFFF) return fail(who + "the sample is too long");
        if (ins.loopLength > 0 && uint64_t(ins.loopStart) + ins.loopLength > ins.sample.size())
            return fail(who + "the loop runs past the end of the sample");
        if (ins.volume > 64) return fail(who + "volume is 0 to 64");
    }
    return true;
}

} // namespace

void XmTuning(double sampleRate, int note, int8_t& relativeNote, int8_t& finetune) {
    // Linear table: note index n (C-0 = 0) plus finetune/128 semitones plays at
    // 8363 * 2^((n - 48) / 12) Hz.
    const double total = 12 * std::log2(sampleRate / 8363.0) - (note - 1 - 48);
    const double whole = std::round(total);
    relativeNote = int8_t(std::clamp(whole, -96.0, 95.0));
    finetune = int8_t(std::clamp(std::lround((total - whole) * 128), -128L, 127L));
}

bool WriteXm(const TXmModule& m, std::vector<uint8_t>& bytes, std::string& error) {
    if (!Check(m, error)) return false;
    bytes.clear();
    TBytes out{bytes};
    out.Text("Extended Module: ", 17);
    out.Text(m.name, 20);
    out.U8(0x1A);
    out.Text("Kelvora", 20);
    out.U16(0x0104);
    out.U32(kHeaderSize);
    out.U16(uint32_t(m.order.size()));
    out.U16(uint32_t(m.restart));
    out.U16(uint32_t(m.channels));
    out.U16(uint32_t(m.patterns.size()));
    out.U16(uint32_t(m.instruments.size()));
    out.U16(1); // linear frequency table
    out.U16(uint32_t(m.speed));
    out.U16(uint32_t(m.bpm));
    for (size_t i = 0; i < 256; ++i) out.U8(i < m.order.size() ? m.order[i] : 0);

    for (const TXmPattern& p : m.patterns) {
        const std::vector<uint8_t> packed = PackPattern(p, m.channels);
        out.U32(9);
        out.U8(0); // packing type
        out.U16(uint32_t(p.rows));
        out.U16(uint32_t(packed.size()));
        bytes.insert(bytes.end(), packed.begin(), packed.end());
    }

    for (const TXmInstrument& ins : m.instruments) {
        const size_t start = bytes.size();
        out.U32(kInstrumentSize);
        out.Text(ins.name, 22);
        out.U8(0);
        out.U16(1); // one sample
        out.U32(kSampleHeaderSize);
        out.Zeros(96); // every note plays sample 0
        for (size_t i = 0; i < 12; ++i) {
            const TXmEnvelopePoint p =
                i < ins.envelope.size() ? ins.envelope[i] : TXmEnvelopePoint{};
            out.U16(p.tick);
            out.U16(p.value);
        }
        out.Zeros(48); // no panning envelope
        out.U8(uint32_t(ins.envelope.size()));
        out.U8(0);
        out.U8(uint32_t(std::max(0, ins.sustainPoint)));
        out.U8(0); // volume loop start and end: unused
        out.U8(0);
        out.U8(0); // panning sustain, loop start, loop end
        out.U8(0);
        out.U8(0);
        out.U8(ins.envelope.empty() ? 0 : 1 | (ins.sustainPoint >= 0 ? 2 : 0));
        out.U8(0);    // panning envelope off
        out.Zeros(4); // no auto-vibrato
        out.U16(ins.fadeout);
        out.Zeros(kInstrumentSize - (bytes.size() - start));

        const bool looped = ins.loopLength > 0;
        out.U32(uint32_t(ins.sample.size() * 2)); // lengths are in bytes
        out.U32(looped ? ins.loopStart * 2 : 0);
        out.U32(looped ? ins.loopLength * 2 : 0);
        out.U8(ins.volume);
        out.U8(uint8_t(ins.finetune));
        out.U8((looped ? 1 : 0) | 0x10); // forward loop, 16-bit
        out.U8(ins.panning);
        out.U8(uint8_t(ins.relativeNote));
        out.U8(0);
        out.Text(ins.name, 22);

        int16_t previous = 0;
        for (int16_t s : ins.sample) {
            out.U16(uint16_t(uint16_t(s) - uint16_t(previous)));
            previous = s;
        }
    }
    return true;
}
