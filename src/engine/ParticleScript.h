#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The parameter block of one particle effect, as stored in a ".pss" archive record:
// 136 bytes, little-endian, floats are IEEE single precision. Times are in the units of the
// Delta given to the effect's Update, angles in radians, colours red in byte 0 .. alpha in
// byte 3. The unused and padding bytes are kept so that a record survives a round trip
// byte for byte.
struct TParticleScript {
    int32_t PatternStart = 0;
    int32_t PatternEnd = 0; // negative or equal to PatternStart: the pattern stays
    uint8_t Unused8[4] = {};
    uint32_t DrawFx = 0;
    int32_t EmitRate = 0; // particles per unit of time
    float SystemLife = 0; // 0 or less: never emits
    float LifeMin = 0, LifeMax = 0;
    float Direction = 0; // 0 points along +y
    float Spread = 0;
    uint8_t Relative = 0; // non-zero: direction turned by the emitter's movement
    uint8_t Padding41[3] = {};
    float SpeedMin = 0, SpeedMax = 0;
    float GravityMin = 0, GravityMax = 0;
    float RadialMin = 0, RadialMax = 0;
    float TangentialMin = 0, TangentialMax = 0;
    float SizeStart = 0, SizeMiddle = 0, SizeEnd = 0;
    float SizeVar = 0;
    float SpinStart = 0, SpinMiddle = 0, SpinEnd = 0;
    float SpinVar = 0;
    uint32_t ColorStart = 0, ColorMiddle = 0, ColorEnd = 0;
    float ColorVar = 0; // randomness of the starting red, green and blue
    float AlphaVar = 0;
    float MiddleTime = 0; // phase change as a fraction of the particle's life
    uint8_t DrawReverse = 0;
    uint8_t Padding133[3] = {};

    friend bool operator==(const TParticleScript&, const TParticleScript&) = default;
};

constexpr size_t kParticleScriptSize = 136;

// Reads the first 136 bytes; a shorter record fills what it has and leaves the rest zero
// (a field cut in the middle gets its low bytes). Never reads past the buffer.
TParticleScript ParseParticleScript(std::span<const uint8_t> bytes);

// Exactly 136 bytes in the record layout; ParseParticleScript gives the script back.
std::vector<uint8_t> SerializeParticleScript(const TParticleScript& script);
