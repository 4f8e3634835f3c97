#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A FastTracker II extended module (version 1.04) as the game's music player reads it.

// One cell of a pattern. Zero means "nothing" in every field.
struct TXmCell {
    uint8_t note = 0;       // 1..96 (C-0..B-7), 97 key off
    uint8_t instrument = 0; // 1-based
    uint8_t volume = 0;     // volume column byte: 0x10 + 0..64 sets the volume
    uint8_t effect = 0, param = 0;
    bool Empty() const { return !note && !instrument && !volume && !effect && !param; }
};

constexpr uint8_t kXmKeyOff = 97;

struct TXmPattern {
    int rows = 64;              // 1..256
    std::vector<TXmCell> cells; // rows * channels, row by row
};

struct TXmEnvelopePoint {
    uint16_t tick = 0;
    uint16_t value = 0; // 0..64
};

struct TXmInstrument {
    std::string name;                       // up to 22 characters
    std::vector<TXmEnvelopePoint> envelope; // volume envelope, 0 or 2..12 points, first at tick 0
    int sustainPoint = -1;                  // index into envelope, -1: none
    uint16_t fadeout = 0;                   // volume lost per tick after key off
    // The one sample every note of the instrument plays.
    std::vector<int16_t> sample;
    uint32_t loopStart = 0, loopLength = 0; // in samples; length 0: plays once
    uint8_t volume = 64;                    // 0..64
    int8_t finetune = 0;                    // 1/128 semitone
    int8_t relativeNote = 0;                // semitones from C-4 = 8363 Hz
    uint8_t panning = 128;
};

struct TXmModule {
    std::string name; // up to 20 characters
    int channels = 8; // 1..32
    int speed = 6;    // ticks per row
    int bpm = 125;    // ticks per second = bpm * 2 / 5
    int restart = 0;  // order index the song jumps back to after its last order
    std::vector<uint8_t> order;
    std::vector<TXmPattern> patterns;
    std::vector<TXmInstrument> instruments;
};

// The file's bytes: packed patterns, 16-bit delta-coded samples, linear frequency table.
// False with a reason for a module that does not fit the format.
bool WriteXm(const TXmModule& module, std::vector<uint8_t>& out, std::string& error);

// Relative note and finetune that make a sample recorded at `sampleRate` sound at its own
// pitch on `note` (1..96).
void XmTuning(double sampleRate, int note, int8_t& relativeNote, int8_t& finetune);
