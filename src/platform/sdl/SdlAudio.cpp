#include "platform/sdl/SdlAudio.h"
#include <SDL.h>
#include <SDL_mixer.h>
#include <cstdio>
#include <map>

namespace platform::sdl {
namespace {

class SdlAudio final : public Audio {
public:
    ~SdlAudio() override { Close(); }

    bool Open(int rate, int channels) override {
        if (open_) return true;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "kelvora: no sound: %s\n", SDL_GetError());
            return false;
        }
        Mix_Init(MIX_INIT_MOD);
        if (Mix_OpenAudio(rate, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
            std::fprintf(stderr, "kelvora: no sound: %s\n", Mix_GetError());
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        Mix_AllocateChannels(channels);
        open_ = true;
        return true;
    }

    void Close() override {
        if (!open_) return;
        Mix_HaltMusic();
        Mix_HaltChannel(-1);
        for (auto& [id, m] : music_) Mix_FreeMusic(m.music);
        for (auto& [id, c] : sounds_) Mix_FreeChunk(c);
        music_.clear();
        sounds_.clear();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        open_ = false;
        current_ = 0;
    }

    MusicId LoadMusic(const std::string& path) override {
        if (!open_) return 0;
        Mix_Music* m = Mix_LoadMUS(path.c_str());
        if (!m) return 0;
        music_[next_] = Song{m, MIX_MAX_VOLUME};
        return next_++;
    }

    void FreeMusic(MusicId id) override {
        const auto it = music_.find(id);
        if (it == music_.end()) return;
        if (current_ == id) {
            Mix_HaltMusic();
            current_ = 0;
        }
        Mix_FreeMusic(it->second.music);
        music_.erase(it);
    }

    void PlayMusic(MusicId id, bool loop) override {
        const auto it = music_.find(id);
        if (it == music_.end()) return;
        Mix_VolumeMusic(it->second.volume);
        if (Mix_PlayMusic(it->second.music, loop ? -1 : 1) == 0) current_ = id;
    }

    void StopMusic(MusicId id) override {
        if (id != 0 && id == current_) {
            Mix_HaltMusic();
            current_ = 0;
        }
    }

    void SetMusicVolume(MusicId id, int volume) override {
        const auto it = music_.find(id);
        if (it == music_.end()) return;
        it->second.volume = volume;
        if (current_ == id) Mix_VolumeMusic(volume);
    }

    SoundId LoadSound(const std::string& path) override {
        if (!open_) return 0;
        Mix_Chunk* c = Mix_LoadWAV(path.c_str());
        if (!c) return 0;
        sounds_[next_] = c;
        return next_++;
    }

    int PlaySound(SoundId id) override {
        const auto it = sounds_.find(id);
        if (it == sounds_.end()) return -1;
        return Mix_PlayChannel(-1, it->second, 0);
    }

    void StopSound(SoundId id, int channel) override {
        const auto it = sounds_.find(id);
        if (it == sounds_.end() || channel < 0) return;
        if (Mix_Playing(channel) && Mix_GetChunk(channel) == it->second) Mix_HaltChannel(channel);
    }

    void SetChannelVolume(int channel, int volume) override {
        if (open_ && channel >= 0) Mix_Volume(channel, volume);
    }

private:
    struct Song {
        Mix_Music* music;
        int volume;
    };
    bool open_ = false;
    std::map<MusicId, Song> music_;
    std::map<SoundId, Mix_Chunk*> sounds_;
    MusicId current_ = 0;
    int next_ = 1;
};

} // namespace

std::unique_ptr<Audio> CreateSdlAudio() { return std::make_unique<SdlAudio>(); }

} // namespace platform::sdl
