#include "engine/ParticleScript.h"
#include <algorithm>
#include <array>
#include <bit>

namespace {

using TRecord = std::array<uint8_t, kParticleScriptSize>;

uint32_t Get32(const TRecord& r, size_t at) {
    return uint32_t(r[at]) | uint32_t(r[at + 1]) << 8 | uint32_t(r[at + 2]) << 16 |
           uint32_t(r[at + 3]) << 24;
}

void Put32(TRecord& r, size_t at, uint32_t v) {
    for (size_t i = 0; i < 4; ++i)
        r[at + i] = uint8_t(v >> (8 * i));
}

// Reading and writing share one list of offsets, so the two cannot drift apart.
struct TReader {
    const TRecord& r;
    void operator()(size_t at, uint32_t& v) const { v = Get32(r, at); }
    void operator()(size_t at, int32_t& v) const { v = std::bit_cast<int32_t>(Get32(r, at)); }
    void operator()(size_t at, float& v) const { v = std::bit_cast<float>(Get32(r, at)); }
    void operator()(size_t at, uint8_t& v) const { v = r[at]; }
    template <size_t N> void operator()(size_t at, uint8_t (&v)[N]) const {
        std::copy_n(r.begin() + at, N, v);
    }
};

struct TWriter {
    TRecord& r;
    void operator()(size_t at, uint32_t v) const { Put32(r, at, v); }
    void operator()(size_t at, int32_t v) const { Put32(r, at, std::bit_cast<uint32_t>(v)); }
    void operator()(size_t at, float v) const { Put32(r, at, std::bit_cast<uint32_t>(v)); }
    void operator()(size_t at, uint8_t v) const { r[at] = v; }
    template <size_t N> void operator()(size_t at, const uint8_t (&v)[N]) const {
        std::copy_n(v, N, r.begin() + at);
    }
};

template <class S, class F> void ForEachField(S& s, F&& f) {
    f(0, s.PatternStart);
    f(4, s.PatternEnd);
    f(8, s.Unused8);
    f(12, s.DrawFx);
    f(16, s.EmitRate);
    f(20, s.SystemLife);
    f(24, s.LifeMin);
    f(28, s.LifeMax);
    f(32, s.Direction);
    f(36, s.Spread);
    f(40, s.Relative);
    f(41, s.Padding41);
    f(44, s.SpeedMin);
    f(48, s.SpeedMax);
    f(52, s.GravityMin);
    f(56, s.GravityMax);
    f(60, s.RadialMin);
    f(64, s.RadialMax);
    f(68, s.TangentialMin);
    f(72, s.TangentialMax);
    f(76, s.SizeStart);
    f(80, s.SizeMiddle);
    f(84, s.SizeEnd);
    f(88, s.SizeVar);
    f(92, s.SpinStart);
    f(96, s.SpinMiddle);
    f(100, s.SpinEnd);
    f(104, s.SpinVar);
    f(108, s.ColorStart);
    f(112, s.ColorMiddle);
    f(116, s.ColorEnd);
    f(120, s.ColorVar);
    f(124, s.AlphaVar);
    f(128, s.MiddleTime);
    f(132, s.DrawReverse);
    f(133, s.Padding133);
}

} // namespace

TParticleScript ParseParticleScript(std::span<const uint8_t> bytes) {
    TRecord record{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), record.size()), record.begin());
    TParticleScript script;
    ForEachField(script, TReader{record});
    return script;
}

std::vector<uint8_t> SerializeParticleScript(const TParticleScript& script) {
    TRecord record{};
    ForEachField(script, TWriter{record});
    return std::vector<uint8_t>(record.begin(), record.end());
}
