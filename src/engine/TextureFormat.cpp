#include "engine/TextureFormat.h"
#include <algorithm>
#include <vector>

namespace {

using F = TTextureFormat;

const std::vector<F>& Preferences(int alphaLevel, int quality) {
    static const std::vector<F> none[3] = {
        {F::R3G3B2, F::R5G6B5, F::X1R5G5B5, F::X4R4G4B4, F::X8R8G8B8},
        {F::R5G6B5, F::X8R8G8B8, F::X1R5G5B5, F::X4R4G4B4, F::R3G3B2},
        {F::X8R8G8B8, F::R5G6B5, F::X1R5G5B5, F::X4R4G4B4, F::R3G3B2}};
    static const std::vector<F> oneBit = {F::A1R5G5B5, F::A4R4G4B4, F::A8R8G8B8, F::A8R3G3B2};
    static const std::vector<F> full[3] = {{F::A4R4G4B4, F::A8R8G8B8, F::A1R5G5B5, F::A8R3G3B2},
                                           {F::A4R4G4B4, F::A8R8G8B8, F::A8R3G3B2, F::A1R5G5B5},
                                           {F::A8R8G8B8, F::A4R4G4B4, F::A8R3G3B2, F::A1R5G5B5}};
    static const std::vector<F> alphaOnly = {F::A8, F::A8R3G3B2, F::A8R8G8B8, F::A4R4G4B4,
                                             F::A1R5G5B5};
    const int q = std::clamp(quality, 0, 2);
    switch (alphaLevel) {
    case 0: return none[q];
    case 1: return oneBit;
    case 3: return alphaOnly;
    default: return full[q];
    }
}

} // namespace

TTextureFormat ChooseTextureFormat(int alphaLevel, int quality,
                                   std::initializer_list<TTextureFormat> supported) {
    for (F f : Preferences(alphaLevel, quality))
        if (std::find(supported.begin(), supported.end(), f) != supported.end()) return f;
    return F::A8R8G8B8;
}
