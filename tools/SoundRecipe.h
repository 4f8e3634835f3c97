#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A sound recipe is a small text file that describes one effect as layered synthesiser voices:
//
//     # a soft click
//     length = 0.06          seconds of the whole effect
//     peak = 0.5             loudest sample, as a fraction of full scale
//     [voice]
//     wave = sine            sine, square, saw, triangle or noise
//     freq = 2400 -> 900 exp Hz or a note (A4 = 440), optionally swept, linear or exp
//     adsr = 0.001 0.03 0 0.02
//
// `#` starts a comment at the start of a line or after a blank, so `C#5` stays a note.
// Keys before the first [voice] belong to the whole effect.

enum class TWave { Sine, Square, Saw, Triangle, Noise };

// How a swept value travels from start to end: evenly, or by equal ratios (which is what
// the ear hears as even for pitch and filter cutoffs).
enum class TCurve { Linear, Exponential };

struct TRamp {
    double start = 0, end = 0;
    TCurve curve = TCurve::Linear;
    double At(double t01) const; // t01 in 0..1
};

// Seconds, except sustain which is a level 0..1. Release ends the voice's length.
struct TEnvelope {
    double attack = 0.002, decay = 0, sustain = 1, release = 0.01;
};

struct TSynthVoice {
    TWave wave = TWave::Sine;
    TRamp freq{440, 440}; // Hz; for noise the sample-and-hold rate, 0 for white noise
    bool freqSet = false; // instruments default an unset frequency to their root note
    double ratio = 1;     // multiplies freq: partials of an instrument
    double duty = 0.5;    // square only: high part of a cycle
    double start = 0;     // seconds from the start of the sound
    double length = -1;   // seconds; negative: until the sound ends
    TEnvelope env;
    double volume = 1;       // layer mix level
    double vibratoRate = 0;  // Hz
    double vibratoDepth = 0; // semitones each way
    TRamp lowpass{0, 0};     // cutoff Hz, 0: off
    TRamp highpass{0, 0};
    std::vector<double> arpeggio; // semitone steps, one every arpStep seconds, last one held
    double arpStep = 0.06;
    int line = 0; // where the voice was declared
};

struct TSoundRecipe {
    double length = 0; // seconds, required
    uint32_t seed = 1; // noise generator seed; fixed so the same text gives the same bytes
    double peak = 0.9; // the mix is scaled so its loudest sample sits here
    double echoDelay = 0, echoFeedback = 0;
    std::vector<TSynthVoice> voices;
};

// One meaningful line of a recipe or score: a section header or a `key = value` pair.
struct TRecipeLine {
    int number = 0;
    bool section = false;
    std::string key;   // section: its kind ("voice", "instrument", ...)
    std::string value; // section: the rest of the header ("lead" in [instrument lead])
};

// Splits text into lines, dropping blanks and comments. False with "file:line: why" in error
// for a line that is neither a section nor a key.
bool SplitRecipeLines(std::string_view text, const std::string& fileName,
                      std::vector<TRecipeLine>& lines, std::string& error);

// Helpers shared with the music score reader; they return false with a reason (no file or
// line, the caller adds those).
bool ParseNumber(std::string_view text, double& out, std::string& why);
bool ParseNumbers(std::string_view text, std::vector<double>& out, std::string& why);
// A note name such as C4, F#3 or Bb5 (octaves 0..9) as a MIDI-style number: C4 = 60.
bool ParseNoteName(std::string_view text, int& midi);
double NoteFrequency(int midi);

// Applies one key to a voice. Unknown keys return false with an empty `why`, so that an
// instrument can offer keys of its own before giving up.
bool ApplyVoiceKey(TSynthVoice& voice, const std::string& key, const std::string& value,
                   std::string& why);

bool ParseSoundRecipe(std::string_view text, const std::string& fileName, TSoundRecipe& out,
                      std::string& error);
