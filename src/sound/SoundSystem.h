#pragma once
#include "platform/Audio.h"
#include <array>
#include <string_view>

// The game's three songs and 23 effects on the platform's audio. Volumes are the game's
// 0..250 settings, mapped onto the mixer's scale. Missing files leave that song or effect
// silent; nothing else changes.
class TSoundSystem {
public:
    static constexpr int kEffectCount = 23;

    explicit TSoundSystem(platform::Audio& audio) : audio_(audio) {}
    ~TSoundSystem();
    TSoundSystem(const TSoundSystem&) = delete;
    TSoundSystem& operator=(const TSoundSystem&) = delete;

    // 44100 Hz, 64 channels. False when there is no sound device (the game goes on silently).
    bool Start();
    // Loads "Sounds/1.xm".."Sounds/3.xm" at the given volume, looping, and plays the first.
    void LoadMusic(int musicVolume);
    // Opens the 23 effect files in slot order.
    void LoadEffects();
    // Restarts the effect rather than overlapping it. Unknown names do nothing.
    void PlayEffect(std::string_view name, int soundVolume);

    // Songs are numbered 1..3; other numbers do nothing.
    void PlaySong(int song);
    void StopSong(int song);
    void SetMusicVolume(int musicVolume);
    // Frees the songs, then closes the device.
    void Shutdown();

    // The platform's handle of song 1..3, 0 for none.
    platform::MusicId SongId(int song) const {
        return song >= 1 && song <= 3 ? songs_[size_t(song - 1)] : 0;
    }
    // 0..250 onto 0..128, rounded.
    static int MixerVolume(int volume);
    // Slot of an effect name (case-sensitive), or -1.
    static int EffectSlot(std::string_view name);
    static const char* EffectFile(int slot);

private:
    struct Slot {
        platform::SoundId sound = 0;
        int channel = -1;
        bool playing = false;
    };
    platform::Audio& audio_;
    bool started_ = false;
    std::array<platform::MusicId, 3> songs_{};
    std::array<Slot, kEffectCount> effects_{};
};
