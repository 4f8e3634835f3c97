// A particle script record, then a few seconds of the effect it describes.
#include "engine/ParticleScript.h"
#include "engine/Random.h"
#include "engine/XParticles.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TRandom random(1);
    TXParticleManager manager(nullptr, random);
    manager.AddScript("f.pss", std::span<const uint8_t>(data, size));
    if (TXParticleSystem* fx = manager.Spawn("f.pss", 400, 300)) {
        fx->AddEmitterPoint(3, 4);
        for (int i = 0; i < 50; ++i) {
            manager.Update(0.01);
            if (manager.Count() == 0) break;
        }
    }
    return 0;
}
