// The asset compiler's particle text format.
#include "tools/ParticleText.h"
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TParticleScript s;
    std::string error;
    ParseParticleText(std::string(reinterpret_cast<const char*>(data), size), "fuzz", s, error);
    return 0;
}
