#include "board/GameWorld.h"
#include "sound/SoundSystem.h"

void TGameWorld::PlayEffect(std::string_view name) const {
    if (Sound && State) Sound->PlayEffect(name, State->SoundVolume);
}
