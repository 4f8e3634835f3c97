#include "platform/headless/RecordingAudio.h"
#include "sound/SoundSystem.h"
#include <gtest/gtest.h>

using platform::headless::RecordingAudio;

namespace {

struct SoundRig {
    RecordingAudio audio;
    TSoundSystem sound{audio};
    SoundRig() {
        EXPECT_TRUE(sound.Start());
        sound.LoadMusic(250);
        sound.LoadEffects();
        audio.log.clear();
    }
};

} // namespace

TEST(SoundSystemTest, EffectNamesMapToTheirFiles) {
    struct Case {
        const char* name;
        const char* file;
    };
    const Case cases[] = {{"check", "Sounds/check.wav"},
                          {"lazer", "Sounds/lazzzer.wav"},
                          {"selfishka", "Sounds/selectfishka.wav"},
                          {"ok", "Sounds/ok.wav"}};
    for (const Case& c : cases) {
        SoundRig rig;
        rig.sound.PlayEffect(c.name, 250);
        ASSERT_EQ(rig.audio.SoundsPlayed().size(), 1u) << c.name;
        EXPECT_EQ(rig.audio.SoundsPlayed()[0], c.file);
    }
    SoundRig rig;
    rig.sound.PlayEffect("Check", 250); // names are case-sensitive
    rig.sound.PlayEffect("nothing", 250);
    EXPECT_TRUE(rig.audio.SoundsPlayed().empty());
}

TEST(SoundSystemTest, ARepeatedEffectRestartsInsteadOfOverlapping) {
    SoundRig rig;
    rig.sound.PlayEffect("check", 250);
    rig.sound.PlayEffect("check", 100);
    EXPECT_EQ(rig.audio.log, (std::vector<std::string>{"sound Sounds/check.wav on 0",
                                                       "stop Sounds/check.wav on 0",
                                                       "sound Sounds/check.wav on 1"}));
    EXPECT_EQ(rig.audio.channelVolume[0], 128) << "a lower volume leaves a sounding effect alone";
    EXPECT_EQ(rig.audio.channelVolume[1], TSoundSystem::MixerVolume(100));
}

TEST(SoundSystemTest, VolumesMapOntoTheMixerScale) {
    struct Case {
        int game, mixer;
    };
    for (const Case c : {Case{0, 0}, {25, 13}, {125, 64}, {250, 128}, {300, 128}, {-5, 0}})
        EXPECT_EQ(TSoundSystem::MixerVolume(c.game), c.mixer) << c.game;
    SoundRig rig;
    rig.sound.SetMusicVolume(0);
    for (const auto& [id, volume] : rig.audio.musicVolume) EXPECT_EQ(volume, 0);
    EXPECT_NE(rig.audio.playingMusic, 0) << "the song goes on at zero volume";
}

TEST(SoundSystemTest, SongsStartLoopAndSwitch) {
    RecordingAudio audio;
    {
        TSoundSystem sound(audio);
        sound.Start();
        sound.LoadMusic(200);
        EXPECT_EQ(audio.log.back(), "play music 1 looped");
        EXPECT_EQ(audio.musicVolume[1], TSoundSystem::MixerVolume(200));
        sound.StopSong(1);
        sound.PlaySong(2);
        EXPECT_EQ(audio.playingMusic, 2);
        sound.StopSong(3); // not playing: nothing stops
        EXPECT_EQ(audio.playingMusic, 2);
        sound.PlaySong(7);
        EXPECT_EQ(audio.playingMusic, 2);
    }
    // Shut-down frees the songs, then closes the device.
    const std::vector<std::string> tail(audio.log.end() - 4, audio.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"free music 1", "free music 2", "free music 3", "close"}));
}

TEST(SoundSystemTest, MissingFilesLeaveTheGameSilent) {
    RecordingAudio audio;
    audio.loadEverything = false; // nothing exists in the test's folder
    TSoundSystem sound(audio);
    sound.Start();
    sound.LoadMusic(250);
    sound.LoadEffects();
    sound.PlayEffect("check", 250);
    sound.PlaySong(2);
    EXPECT_TRUE(audio.SoundsPlayed().empty());
    EXPECT_EQ(audio.playingMusic, 0);
}
