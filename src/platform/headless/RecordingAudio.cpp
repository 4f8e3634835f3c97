#include "platform/headless/RecordingAudio.h"
#include <filesystem>

namespace platform::headless {

bool RecordingAudio::Open(int rate, int count) {
    open = true;
    channels = count;
    log.push_back("open " + std::to_string(rate) + " " + std::to_string(count));
    return true;
}

void RecordingAudio::Close() {
    open = false;
    log.push_back("close");
}

MusicId RecordingAudio::LoadMusic(const std::string& path) {
    std::error_code ec;
    if (!loadEverything && !std::filesystem::exists(path, ec)) return 0;
    files[next_] = path;
    log.push_back("load music " + path);
    return next_++;
}

void RecordingAudio::FreeMusic(MusicId music) {
    if (music == 0) return;
    if (playingMusic == music) playingMusic = 0;
    log.push_back("free music " + std::to_string(music));
}

void RecordingAudio::PlayMusic(MusicId music, bool loop) {
    if (music == 0) return;
    playingMusic = music;
    log.push_back("play music " + std::to_string(music) + (loop ? " looped" : ""));
}

void RecordingAudio::StopMusic(MusicId music) {
    if (music == 0) return;
    if (playingMusic == music) playingMusic = 0;
    log.push_back("stop music " + std::to_string(music));
}

void RecordingAudio::SetMusicVolume(MusicId music, int volume) {
    if (music == 0) return;
    musicVolume[music] = volume;
}

SoundId RecordingAudio::LoadSound(const std::string& path) {
    std::error_code ec;
    if (!loadEverything && !std::filesystem::exists(path, ec)) return 0;
    files[next_] = path;
    return next_++;
}

int RecordingAudio::PlaySound(SoundId sound) {
    if (sound == 0 || !open) return -1;
    const int channel = nextChannel_;
    nextChannel_ = (nextChannel_ + 1) % (channels > 0 ? channels : 1);
    played_.push_back(files[sound]);
    log.push_back("sound " + files[sound] + " on " + std::to_string(channel));
    return channel;
}

void RecordingAudio::StopSound(SoundId sound, int channel) {
    if (sound == 0 || channel < 0) return;
    log.push_back("stop " + files[sound] + " on " + std::to_string(channel));
}

void RecordingAudio::SetChannelVolume(int channel, int volume) {
    if (channel >= 0) channelVolume[channel] = volume;
}

} // namespace platform::headless
