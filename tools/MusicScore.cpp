#include "tools/MusicScore.h"
#include "tools/SoundSynth.h"
#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>

namespace {

bool ValidName(std::string_view s) {
    if (s.empty() || !std::islower(uint8_t(s[0]))) return false;
    return std::all_of(s.begin(), s.end(), [](char c) {
        return std::islower(uint8_t(c)) || std::isdigit(uint8_t(c)) || c == '_';
    });
}

bool WholeNumber(const std::string& text, int lo, int hi, const char* what, int& out,
                 std::string& why) {
    double v = 0;
    if (!ParseNumber(text, v, why)) return false;
    if (v != std::floor(v) || v < lo || v > hi) {
        why = std::string(what) + " must be a whole number from " + std::to_string(lo) + " to " +
              std::to_string(hi);
        return false;
    }
    out = int(v);
    return true;
}

std::vector<std::string> Words(std::string_view s) {
    std::vector<std::string> out;
    std::string word;
    for (char c : s) {
        if (std::isspace(uint8_t(c))) {
            if (!word.empty()) out.push_back(std::move(word));
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) out.push_back(std::move(word));
    return out;
}

// MIDI 12..107 are the tracker's C-0..B-7.
constexpr int kLowestMidi = 12, kHighestMidi = 107;
uint8_t XmNote(int midi) { return uint8_t(midi - 11); }

// A row before instruments are resolved: phrases keep notes as MIDI numbers so they can be
// transposed where they are used.
struct TEvent {
    enum Kind { Empty, Off, Note, Hit } kind = Empty;
    int midi = 0;
    int instrument = -1; // index, -1: the channel's current one
    int volume = -1;
    int effect = -1, param = 0;
};

struct TPhrase {
    std::string name;
    std::vector<TEvent> events;
};

struct TPatternDraft {
    std::string name;
    int line = 0;
    int rows = -1;
    int rowsLine = 0;
    std::map<int, std::vector<TXmCell>> channels;
    std::map<int, int> current;   // channel -> instrument index
    std::map<int, int> firstLine; // channel -> where it is first written
};

// Keys of a synthesiser voice that only make sense for a sample with a beginning and an end.
bool OneShotOnly(const std::string& key) {
    return key == "adsr" || key == "start" || key == "length" || key == "vibrato" ||
           key == "arpeggio" || key == "arp_step";
}

class TScoreReader {
public:
    TScoreReader(const std::string& fileName, TMusicScore& score) : file_(fileName), s_(score) {}

    bool Read(std::string_view text, std::string& error) {
        std::vector<TRecipeLine> lines;
        if (!SplitRecipeLines(text, file_, lines, error)) return false;
        for (const TRecipeLine& line : lines) {
            line_ = line.number;
            std::string why;
            const bool ok = line.section ? Section(line, why) : Key(line, why);
            if (!ok) return Fail(line_, why, error);
        }
        std::string why;
        if (!EndSection(why)) return Fail(line_, why, error);
        if (!Order(why)) return Fail(orderLine_, why, error);
        return true;
    }

private:
    enum class TPart { Song, Instrument, Voice, Phrase, Pattern };

    bool Fail(int line, const std::string& why, std::string& error) {
        error = file_ + ":" + std::to_string(std::max(1, line)) + ": " + why;
        return false;
    }

    bool NameTaken(const std::string& name) const {
        for (const TScoreInstrument& i : s_.instruments)
            if (i.name == name) return true;
        return std::any_of(phrases_.begin(), phrases_.end(),
                           [&](const TPhrase& p) { return p.name == name; });
    }

    bool Section(const TRecipeLine& line, std::string& why) {
        const std::string& kind = line.key;
        const std::string& name = line.value;
        if (kind == "voice") {
            if (part_ != TPart::Instrument && part_ != TPart::Voice) {
                why = "[voice] belongs after an [instrument name]";
                return false;
            }
            if (!name.empty()) {
                why = "[voice] takes no name";
                return false;
            }
            s_.instruments.back().voices.emplace_back();
            s_.instruments.back().voices.back().line = line.number;
            part_ = TPart::Voice;
            return true;
        }
        if (!EndSection(why)) return false;
        if (kind != "instrument" && kind != "phrase" && kind != "pattern") {
            why = "unknown section [" + kind + "] (instrument, voice, phrase or pattern)";
            return false;
        }
        if (!ValidName(name)) {
            why = "[" + kind + "] needs a name of lower-case letters, digits and '_'";
            return false;
        }
        if (kind == "pattern") {
            if (std::find(s_.patternNames.begin(), s_.patternNames.end(), name) !=
                s_.patternNames.end()) {
                why = "a second pattern named '" + name + "'";
                return false;
            }
            pattern_ = TPatternDraft{};
            pattern_.name = name;
            pattern_.line = line.number;
            part_ = TPart::Pattern;
            return true;
        }
        if (NameTaken(name)) {
            why = "the name '" + name + "' is already an instrument or a phrase";
            return false;
        }
        if (kind == "instrument") {
            if (s_.instruments.size() == 128) {
                why = "a song has at most 128 instruments";
                return false;
            }
            s_.instruments.emplace_back();
            s_.instruments.back().name = name;
            s_.instruments.back().line = line.number;
            part_ = TPart::Instrument;
        } else {
            phrases_.push_back(TPhrase{name, {}});
            part_ = TPart::Phrase;
        }
        return true;
    }

    bool EndSection(std::string& why) {
        if (part_ == TPart::Instrument) {
            why = "instrument '" + s_.instruments.back().name + "' has no [voice]";
            line_ = s_.instruments.back().line;
            return false;
        }
        if (part_ == TPart::Phrase && phrases_.back().events.empty()) {
            why = "phrase '" + phrases_.back().name + "' has no notes";
            return false;
        }
        if (part_ == TPart::Pattern) return EndPattern(why);
        return true;
    }

    bool Key(const TRecipeLine& line, std::string& why) {
        switch (part_) {
        case TPart::Song:
            return SongKey(line, why);
        case TPart::Instrument:
            return InstrumentKey(line, why);
        case TPart::Voice: {
            TScoreInstrument& ins = s_.instruments.back();
            if (ins.length <= 0 && OneShotOnly(line.key)) {
                why = "'" + line.key + "' needs a one-shot instrument: give '" + ins.name +
                      "' a length, or shape it with its envelope";
                return false;
            }
            if (!ApplyVoiceKey(ins.voices.back(), line.key, line.value, why)) {
                if (why.empty()) why = "unknown voice key '" + line.key + "'";
                return false;
            }
            return true;
        }
        case TPart::Phrase:
            if (line.key != "notes") {
                why = "a phrase holds only 'notes = ...' lines";
                return false;
            }
            return Tokens(line.value, phrases_.back().events, why);
        case TPart::Pattern:
            return PatternKey(line, why);
        }
        return false;
    }

    bool SongKey(const TRecipeLine& line, std::string& why) {
        const std::string& k = line.key;
        if (k == "title") {
            if (line.value.size() > 20) {
                why = "a title has at most 20 characters";
                return false;
            }
            s_.title = line.value;
            return true;
        }
        if (k == "bpm") return WholeNumber(line.value, 32, 255, "bpm", s_.bpm, why);
        if (k == "speed") return WholeNumber(line.value, 1, 31, "speed", s_.speed, why);
        if (k == "channels") return WholeNumber(line.value, 1, 32, "channels", s_.channels, why);
        if (k == "restart") {
            restartLine_ = line.number;
            return WholeNumber(line.value, 0, 255, "restart", s_.restart, why);
        }
        if (k == "order") {
            orderWords_ = Words(line.value);
            orderLine_ = line.number;
            return true;
        }
        why = "unknown song key '" + k + "'";
        return false;
    }

    bool InstrumentKey(const TRecipeLine& line, std::string& why) {
        TScoreInstrument& ins = s_.instruments.back();
        const std::string& k = line.key;
        double v = 0;
        auto number = [&](double lo, double hi, double& field) {
            if (!ParseNumber(line.value, v, why)) return false;
            if (v < lo || v > hi) {
                why = k + " must be between " + std::to_string(lo).substr(0, 5) + " and " +
                      std::to_string(hi).substr(0, 5);
                return false;
            }
            field = v;
            return true;
        };
        if (k == "volume") return number(0, 1, ins.volume);
        if (k == "pan") return number(-1, 1, ins.pan);
        if (k == "length") return number(0.001, 10, ins.length);
        if (k == "cycle") return WholeNumber(line.value, 16, 4096, "cycle", ins.cycle, why);
        if (k == "seed") {
            int seed = 0;
            if (!WholeNumber(line.value, 0, 1 << 30, "seed", seed, why)) return false;
            ins.seed = uint32_t(seed);
            return true;
        }
        if (k == "root") {
            if (!ParseNoteName(line.value, ins.root) || ins.root < kLowestMidi ||
                ins.root > kHighestMidi) {
                why = "root must be a note from C0 to B7";
                return false;
            }
            return true;
        }
        if (k == "envelope") {
            // Borrow the voice parser's checks for the four values.
            TSynthVoice probe;
            if (!ApplyVoiceKey(probe, "adsr", line.value, why)) return false;
            ins.envelope = probe.env;
            ins.hasEnvelope = true;
            return true;
        }
        why = "unknown instrument key '" + k + "'";
        if (k == "wave" || k == "freq") why += " (voice keys go after [voice])";
        return false;
    }

    bool PatternKey(const TRecipeLine& line, std::string& why) {
        if (line.key == "rows") {
            pattern_.rowsLine = line.number;
            return WholeNumber(line.value, 1, 256, "rows", pattern_.rows, why);
        }
        int channel = 0;
        if (!std::all_of(line.key.begin(), line.key.end(),
                         [](char c) { return std::isdigit(uint8_t(c)); }) ||
            !WholeNumber(line.key, 1, s_.channels, "a channel", channel, why)) {
            why = "expected 'rows' or a channel number from 1 to " + std::to_string(s_.channels);
            return false;
        }
        std::vector<TEvent> events;
        if (!Tokens(line.value, events, why)) return false;
        pattern_.firstLine.try_emplace(channel, line.number);
        std::vector<TXmCell>& cells = pattern_.channels[channel];
        int& current = pattern_.current.try_emplace(channel, -1).first->second;
        for (const TEvent& e : events) {
            TXmCell c;
            if (e.kind == TEvent::Note || e.kind == TEvent::Hit) {
                const int ins = e.instrument >= 0 ? e.instrument : current;
                if (ins < 0) {
                    why = "channel " + std::to_string(channel) +
                          " plays a note before any instrument: write it as NOTE:instrument";
                    return false;
                }
                current = ins;
                const int midi = e.kind == TEvent::Hit ? s_.instruments[size_t(ins)].root : e.midi;
                c.note = XmNote(midi);
                c.instrument = uint8_t(ins + 1);
            } else if (e.kind == TEvent::Off) {
                c.note = kXmKeyOff;
            }
            if (e.volume >= 0) c.volume = uint8_t(0x10 + e.volume);
            if (e.effect >= 0) {
                c.effect = uint8_t(e.effect);
                c.param = uint8_t(e.param);
            }
            cells.push_back(c);
        }
        return true;
    }

    bool EndPattern(std::string& why) {
        int rows = pattern_.rows;
        std::string rule = "'rows' says";
        for (const auto& [channel, cells] : pattern_.channels) {
            const int n = int(cells.size());
            if (rows < 0) {
                rows = n;
                rule = "channel " + std::to_string(channel) + " has";
            }
            if (n != rows) {
                why = "pattern '" + pattern_.name + "': channel " + std::to_string(channel) +
                      " has " + std::to_string(n) + " rows, " + rule + " " + std::to_string(rows);
                line_ = pattern_.firstLine[channel];
                return false;
            }
        }
        if (rows < 1 || rows > 256) {
            why = rows < 1 ? "pattern '" + pattern_.name + "' has no rows"
                           : "pattern '" + pattern_.name + "' has more than 256 rows";
            line_ = pattern_.line;
            return false;
        }
        if (s_.patterns.size() == 256) {
            why = "a song has at most 256 patterns";
            return false;
        }
        TXmPattern p;
        p.rows = rows;
        p.cells.assign(size_t(rows) * size_t(s_.channels), TXmCell{});
        for (const auto& [channel, cells] : pattern_.channels)
            for (int r = 0; r < rows; ++r)
                p.cells[size_t(r) * size_t(s_.channels) + size_t(channel - 1)] = cells[size_t(r)];
        s_.patterns.push_back(std::move(p));
        s_.patternNames.push_back(pattern_.name);
        part_ = TPart::Song; // nothing left open
        return true;
    }

    bool Order(std::string& why) {
        if (orderWords_.empty()) {
            why = "missing 'order = pattern ...'";
            return false;
        }
        if (orderWords_.size() > 256) {
            why = "the order list holds at most 256 patterns";
            return false;
        }
        for (const std::string& w : orderWords_) {
            const auto it = std::find(s_.patternNames.begin(), s_.patternNames.end(), w);
            if (it == s_.patternNames.end()) {
                why = "the order names '" + w + "', which is no pattern";
                return false;
            }
            s_.order.push_back(uint8_t(it - s_.patternNames.begin()));
        }
        if (size_t(s_.restart) >= s_.order.size()) {
            orderLine_ = restartLine_;
            why = "restart is past the end of the order list";
            return false;
        }
        return true;
    }

    int InstrumentIndex(const std::string& name) const {
        for (size_t i = 0; i < s_.instruments.size(); ++i)
            if (s_.instruments[i].name == name) return int(i);
        return -1;
    }

    // Reads one line of row tokens, expanding phrases.
    bool Tokens(const std::string& text, std::vector<TEvent>& out, std::string& why) {
        for (const std::string& word : Words(text)) {
            if (word == "|") continue;
            if (!Token(word, out, why)) {
                why = "'" + word + "': " + why;
                return false;
            }
        }
        return true;
    }

    bool Token(const std::string& word, std::vector<TEvent>& out, std::string& why) {
        const size_t mods = word.find_first_of("@!");
        const std::string base = word.substr(0, mods);
        TEvent e;
        if (base == ".") {
            e.kind = TEvent::Empty;
        } else if (base == "^") {
            e.kind = TEvent::Off;
        } else if (!base.empty() && std::isupper(uint8_t(base[0]))) {
            const size_t colon = base.find(':');
            e.kind = TEvent::Note;
            if (!ParseNoteName(base.substr(0, colon), e.midi)) {
                why = "not a note (C4, F#3, Bb5 ...)";
                return false;
            }
            if (e.midi < kLowestMidi || e.midi > kHighestMidi) {
                why = "notes run from C0 to B7";
                return false;
            }
            if (colon != std::string::npos) {
                e.instrument = InstrumentIndex(base.substr(colon + 1));
                if (e.instrument < 0) {
                    why = "no instrument '" + base.substr(colon + 1) + "' defined above";
                    return false;
                }
            }
        } else {
            const size_t sign = base.find_first_of("+-");
            const std::string name = base.substr(0, sign);
            if (const int ins = InstrumentIndex(name); ins >= 0) {
                if (sign != std::string::npos) {
                    why = "only phrases can be transposed";
                    return false;
                }
                e.kind = TEvent::Hit;
                e.instrument = ins;
            } else {
                const auto phrase = std::find_if(phrases_.begin(), phrases_.end(),
                                                 [&](const TPhrase& p) { return p.name == name; });
                if (phrase == phrases_.end() ||
                    (part_ == TPart::Phrase && &*phrase == &phrases_.back())) {
                    why = "no instrument or phrase of that name defined above";
                    return false;
                }
                if (mods != std::string::npos) {
                    why = "a phrase cannot take @ or !";
                    return false;
                }
                int shift = 0;
                if (sign != std::string::npos &&
                    !WholeNumber(base.substr(sign + 1), 0, 48, "a transposition", shift, why))
                    return false;
                if (sign != std::string::npos && base[sign] == '-') shift = -shift;
                for (TEvent p : phrase->events) {
                    if (p.kind == TEvent::Note) {
                        p.midi += shift;
                        if (p.midi < kLowestMidi || p.midi > kHighestMidi) {
                            why = "transposed past the notes C0 to B7";
                            return false;
                        }
                    }
                    out.push_back(p);
                }
                return true;
            }
        }
        // Modifiers: @volume and !effect, in either order.
        size_t i = mods;
        while (i != std::string::npos && i < word.size()) {
            const size_t next = word.find_first_of("@!", i + 1);
            const std::string mod =
                word.substr(i + 1, next == std::string::npos ? next : next - i - 1);
            if (word[i] == '@') {
                if (e.volume >= 0 || !WholeNumber(mod, 0, 64, "a volume", e.volume, why)) {
                    if (why.empty()) why = "a second volume";
                    return false;
                }
            } else {
                auto digit = [](char c) {
                    if (c >= '0' && c <= '9') return c - '0';
                    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
                    return -1;
                };
                auto hex = [](char c) {
                    if (c >= '0' && c <= '9') return c - '0';
                    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
                    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
                    return -1;
                };
                if (e.effect >= 0 || mod.size() != 3 || digit(mod[0]) < 0 || hex(mod[1]) < 0 ||
                    hex(mod[2]) < 0) {
                    why = "an effect is '!' with a letter or digit and two hex digits, once";
                    return false;
                }
                e.effect = digit(mod[0]);
                e.param = hex(mod[1]) * 16 + hex(mod[2]);
            }
            i = next;
        }
        out.push_back(e);
        return true;
    }

    std::string file_;
    TMusicScore& s_;
    TPart part_ = TPart::Song;
    int line_ = 0;
    std::vector<TPhrase> phrases_;
    TPatternDraft pattern_;
    std::vector<std::string> orderWords_;
    int orderLine_ = 0, restartLine_ = 0;
};

// Every voice of an instrument at `sampleRate`, `count` samples.
std::vector<double> RenderInstrument(const TScoreInstrument& ins, bool looped, double sampleRate,
                                     size_t count) {
    std::vector<double> mix(count, 0.0);
    for (size_t i = 0; i < ins.voices.size(); ++i) {
        TSynthVoice v = ins.voices[i];
        if (!v.freqSet) v.freq = TRamp{NoteFrequency(ins.root), NoteFrequency(ins.root)};
        if (looped) v.env = TEnvelope{0, 0, 1, 0}; // the tracker's envelope shapes the notes
        RenderVoice(v, sampleRate, ins.seed, i, mix);
    }
    return mix;
}

// ADSR in seconds as tracker envelope points. Decay and release bend like the synthesiser's,
// approximated by a few straight pieces.
void EnvelopePoints(const TEnvelope& e, double ticksPerSecond, TXmInstrument& out) {
    auto add = [&](double seconds, double level) {
        uint16_t tick = uint16_t(std::min(60000.0, std::round(seconds * ticksPerSecond)));
        if (!out.envelope.empty()) tick = std::max<uint16_t>(tick, out.envelope.back().tick + 1);
        const uint16_t value = uint16_t(std::lround(std::clamp(level, 0.0, 1.0) * 64));
        out.envelope.push_back({out.envelope.empty() ? uint16_t(0) : tick, value});
    };
    add(0, e.attack > 0 ? 0 : 1);
    if (e.attack > 0) add(e.attack, 1);
    if (e.decay > 0 && e.sustain < 1)
        for (double x : {0.25, 0.5, 1.0})
            add(e.attack + e.decay * x, e.sustain + (1 - e.sustain) * (1 - x) * (1 - x));
    if (e.sustain <= 0) return; // dies away by itself; nothing to hold
    out.sustainPoint = int(out.envelope.size()) - 1;
    const double held = e.attack + e.decay;
    if (e.release <= 0) {
        add(held, 0); // one tick after the key is let go
        return;
    }
    add(held + e.release * 0.5, e.sustain * 0.25);
    add(held + e.release, 0);
}

} // namespace

bool ParseMusicScore(std::string_view text, const std::string& fileName, TMusicScore& out,
                     std::string& error) {
    out = TMusicScore{};
    out.source = fileName;
    TScoreReader reader(fileName, out);
    return reader.Read(text, error);
}

double ScoreSeconds(const TMusicScore& score) {
    int speed = score.speed, bpm = score.bpm;
    double seconds = 0;
    for (uint8_t o : score.order) {
        const TXmPattern& p = score.patterns[o];
        for (int r = 0; r < p.rows; ++r) {
            for (int c = 0; c < score.channels; ++c) {
                const TXmCell& cell = p.cells[size_t(r) * size_t(score.channels) + size_t(c)];
                if (cell.effect != 0xF || cell.param == 0) continue;
                (cell.param < 32 ? speed : bpm) = cell.param;
            }
            seconds += speed * 2.5 / bpm;
        }
    }
    return seconds;
}

bool BuildXmModule(const TMusicScore& score, TXmModule& m, std::string& error) {
    m = TXmModule{};
    m.name = score.title;
    m.channels = score.channels;
    m.speed = score.speed;
    m.bpm = score.bpm;
    m.restart = score.restart;
    m.order = score.order;
    m.patterns = score.patterns;
    const double ticksPerSecond = score.bpm * 0.4;
    for (const TScoreInstrument& ins : score.instruments) {
        TXmInstrument x;
        x.name = ins.name.substr(0, 22);
        x.volume = uint8_t(std::lround(ins.volume * 64));
        x.panning = uint8_t(std::lround((ins.pan + 1) * 127.5));
        const bool looped = ins.length <= 0;
        std::vector<double> mix;
        double rate;
        if (looped) {
            // One cycle at the root note; rendered long and cut from the end so that filters
            // have settled and the loop joins without a seam.
            rate = ins.cycle * NoteFrequency(ins.root);
            const size_t warm = std::max<size_t>(size_t(ins.cycle) * 16, 8192);
            mix = RenderInstrument(ins, true, rate, warm + size_t(ins.cycle));
            mix.erase(mix.begin(), mix.end() - ins.cycle);
            double mean = 0;
            for (double s : mix) mean += s;
            mean /= double(mix.size());
            for (double& s : mix) s -= mean; // a DC step would click at every note
            x.loopStart = 0;
            x.loopLength = uint32_t(ins.cycle);
        } else {
            rate = kSoundRate;
            mix = RenderInstrument(ins, false, rate, size_t(std::lround(ins.length * rate)));
            const size_t fade = std::min(mix.size(), size_t(rate * 0.003));
            for (size_t i = 0; i < fade; ++i) mix[mix.size() - 1 - i] *= double(i) / fade;
        }
        x.sample = ToPcm16(mix, 0.97);
        if (std::all_of(x.sample.begin(), x.sample.end(), [](int16_t s) { return s == 0; })) {
            error = score.source + ":" + std::to_string(ins.line) + ": instrument '" + ins.name +
                    "' makes no sound";
            return false;
        }
        XmTuning(rate, XmNote(ins.root), x.relativeNote, x.finetune);
        if (ins.hasEnvelope || looped)
            EnvelopePoints(ins.hasEnvelope ? ins.envelope : TEnvelope{0.005, 0, 1, 0.08},
                           ticksPerSecond, x);
        m.instruments.push_back(std::move(x));
    }
    return true;
}
