#pragma once
#include "platform/Audio.h"
#include <map>
#include <string>
#include <vector>

namespace platform::headless {

// Keeps a log of every call ("play music 2", "sound 5 on 0", ...) and the loaded files.
// A file loads when it exists on disk, or always when `loadEverything` is set.
class RecordingAudio final : public Audio {
public:
    bool Open(int rate, int channels) override;
    void Close() override;
    MusicId LoadMusic(const std::string& path) override;
    void FreeMusic(MusicId music) override;
    void PlayMusic(MusicId music, bool loop) override;
    void StopMusic(MusicId music) override;
    void SetMusicVolume(MusicId music, int volume) override;
    SoundId LoadSound(const std::string& path) override;
    int PlaySound(SoundId sound) override;
    void StopSound(SoundId sound, int channel) override;
    void SetChannelVolume(int channel, int volume) override;

    std::vector<std::string> log;
    std::map<int, std::string> files; // id -> path, music and sounds alike
    std::map<MusicId, int> musicVolume;
    std::map<int, int> channelVolume;
    MusicId playingMusic = 0;
    bool loadEverything = true;
    bool open = false;
    int channels = 0;

    // Forgets the calls so far (long runs would otherwise keep every one).
    void ClearLog() {
        log.clear();
        log.shrink_to_fit();
        played_.clear();
        played_.shrink_to_fit();
    }
    // Names of the sound files started, in order.
    std::vector<std::string> SoundsPlayed() const { return played_; }

private:
    int next_ = 1;
    int nextChannel_ = 0;
    std::vector<std::string> played_;
};

} // namespace platform::headless
