#include "platform/sdl/SdlAudio.h"
#include "sound/SoundSystem.h"
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const fs::path kRuntime = KELVORA_RUNTIME_DIR;

uint16_t U16(const std::vector<char>& b, size_t at) {
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

} // namespace

// The built effects and songs load and play through SDL_mixer (no sound card needed).
TEST(SdlAudioTest, EveryEffectAndSongOfTheGameLoadsAndPlays) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto audio = platform::sdl::CreateSdlAudio();
    ASSERT_TRUE(audio->Open(44100, 64));
    for (int slot = 0; slot < TSoundSystem::kEffectCount; ++slot) {
        const fs::path wav = kRuntime / TSoundSystem::EffectFile(slot);
        SCOPED_TRACE(wav.string());
        std::ifstream in(wav, std::ios::binary);
        std::vector<char> head(44);
        ASSERT_TRUE(in.read(head.data(), 44)) << "missing";
        EXPECT_EQ(U16(head, 22), 1) << "mono";
        EXPECT_EQ(U16(head, 34), 16) << "16-bit";
        const platform::SoundId id = audio->LoadSound(wav.string());
        ASSERT_NE(id, 0);
        EXPECT_GE(audio->PlaySound(id), 0);
    }
    for (const char* song : {"Sounds/1.xm", "Sounds/2.xm", "Sounds/3.xm"}) {
        const platform::MusicId id = audio->LoadMusic((kRuntime / song).string());
        ASSERT_NE(id, 0) << song;
        audio->PlayMusic(id, true);
        audio->StopMusic(id);
    }
    audio->Close();
}
