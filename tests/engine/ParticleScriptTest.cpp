#include "engine/ParticleScript.h"
#include <bit>
#include <cmath>
#include <gtest/gtest.h>

namespace {

// Byte i of the record holds i + 1, so every field reads a value that names its offset.
std::vector<uint8_t> CountingRecord(size_t size = kParticleScriptSize) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(i + 1);
    return bytes;
}

uint32_t Bits(float v) {
    return std::bit_cast<uint32_t>(v);
}
uint32_t Bits(int32_t v) {
    return std::bit_cast<uint32_t>(v);
}
uint32_t Bits(uint32_t v) {
    return v;
}
uint32_t Bits(uint8_t v) {
    return v;
}
template <size_t N> uint32_t Bits(const uint8_t (&v)[N]) {
    uint32_t out = 0;
    for (size_t i = 0; i < N; ++i)
        out |= uint32_t(v[i]) << (8 * i);
    return out;
}

// What CountingRecord holds at an offset, read little-endian over size bytes.
uint32_t Expected(size_t offset, size_t size) {
    uint32_t out = 0;
    for (size_t i = 0; i < size; ++i)
        out |= uint32_t(offset + i + 1) << (8 * i);
    return out;
}

} // namespace

TEST(ParticleScriptTest, EveryFieldSitsAtItsOffset) {
    const TParticleScript s = ParseParticleScript(CountingRecord());
    struct Field {
        const char* name;
        size_t offset, size;
        uint32_t bits;
    } fields[] = {
        {"PatternStart", 0, 4, Bits(s.PatternStart)},
        {"PatternEnd", 4, 4, Bits(s.PatternEnd)},
        {"Unused8", 8, 4, Bits(s.Unused8)},
        {"DrawFx", 12, 4, Bits(s.DrawFx)},
        {"EmitRate", 16, 4, Bits(s.EmitRate)},
        {"SystemLife", 20, 4, Bits(s.SystemLife)},
        {"LifeMin", 24, 4, Bits(s.LifeMin)},
        {"LifeMax", 28, 4, Bits(s.LifeMax)},
        {"Direction", 32, 4, Bits(s.Direction)},
        {"Spread", 36, 4, Bits(s.Spread)},
        {"Relative", 40, 1, Bits(s.Relative)},
        {"Padding41", 41, 3, Bits(s.Padding41)},
        {"SpeedMin", 44, 4, Bits(s.SpeedMin)},
        {"SpeedMax", 48, 4, Bits(s.SpeedMax)},
        {"GravityMin", 52, 4, Bits(s.GravityMin)},
        {"GravityMax", 56, 4, Bits(s.GravityMax)},
        {"RadialMin", 60, 4, Bits(s.RadialMin)},
        {"RadialMax", 64, 4, Bits(s.RadialMax)},
        {"TangentialMin", 68, 4, Bits(s.TangentialMin)},
        {"TangentialMax", 72, 4, Bits(s.TangentialMax)},
        {"SizeStart", 76, 4, Bits(s.SizeStart)},
        {"SizeMiddle", 80, 4, Bits(s.SizeMiddle)},
        {"SizeEnd", 84, 4, Bits(s.SizeEnd)},
        {"SizeVar", 88, 4, Bits(s.SizeVar)},
        {"SpinStart", 92, 4, Bits(s.SpinStart)},
        {"SpinMiddle", 96, 4, Bits(s.SpinMiddle)},
        {"SpinEnd", 100, 4, Bits(s.SpinEnd)},
        {"SpinVar", 104, 4, Bits(s.SpinVar)},
        {"ColorStart", 108, 4, Bits(s.ColorStart)},
        {"ColorMiddle", 112, 4, Bits(s.ColorMiddle)},
        {"ColorEnd", 116, 4, Bits(s.ColorEnd)},
        {"ColorVar", 120, 4, Bits(s.ColorVar)},
        {"AlphaVar", 124, 4, Bits(s.AlphaVar)},
        {"MiddleTime", 128, 4, Bits(s.MiddleTime)},
        {"DrawReverse", 132, 1, Bits(s.DrawReverse)},
        {"Padding133", 133, 3, Bits(s.Padding133)},
    };
    size_t covered = 0;
    for (const Field& f : fields) {
        EXPECT_EQ(f.bits, Expected(f.offset, f.size)) << f.name;
        covered += f.size;
    }
    EXPECT_EQ(covered, kParticleScriptSize);
}

TEST(ParticleScriptTest, RoundTripsBytesAndValues) {
    const std::vector<uint8_t> bytes = CountingRecord();
    EXPECT_EQ(SerializeParticleScript(ParseParticleScript(bytes)), bytes);

    TParticleScript script;
    script.PatternStart = 2;
    script.PatternEnd = -1;
    script.DrawFx = 0x0504;
    script.EmitRate = 250;
    script.SystemLife = 1.5f;
    script.LifeMin = 0.25f;
    script.LifeMax = 3;
    script.Direction = -3.14159f;
    script.Relative = 1;
    script.ColorStart = 0xFF00FF80;
    script.MiddleTime = 0.4f;
    script.DrawReverse = 1;
    const std::vector<uint8_t> written = SerializeParticleScript(script);
    ASSERT_EQ(written.size(), kParticleScriptSize);
    EXPECT_EQ(written[40], 1);
    EXPECT_EQ(written[132], 1);
    EXPECT_EQ(ParseParticleScript(written), script);
}

// A record cut anywhere reads as its bytes followed by zeros, even inside a field; bytes
// beyond 136 are ignored.
TEST(ParticleScriptTest, ShortRecordFillsWhatItHasAndLongRecordIsCut) {
    const std::vector<uint8_t> full = CountingRecord(200);
    for (size_t size = 0; size <= full.size(); ++size) {
        const std::span<const uint8_t> record(full.data(), size);
        std::vector<uint8_t> expected(full.begin(),
                                      full.begin() + std::min(size, kParticleScriptSize));
        expected.resize(kParticleScriptSize, 0);
        EXPECT_EQ(SerializeParticleScript(ParseParticleScript(record)), expected) << size;
    }

    const TParticleScript cut = ParseParticleScript(std::span(full.data(), 6));
    EXPECT_EQ(cut.PatternStart, 0x04030201);
    EXPECT_EQ(cut.PatternEnd, 0x0605);
    EXPECT_EQ(cut.EmitRate, 0);
    EXPECT_EQ(cut.SystemLife, 0.0f);
}
