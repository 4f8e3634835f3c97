#pragma once
#include <cstdint>
#include <initializer_list>

// Texture formats by their usual names; the renderer says which it can hold.
enum class TTextureFormat : uint8_t {
    R3G3B2, R5G6B5, X1R5G5B5, X4R4G4B4, X8R8G8B8, A1R5G5B5, A4R4G4B4, A8R8G8B8, A8R3G3B2, A8,
};

// The first format of the preference list for this alpha level (0 none, 1 one-bit, 2 full,
// 3 alpha only) and quality (0..2) that `supported` holds; A8R8G8B8 when none is listed.
TTextureFormat ChooseTextureFormat(int alphaLevel, int quality,
                                   std::initializer_list<TTextureFormat> supported);
