#include "sound/SoundSystem.h"
#include <algorithm>
#include <cmath>
#include <string>

namespace {

struct Effect {
    const char* name;
    const char* file;
};

// Two names differ from their files on purpose: callers and the installed files both rely on them.
constexpr Effect kEffects[TSoundSystem::kEffectCount] = {
    {"check", "Sounds/check.wav"},          {"lostlife", "Sounds/lostlife.wav"},
    {"startlevel", "Sounds/startlevel.wav"}, {"gameover", "Sounds/gameover.wav"},
    {"stagecomplete", "Sounds/stagecomplete.wav"}, {"blowfishka", "Sounds/blowfishka.wav"},
    {"sound", "Sounds/sound.wav"},          {"lightning", "Sounds/lightning.wav"},
    {"lazer", "Sounds/lazzzer.wav"},        {"addpart", "Sounds/addpart.wav"},
    {"bubble", "Sounds/bubble.wav"},        {"firego", "Sounds/firego.wav"},
    {"combogo", "Sounds/combogo.wav"},      {"spricgo", "Sounds/spricgo.wav"},
    {"mixturago", "Sounds/mixturago.wav"},  {"drugsgo", "Sounds/drugsgo.wav"},
    {"mixgo", "Sounds/mixgo.wav"},          {"gotabl", "Sounds/gotabl.wav"},
    {"gotabl2", "Sounds/gotabl2.wav"},      {"clock", "Sounds/clock.wav"},
    {"newcoin", "Sounds/newcoin.wav"},      {"ok", "Sounds/ok.wav"},
    {"selfishka", "Sounds/selectfishka.wav"},
};

constexpr const char* kSongs[3] = {"Sounds/1.xm", "Sounds/2.xm", "Sounds/3.xm"};

} // namespace

TSoundSystem::~TSoundSystem() { Shutdown(); }

int TSoundSystem::MixerVolume(int volume) {
    return int(std::lround(std::clamp(volume, 0, 250) * 128.0 / 250.0));
}

int TSoundSystem::EffectSlot(std::string_view name) {
    for (int i = 0; i < kEffectCount; ++i)
        if (name == kEffects[i].name) return i;
    return -1;
}

const char* TSoundSystem::EffectFile(int slot) {
    return slot >= 0 && slot < kEffectCount ? kEffects[slot].file : nullptr;
}

bool TSoundSystem::Start() {
    started_ = audio_.Open(44100, 64);
    return started_;
}

void TSoundSystem::LoadMusic(int musicVolume) {
    for (int i = 0; i < 3; ++i) {
        songs_[i] = audio_.LoadMusic(kSongs[i]);
        audio_.SetMusicVolume(songs_[i], MixerVolume(musicVolume));
    }
    PlaySong(1);
}

void TSoundSystem::LoadEffects() {
    for (int i = 0; i < kEffectCount; ++i) {
        effects_[i].sound = audio_.LoadSound(kEffects[i].file);
        effects_[i].channel = -1;
        effects_[i].playing = false;
    }
}

void TSoundSystem::PlayEffect(std::string_view name, int soundVolume) {
    const int slot = EffectSlot(name);
    if (slot < 0) return;
    Slot& s = effects_[slot];
    if (s.playing) {
        audio_.StopSound(s.sound, s.channel);
        s.channel = -1;
        s.playing = false;
    }
    s.channel = audio_.PlaySound(s.sound);
    s.playing = s.channel >= 0;
    if (s.playing) audio_.SetChannelVolume(s.channel, MixerVolume(soundVolume));
}

void TSoundSystem::PlaySong(int song) {
    if (song >= 1 && song <= 3) audio_.PlayMusic(songs_[song - 1], true);
}

void TSoundSystem::StopSong(int song) {
    if (song >= 1 && song <= 3) audio_.StopMusic(songs_[song - 1]);
}

void TSoundSystem::SetMusicVolume(int musicVolume) {
    for (platform::MusicId id : songs_) audio_.SetMusicVolume(id, MixerVolume(musicVolume));
}

void TSoundSystem::Shutdown() {
    if (!started_) return;
    for (platform::MusicId& id : songs_) {
        audio_.FreeMusic(id);
        id = 0;
    }
    audio_.Close();
    started_ = false;
}
