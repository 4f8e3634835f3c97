#include "tools/SoundSynth.h"
#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;

// xorshift32: tiny, and the same sequence on every machine.
struct TNoise {
    uint32_t state;
    explicit TNoise(uint32_t seed) : state(seed ? seed : 0x6D2B79F5u) {}
    double Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state / 2147483648.0 - 1.0;
    }
};

// Polynomial band-limited step: rounds off the jumps of saw and square so that high notes
// do not alias into a buzz.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1;
    }
    if (t > 1 - dt) {
        t = (t - 1) / dt;
        return t * t + t + t + 1;
    }
    return 0;
}

struct TBiquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

    void Set(bool highPass, double cutoff, double sampleRate) {
        cutoff = std::min(cutoff, sampleRate * 0.45);
        const double w = kTwoPi * cutoff / sampleRate;
        // Butterworth Q: flat up to the cutoff, no resonant peak.
        const double c = std::cos(w), alpha = std::sin(w) / std::numbers::sqrt2;
        const double a0 = 1 + alpha;
        const double k = highPass ? (1 + c) / 2 : (1 - c) / 2;
        b0 = k / a0;
        b1 = (highPass ? -2 * k : 2 * k) / a0;
        b2 = k / a0;
        a1 = -2 * c / a0;
        a2 = (1 - alpha) / a0;
    }
    double Run(double x) {
        const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
};

// Attack rises straight; decay and release bow downwards, which the ear takes for a natural
// fade rather than a ramp.
double EnvelopeAt(const TEnvelope& e, double t, double length) {
    auto held = [&](double at) {
        if (at < e.attack) return at / e.attack;
        if (at < e.attack + e.decay) {
            const double x = 1 - (at - e.attack) / e.decay;
            return e.sustain + (1 - e.sustain) * x * x;
        }
        return e.sustain;
    };
    const double releaseAt = std::max(0.0, length - e.release);
    if (t < releaseAt || e.release <= 0) return held(t);
    const double x = 1 - std::min(1.0, (t - releaseAt) / e.release);
    return held(releaseAt) * x * x;
}

double Oscillator(TWave wave, double phase, double dt, double duty) {
    switch (wave) {
    case TWave::Sine:
        return std::sin(kTwoPi * phase);
    case TWave::Square: {
        // Centred on zero whatever the duty, so narrow pulses keep their headroom.
        double v = (phase < duty ? 1 : -1) - (2 * duty - 1);
        v += PolyBlep(phase, dt);
        v -= PolyBlep(std::fmod(phase + 1 - duty, 1.0), dt);
        return v;
    }
    case TWave::Saw:
        return 2 * phase - 1 - PolyBlep(phase, dt);
    case TWave::Triangle:
        return 1 - 4 * std::abs(std::fmod(phase + 0.25, 1.0) - 0.5);
    case TWave::Noise:
        break;
    }
    return 0;
}

} // namespace

void RenderVoice(const TSynthVoice& v, double sampleRate, uint32_t seed, size_t voiceIndex,
                 std::vector<double>& mix) {
    const size_t first = size_t(std::lround(v.start * sampleRate));
    if (first >= mix.size()) return;
    size_t count = mix.size() - first;
    if (v.length > 0) count = std::min(count, size_t(std::lround(v.length * sampleRate)));
    const double seconds = count / sampleRate;

    TNoise noise(seed ^ uint32_t((voiceIndex + 1) * 0x9E3779B9u));
    double held = noise.Next();
    TBiquad low, high;
    const bool sweepLow = v.lowpass.start != v.lowpass.end;
    const bool sweepHigh = v.highpass.start != v.highpass.end;
    if (v.lowpass.start > 0) low.Set(false, v.lowpass.start, sampleRate);
    if (v.highpass.start > 0) high.Set(true, v.highpass.start, sampleRate);

    double phase = 0;
    for (size_t i = 0; i < count; ++i) {
        const double t = i / sampleRate;
        const double along = seconds > 0 ? t / seconds : 0;
        double f = v.wave == TWave::Noise && !v.freqSet ? 0 : v.freq.At(along) * v.ratio;
        if (!v.arpeggio.empty()) {
            const size_t step = std::min(size_t(t / v.arpStep), v.arpeggio.size() - 1);
            f *= std::pow(2.0, v.arpeggio[step] / 12);
        }
        if (v.vibratoDepth > 0)
            f *= std::pow(2.0, v.vibratoDepth * std::sin(kTwoPi * v.vibratoRate * t) / 12);
        const double dt = std::min(0.5, f / sampleRate);

        double s;
        if (v.wave == TWave::Noise) {
            // Held noise turns darker and grainier as its rate falls: the chiptune drum.
            if (f <= 0 || f >= sampleRate)
                held = noise.Next();
            else if ((phase += f / sampleRate) >= 1) {
                phase -= std::floor(phase);
                held = noise.Next();
            }
            s = held;
        } else {
            s = Oscillator(v.wave, phase, dt, v.duty);
            phase += f / sampleRate;
            phase -= std::floor(phase);
        }
        // Sweeping filters are retuned every few samples: inaudible, and far cheaper.
        if (v.lowpass.start > 0) {
            if (sweepLow && i % 16 == 0) low.Set(false, v.lowpass.At(along), sampleRate);
            s = low.Run(s);
        }
        if (v.highpass.start > 0) {
            if (sweepHigh && i % 16 == 0) high.Set(true, v.highpass.At(along), sampleRate);
            s = high.Run(s);
        }
        mix[first + i] += s * v.volume * EnvelopeAt(v.env, t, seconds);
    }
}

std::vector<double> MixRecipe(const TSoundRecipe& recipe, double sampleRate) {
    std::vector<double> mix(size_t(std::lround(recipe.length * sampleRate)), 0.0);
    for (size_t i = 0; i < recipe.voices.size(); ++i)
        RenderVoice(recipe.voices[i], sampleRate, recipe.seed, i, mix);
    if (recipe.echoDelay > 0 && recipe.echoFeedback > 0) {
        const size_t d = std::max<size_t>(1, size_t(std::lround(recipe.echoDelay * sampleRate)));
        for (size_t i = d; i < mix.size(); ++i) mix[i] += recipe.echoFeedback * mix[i - d];
    }
    // The file ends exactly where the recipe says, so close it without a click.
    const size_t fade = std::min(mix.size(), size_t(sampleRate * 0.003));
    for (size_t i = 0; i < fade; ++i) mix[mix.size() - 1 - i] *= double(i) / fade;
    return mix;
}

std::vector<int16_t> ToPcm16(const std::vector<double>& mix, double peak) {
    double loudest = 0;
    for (double s : mix) loudest = std::max(loudest, std::abs(s));
    std::vector<int16_t> out(mix.size(), 0);
    if (loudest < 1e-9) return out;
    const double scale = std::clamp(peak, 0.0, 1.0) * 32767 / loudest;
    for (size_t i = 0; i < mix.size(); ++i)
        out[i] = int16_t(std::clamp(std::lround(mix[i] * scale), -32767L, 32767L));
    return out;
}

std::vector<int16_t> SynthesiseSound(const TSoundRecipe& recipe) {
    return ToPcm16(MixRecipe(recipe), recipe.peak);
}

std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, uint32_t sampleRate) {
    std::vector<uint8_t> out;
    out.reserve(44 + samples.size() * 2);
    auto tag = [&](const char* s) { out.insert(out.end(), s, s + 4); };
    auto u16 = [&](uint32_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    };
    auto u32 = [&](uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    tag("RIFF");
    u32(36 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(sampleRate);
    u32(sampleRate * 2);
    u16(2);
    u16(16);
    tag("data");
    u32(dataBytes);
    for (int16_t s : samples) u16(uint16_t(s));
    return out;
}
