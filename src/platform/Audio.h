#pragma once
#include <string>

namespace platform {

using MusicId = int; // 0: none
using SoundId = int; // 0: none

// Music modules and short sound effects. Volumes are 0..128. There is one music stream:
// playing a song replaces whichever was playing.
class Audio {
public:
    virtual ~Audio() = default;
    virtual bool Open(int rate, int channels) = 0;
    virtual void Close() = 0;

    virtual MusicId LoadMusic(const std::string& path) = 0; // 0 when it cannot be read
    virtual void FreeMusic(MusicId music) = 0;
    virtual void PlayMusic(MusicId music, bool loop) = 0;
    // Stops the song only if it is the one playing.
    virtual void StopMusic(MusicId music) = 0;
    virtual void SetMusicVolume(MusicId music, int volume) = 0;

    virtual SoundId LoadSound(const std::string& path) = 0; // 0 when it cannot be read
    // The channel it plays on, or -1.
    virtual int PlaySound(SoundId sound) = 0;
    // Stops the channel if it still plays that sound (channels are reused).
    virtual void StopSound(SoundId sound, int channel) = 0;
    virtual void SetChannelVolume(int channel, int volume) = 0;
};

} // namespace platform
