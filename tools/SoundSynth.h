#pragma once
#include "tools/SoundRecipe.h"
#include <cstdint>
#include <vector>

// The game's effects are mono 16-bit at this rate.
constexpr uint32_t kSoundRate = 44100;

// Adds one voice into `mix`, which holds the whole sound at `sampleRate`. Voices that share a
// seed and an index make the same noise, so a recipe always renders the same bytes.
void RenderVoice(const TSynthVoice& voice, double sampleRate, uint32_t seed, size_t voiceIndex,
                 std::vector<double>& mix);

// Every voice of the recipe mixed, with its echo, at the voices' own levels.
std::vector<double> MixRecipe(const TSoundRecipe& recipe, double sampleRate = kSoundRate);

// Scales the mix so its loudest sample sits at `peak` of full scale; nothing can clip.
std::vector<int16_t> ToPcm16(const std::vector<double>& mix, double peak);

std::vector<int16_t> SynthesiseSound(const TSoundRecipe& recipe);

// A canonical 44-byte-header RIFF WAVE file, PCM, one channel, 16 bits.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, uint32_t sampleRate);
