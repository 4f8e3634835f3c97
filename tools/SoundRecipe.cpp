#include "tools/SoundRecipe.h"
#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(uint8_t(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(uint8_t(s.back()))) s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> Words(std::string_view s) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && std::isspace(uint8_t(s[i]))) ++i;
        const size_t from = i;
        while (i < s.size() && !std::isspace(uint8_t(s[i]))) ++i;
        if (i > from) out.push_back(s.substr(from, i - from));
    }
    return out;
}

// A frequency is written in Hz or as a note name, whichever reads better in the recipe.
bool ParseFrequency(std::string_view word, double& out, std::string& why) {
    int midi = 0;
    if (ParseNoteName(word, midi)) {
        out = NoteFrequency(midi);
        return true;
    }
    return ParseNumber(word, out, why);
}

// "a", "a -> b" or "a -> b exp".
bool ParseRamp(std::string_view text, bool frequency, TRamp& ramp, std::string& why) {
    const std::vector<std::string_view> w = Words(text);
    auto value = [&](std::string_view word, double& out) {
        return frequency ? ParseFrequency(word, out, why) : ParseNumber(word, out, why);
    };
    if (w.size() == 1) {
        if (!value(w[0], ramp.start)) return false;
        ramp.end = ramp.start;
        ramp.curve = TCurve::Linear;
        return true;
    }
    if ((w.size() == 3 || w.size() == 4) && w[1] == "->") {
        if (!value(w[0], ramp.start) || !value(w[2], ramp.end)) return false;
        ramp.curve = TCurve::Linear;
        if (w.size() == 4) {
            if (w[3] == "exp")
                ramp.curve = TCurve::Exponential;
            else if (w[3] != "linear") {
                why = "unknown curve '" + std::string(w[3]) + "' (linear or exp)";
                return false;
            }
        }
        return true;
    }
    why = "expected a value or 'start -> end [linear|exp]'";
    return false;
}

bool InRange(double v, double lo, double hi, const char* what, std::string& why) {
    if (v >= lo && v <= hi) return true;
    char buf[128];
    std::snprintf(buf, sizeof buf, "%s must be between %g and %g", what, lo, hi);
    why = buf;
    return false;
}

bool RampInRange(const TRamp& r, double lo, double hi, const char* what, std::string& why) {
    return InRange(r.start, lo, hi, what, why) && InRange(r.end, lo, hi, what, why);
}

// A filter cutoff of 0 switches the filter off; anything else must be audible.
bool CutoffInRange(const TRamp& r, std::string& why) {
    for (double v : {r.start, r.end})
        if (v != 0 && !(v >= 10 && v <= 20000)) {
            why = "a cutoff must be 0 (off) or between 10 and 20000 Hz";
            return false;
        }
    if ((r.start == 0) != (r.end == 0)) {
        why = "a cutoff sweep cannot start or end at 0";
        return false;
    }
    return true;
}

} // namespace

double TRamp::At(double t01) const {
    t01 = std::clamp(t01, 0.0, 1.0);
    if (curve == TCurve::Exponential && start > 0 && end > 0)
        return start * std::pow(end / start, t01);
    return start + (end - start) * t01;
}

bool ParseNumber(std::string_view text, double& out, std::string& why) {
    text = Trim(text);
    const char* first = text.data();
    const char* last = first + text.size();
    if (!text.empty() && *first == '+') ++first;
    const auto [ptr, ec] = std::from_chars(first, last, out);
    if (text.empty() || ec != std::errc() || ptr != last || !std::isfinite(out)) {
        why = "'" + std::string(text) + "' is not a number";
        return false;
    }
    return true;
}

bool ParseNumbers(std::string_view text, std::vector<double>& out, std::string& why) {
    out.clear();
    for (std::string_view w : Words(text)) {
        double v = 0;
        if (!ParseNumber(w, v, why)) return false;
        out.push_back(v);
    }
    return true;
}

bool ParseNoteName(std::string_view text, int& midi) {
    static constexpr int kSemitone[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (text.size() < 2 || text.size() > 3 || text[0] < 'A' || text[0] > 'G') return false;
    int n = kSemitone[text[0] - 'A'];
    size_t i = 1;
    if (text.size() == 3) {
        if (text[1] == '#')
            ++n;
        else if (text[1] == 'b')
            --n;
        else
            return false;
        i = 2;
    }
    if (text[i] < '0' || text[i] > '9') return false;
    midi = (text[i] - '0' + 1) * 12 + n;
    return true;
}

double NoteFrequency(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

bool SplitRecipeLines(std::string_view text, const std::string& fileName,
                      std::vector<TRecipeLine>& lines, std::string& error) {
    lines.clear();
    int number = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;
        for (size_t i = 0; i < raw.size(); ++i)
            if (raw[i] == '#' && (i == 0 || std::isspace(uint8_t(raw[i - 1])))) {
                raw = raw.substr(0, i);
                break;
            }
        raw = Trim(raw);
        if (raw.empty()) continue;
        TRecipeLine line;
        line.number = number;
        auto fail = [&](const std::string& why) {
            error = fileName + ":" + std::to_string(number) + ": " + why;
            return false;
        };
        if (raw.front() == '[') {
            if (raw.back() != ']') return fail("a section header must end with ']'");
            const std::vector<std::string_view> w = Words(raw.substr(1, raw.size() - 2));
            if (w.empty() || w.size() > 2) return fail("expected [kind] or [kind name]");
            line.section = true;
            line.key = std::string(w[0]);
            if (w.size() == 2) line.value = std::string(w[1]);
        } else {
            const size_t eq = raw.find('=');
            if (eq == std::string_view::npos) return fail("expected 'key = value'");
            line.key = std::string(Trim(raw.substr(0, eq)));
            line.value = std::string(Trim(raw.substr(eq + 1)));
            if (line.key.empty()) return fail("missing key before '='");
            if (line.value.empty()) return fail("missing value for '" + line.key + "'");
        }
        lines.push_back(std::move(line));
    }
    return true;
}

bool ApplyVoiceKey(TSynthVoice& v, const std::string& key, const std::string& value,
                   std::string& why) {
    why.clear();
    std::vector<double> n;
    if (key == "wave") {
        static const std::pair<const char*, TWave> kWaves[] = {{"sine", TWave::Sine},
                                                               {"square", TWave::Square},
                                                               {"saw", TWave::Saw},
                                                               {"triangle", TWave::Triangle},
                                                               {"noise", TWave::Noise}};
        for (const auto& [name, wave] : kWaves)
            if (value == name) {
                v.wave = wave;
                return true;
            }
        why = "unknown wave '" + value + "' (sine, square, saw, triangle or noise)";
        return false;
    }
    if (key == "freq") {
        v.freqSet = true;
        return ParseRamp(value, true, v.freq, why) && RampInRange(v.freq, 0, 22050, "freq", why);
    }
    if (key == "lowpass")
        return ParseRamp(value, false, v.lowpass, why) && CutoffInRange(v.lowpass, why);
    if (key == "highpass")
        return ParseRamp(value, false, v.highpass, why) && CutoffInRange(v.highpass, why);
    auto one = [&](double& field, double lo, double hi) {
        return ParseNumber(value, field, why) && InRange(field, lo, hi, key.c_str(), why);
    };
    if (key == "ratio") return one(v.ratio, 0.01, 32);
    if (key == "duty") return one(v.duty, 0.01, 0.99);
    if (key == "start") return one(v.start, 0, 10);
    if (key == "length") return one(v.length, 0.001, 10);
    if (key == "volume") return one(v.volume, 0, 4);
    if (key == "arp_step") return one(v.arpStep, 0.005, 10);
    if (key == "adsr") {
        if (!ParseNumbers(value, n, why)) return false;
        if (n.size() != 4) {
            why = "adsr needs four values: attack decay sustain release";
            return false;
        }
        if (!InRange(n[0], 0, 10, "attack", why) || !InRange(n[1], 0, 10, "decay", why) ||
            !InRange(n[2], 0, 1, "sustain", why) || !InRange(n[3], 0, 10, "release", why))
            return false;
        v.env = {n[0], n[1], n[2], n[3]};
        return true;
    }
    if (key == "vibrato") {
        if (!ParseNumbers(value, n, why)) return false;
        if (n.size() != 2) {
            why = "vibrato needs two values: rate in Hz and depth in semitones";
            return false;
        }
        if (!InRange(n[0], 0, 50, "vibrato rate", why) ||
            !InRange(n[1], 0, 12, "vibrato depth", why))
            return false;
        v.vibratoRate = n[0];
        v.vibratoDepth = n[1];
        return true;
    }
    if (key == "arpeggio") {
        if (!ParseNumbers(value, n, why)) return false;
        for (double s : n)
            if (!InRange(s, -48, 48, "an arpeggio step", why)) return false;
        v.arpeggio = n;
        return true;
    }
    return false;
}

bool ParseSoundRecipe(std::string_view text, const std::string& fileName, TSoundRecipe& out,
                      std::string& error) {
    out = TSoundRecipe{};
    std::vector<TRecipeLine> lines;
    if (!SplitRecipeLines(text, fileName, lines, error)) return false;
    bool haveLength = false;
    int lengthLine = 0;
    for (const TRecipeLine& line : lines) {
        auto fail = [&](const std::string& why) {
            error = fileName + ":" + std::to_string(line.number) + ": " + why;
            return false;
        };
        std::string why;
        if (line.section) {
            if (line.key != "voice" || !line.value.empty())
                return fail("unknown section [" + line.key + "] (only [voice])");
            out.voices.emplace_back();
            out.voices.back().line = line.number;
            continue;
        }
        if (!out.voices.empty()) {
            if (!ApplyVoiceKey(out.voices.back(), line.key, line.value, why))
                return fail(why.empty() ? "unknown voice key '" + line.key + "'" : why);
            continue;
        }
        std::vector<double> n;
        if (line.key == "length") {
            if (!ParseNumber(line.value, out.length, why) ||
                !InRange(out.length, 0.001, 10, "length", why))
                return fail(why);
            haveLength = true;
            lengthLine = line.number;
        } else if (line.key == "peak") {
            if (!ParseNumber(line.value, out.peak, why) || !InRange(out.peak, 0.01, 1, "peak", why))
                return fail(why);
        } else if (line.key == "seed") {
            double s = 0;
            if (!ParseNumber(line.value, s, why)) return fail(why);
            if (s < 0 || s > 4294967295.0 || s != std::floor(s))
                return fail("seed must be a whole number from 0 to 4294967295");
            out.seed = uint32_t(s);
        } else if (line.key == "echo") {
            if (!ParseNumbers(line.value, n, why)) return fail(why);
            if (n.size() != 2) return fail("echo needs two values: delay in seconds and feedback");
            if (!InRange(n[0], 0.001, 2, "echo delay", why) ||
                !InRange(n[1], 0, 0.95, "echo feedback", why))
                return fail(why);
            out.echoDelay = n[0];
            out.echoFeedback = n[1];
        } else {
            return fail("unknown key '" + line.key + "' (voice keys go after [voice])");
        }
    }
    auto failAt = [&](int number, const std::string& why) {
        error = fileName + ":" + std::to_string(number) + ": " + why;
        return false;
    };
    if (!haveLength) return failAt(1, "missing 'length = seconds'");
    if (out.voices.empty()) return failAt(lengthLine, "no [voice] to play");
    for (const TSynthVoice& v : out.voices)
        if (v.start >= out.length)
            return failAt(v.line, "the voice starts after the sound has ended");
    return true;
}
