#pragma once
#include "tools/SoundRecipe.h"
#include "tools/XmWriter.h"
#include <string>
#include <string_view>
#include <vector>

// A music score is a text file compiled into a tracker module:
//
//     title = Menu            song keys come first
//     bpm = 125               ticks per second = bpm * 2 / 5
//     speed = 6               ticks per row
//     channels = 4
//     order = intro verse verse chorus      the song loops back to `restart` (default 0)
//
//     [instrument bass]       a looped waveform shaped by the tracker's volume envelope
//     envelope = 0.005 0.3 0.4 0.1
//     [voice]                 one or more synthesiser voices make the instrument's sample
//     wave = triangle
//
//     [instrument kick]       `length` makes a one-shot sample with the voices' own adsr
//     length = 0.25
//     [voice]
//     freq = 150 -> 45 exp
//     adsr = 0 0.2 0 0.05
//
//     [phrase walk]           a named run of rows, reusable in patterns, transposable
//     notes = C2:bass . E2 . G2 . A2 .
//
//     [pattern verse]
//     rows = 16               optional; every channel must fill exactly this many rows
//     1 = C5:lead . . E5@40 | G5 . ^ .
//     2 = walk walk+5
//     4 = kick . . . snare . . .
//
// A row token is `.` (nothing), `^` (key off), a note with an optional `:instrument` (which
// then stays the channel's instrument for the rest of the pattern), or an instrument's name,
// which plays it at its root note (for drums). `@0..64` sets the volume and `!Xyy` adds a
// tracker effect (letter or digit, two hex digits). `|` only helps the eye.

struct TScoreInstrument {
    std::string name;
    int line = 0;
    std::vector<TSynthVoice> voices;
    int root = 72;     // MIDI note at which the sample sounds at its own pitch (C5)
    double length = 0; // seconds of a one-shot sample; 0: a looped single cycle
    int cycle = 256;   // samples in the looped cycle
    double volume = 1; // 0..1 default note volume
    double pan = 0;    // -1 left .. 1 right
    uint32_t seed = 1; // for noise voices
    bool hasEnvelope = false;
    TEnvelope envelope; // the tracker's volume envelope, seconds
};

struct TMusicScore {
    std::string source; // file name, for messages
    std::string title;
    int bpm = 125, speed = 6, channels = 4, restart = 0;
    std::vector<TScoreInstrument> instruments;
    std::vector<std::string> patternNames;
    std::vector<TXmPattern> patterns;
    std::vector<uint8_t> order;
};

bool ParseMusicScore(std::string_view text, const std::string& fileName, TMusicScore& out,
                     std::string& error);

// Seconds of one pass through the order list, following speed and tempo changes (Fxx).
double ScoreSeconds(const TMusicScore& score);

// Synthesises the instruments and lays out the module.
bool BuildXmModule(const TMusicScore& score, TXmModule& module, std::string& error);
