#include "screens/SettingsFile.h"
#include "screens/BitCodec.h"
#include "screens/HighScores.h"
#include "screens/Profiles.h"
#include "shell/GameState.h"
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;
using namespace BitCodec;

namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A folder of its own for each test.
class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("kelvora_settings_" +
                std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "Config.cfg").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    // A state unlike the defaults in every item the file holds.
    static TGameState Played() {
        TGameState s;
        s.FullScreen = 1;
        s.Antialias = 0;
        s.VSync = 1;
        s.ShowHowToPlay = 0;
        s.ShowStory = 0;
        s.MusicVolume = 125;
        s.SoundVolume = 0;
        s.Country = "Norway";
        CreateProfile(s, "Ann Lee");
        CreateProfile(s, "Bo");
        SelectProfile(s, 0);
        InsertHighScore(s, 0, "Ann Lee", 4321);
        InsertHighScore(s, 2, "Bo", 150);
        s.KeyBindings = {68, 65, 32, 87, 13};
        return s;
    }

    static void ExpectSameSettings(const TGameState& a, const TGameState& b) {
        EXPECT_EQ(a.FullScreen, b.FullScreen);
        EXPECT_EQ(a.Antialias, b.Antialias);
        EXPECT_EQ(a.VSync, b.VSync);
        EXPECT_EQ(a.ShowHowToPlay, b.ShowHowToPlay);
        EXPECT_EQ(a.ShowStory, b.ShowStory);
        EXPECT_EQ(a.MusicVolume, b.MusicVolume);
        EXPECT_EQ(a.SoundVolume, b.SoundVolume);
        EXPECT_EQ(a.Country, b.Country);
        EXPECT_EQ(a.PlayerName, b.PlayerName);
        EXPECT_EQ(a.HighScoreTable, b.HighScoreTable);
        EXPECT_EQ(a.ProfileCount, b.ProfileCount);
        EXPECT_EQ(a.ProfileIndex, b.ProfileIndex);
        EXPECT_EQ(a.Profiles, b.Profiles);
        EXPECT_EQ(a.KeyBindings, b.KeyBindings);
    }

    fs::path dir_;
    std::string path_;
};

} // namespace

TEST_F(SettingsFileTest, LineLayoutOfTheFile) {
    TGameState s;
    s.Country = "Spain"; // exactly five characters: no padding
    CreateProfile(s, "Kim");
    const std::vector<std::string> lines = Lines(SettingsText(s));
    ASSERT_EQ(lines.size(), 77u); // one profile, four keys

    EXPECT_EQ(lines[0], EncodeFlag(0)); // FullScreen
    EXPECT_EQ(lines[1], EncodeFlag(1)); // Antialias
    EXPECT_EQ(lines[1].size(), 7u);     // "true", unpadded
    EXPECT_EQ(lines[0].size(), 8u);     // "false"
    EXPECT_EQ(lines[5], EncodeNumber(250));
    EXPECT_EQ(lines[5].size(), 16u);
    EXPECT_EQ(lines[7], EncodeGroups(EncodeBytes("Spain")));
    EXPECT_EQ(lines[8], EncodeGroups(EncodeBytes("Kim%%")));
    EXPECT_EQ(lines[9], EncodeText("Anonymous"));
    EXPECT_EQ(lines[10], EncodeText("1000"));
    EXPECT_EQ(lines[68], EncodeText("100")); // hard, place 10
    EXPECT_EQ(lines[69], EncodeNumber(1));
    EXPECT_EQ(lines[70], EncodeNumber(0));
    EXPECT_EQ(lines[71], EncodeGroups(EncodeBytes("Kim%%%%%%%"))); // profiles pad to 10
    EXPECT_EQ(lines[72], EncodeNumber(4));
    EXPECT_EQ(lines[73], EncodeNumber(39));
    EXPECT_EQ(lines[76], EncodeNumber(38));

    TGameState none;
    EXPECT_EQ(Lines(SettingsText(none))[7], ""); // empty country: an empty line
    EXPECT_EQ(Lines(SettingsText(none)).size(), 76u);
}

TEST_F(SettingsFileTest, RoundTrip) {
    TGameState saved = Played();
    ASSERT_TRUE(SaveSettings(saved, path_));
    EXPECT_FALSE(fs::exists(path_ + ".tmp"));
    TGameState loaded;
    EXPECT_EQ(LoadSettings(loaded, path_), TSettingsLoad::Loaded);
    ExpectSameSettings(loaded, saved);
    EXPECT_TRUE(fs::exists(path_)); // a good file stays where it is

    // Saving again gives the same bytes.
    const std::string first = ReadAll(path_);
    ASSERT_TRUE(SaveSettings(loaded, path_));
    EXPECT_EQ(ReadAll(path_), first);
}

TEST_F(SettingsFileTest, MissingFileKeepsDefaults) {
    TGameState s;
    EXPECT_EQ(LoadSettings(s, path_), TSettingsLoad::Missing);
    ExpectSameSettings(s, TGameState());
}

TEST_F(SettingsFileTest, EmptyStoredTextsKeepTheDefaultsAndPercentEndsAreDropped) {
    TGameState s;
    InsertHighScore(s, 0, "", 5000); // an empty name at place 1
    s.Country = "50%";
    CreateProfile(s, "Max%");
    ASSERT_TRUE(SaveSettings(s, path_));
    EXPECT_EQ(s.Country, "50"); // the file's trailing '%' rule, applied to the state too
    EXPECT_EQ(s.PlayerName, "Max");
    TGameState loaded;
    ASSERT_EQ(LoadSettings(loaded, path_), TSettingsLoad::Loaded);
    EXPECT_EQ(loaded.HighScoreTable[0][0], (THighScoreEntry{"Anonymous", "5000"}));
    EXPECT_EQ(loaded.Country, "50");
    EXPECT_EQ(loaded.Profiles[0], "Max");
}

TEST_F(SettingsFileTest, DamagedFilesKeepDefaultsAndAreKeptAside) {
    const std::vector<std::string> good = Lines(SettingsText(Played()));
    auto join = [](const std::vector<std::string>& lines, size_t count) {
        std::string text;
        for (size_t i = 0; i < count && i < lines.size(); ++i) text += lines[i] + "\n";
        return text;
    };
    auto replaced = [&](size_t index, const std::string& line) {
        std::vector<std::string> lines = good;
        lines[index] = line;
        return join(lines, lines.size());
    };
    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += char((i * 131 + 7) & 0xFF);

    struct Case {
        const char* what;
        std::string text;
        // What must have been read anyway, or kept at its default.
        std::function<void(const TGameState&)> check;
    };
    const TGameState defaults;
    const TGameState played = Played();
    const Case cases[] = {
        {"empty file", "",
         [&](const TGameState& s) {
             EXPECT_EQ(s.FullScreen, defaults.FullScreen);
             EXPECT_EQ(s.KeyBindings, defaults.KeyBindings);
         }},
        {"binary garbage", binary,
         [&](const TGameState& s) {
             EXPECT_EQ(s.MusicVolume, defaults.MusicVolume);
             EXPECT_EQ(s.ProfileCount, 0);
             EXPECT_EQ(s.KeyBindings, defaults.KeyBindings);
         }},
        {"cut after the volumes", join(good, 7),
         [&](const TGameState& s) {
             EXPECT_EQ(s.FullScreen, 1);
             EXPECT_EQ(s.MusicVolume, 125);
             EXPECT_EQ(s.Country, defaults.Country);
             EXPECT_EQ(s.HighScoreTable, defaults.HighScoreTable);
             EXPECT_EQ(s.ProfileCount, 0);
         }},
        {"cut in the middle of a name", join(good, 9) + good[9].substr(0, 5),
         [&](const TGameState& s) {
             EXPECT_EQ(s.Country, played.Country);
             EXPECT_EQ(s.HighScoreTable, defaults.HighScoreTable); // no half-decoded name
         }},
        {"foreign characters in a profile name", replaced(71, good[71] + "zzzzzzzz"),
         [&](const TGameState& s) {
             EXPECT_EQ(s.ProfileCount, 0);
             EXPECT_EQ(s.HighScoreTable, played.HighScoreTable);
         }},
        {"cut inside the profile names", join(good, 72),
         [&](const TGameState& s) {
             EXPECT_EQ(s.HighScoreTable, played.HighScoreTable);
             EXPECT_EQ(s.ProfileCount, 1); // the name that is there is kept
             EXPECT_EQ(s.Profiles[0], "Ann Lee");
             EXPECT_EQ(s.KeyBindings, defaults.KeyBindings);
         }},
        {"cut inside the keys", join(good, good.size() - 1),
         [&](const TGameState& s) {
             EXPECT_EQ(s.ProfileCount, 2);
             EXPECT_EQ(s.KeyBindings, defaults.KeyBindings);
         }},
        {"huge profile count", replaced(69, EncodeNumber(1000000000)),
         [&](const TGameState& s) {
             EXPECT_EQ(s.ProfileCount, 0);
             EXPECT_EQ(s.HighScoreTable, played.HighScoreTable);
             EXPECT_EQ(s.KeyBindings, defaults.KeyBindings);
         }},
        {"negative profile count", replaced(69, EncodeNumber(-3)),
         [&](const TGameState& s) { EXPECT_EQ(s.ProfileCount, 0); }},
        {"current profile beyond the list", replaced(70, EncodeNumber(7)),
         [&](const TGameState& s) {
             EXPECT_EQ(s.ProfileCount, 2);
             EXPECT_EQ(s.ProfileIndex, 0);
             EXPECT_EQ(s.KeyBindings, played.KeyBindings);
         }},
        {"huge key count", replaced(73, EncodeNumber(22)),
         [&](const TGameState& s) { EXPECT_EQ(s.KeyBindings, defaults.KeyBindings); }},
        {"fewer keys than the game reads", replaced(73, EncodeNumber(2)),
         [&](const TGameState& s) { EXPECT_EQ(s.KeyBindings, defaults.KeyBindings); }},
        {"key code out of range", replaced(74, EncodeNumber(4096)),
         [&](const TGameState& s) { EXPECT_EQ(s.KeyBindings, defaults.KeyBindings); }},
        {"volume not a number", replaced(5, EncodeText("loud")),
         [&](const TGameState& s) {
             EXPECT_EQ(s.MusicVolume, defaults.MusicVolume);
             EXPECT_EQ(s.SoundVolume, 0); // the next line is read all the same
             EXPECT_EQ(s.KeyBindings, played.KeyBindings);
         }},
        {"volume out of range", replaced(6, EncodeNumber(99999)),
         [&](const TGameState& s) { EXPECT_EQ(s.SoundVolume, defaults.SoundVolume); }},
        {"flag that is neither", replaced(0, EncodeText("maybe")),
         [&](const TGameState& s) {
             EXPECT_EQ(s.FullScreen, defaults.FullScreen);
             EXPECT_EQ(s.Antialias, 0);
         }},
        {"score that is not a number", replaced(10, EncodeText("lots")),
         [&](const TGameState& s) {
             EXPECT_EQ(s.HighScoreTable[0][0].Score, "1000"); // the default stays
             EXPECT_EQ(s.HighScoreTable[0][0].Name, "Ann Lee");
             EXPECT_EQ(s.HighScoreTable[0][1].Score, "1000");
             TGameState copy = s;
             EXPECT_TRUE(InsertHighScore(copy, 0, "x", 200));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        WriteAll(path_, c.text);
        TGameState s;
        EXPECT_EQ(LoadSettings(s, path_), TSettingsLoad::Damaged);
        c.check(s);
        // Kept aside byte for byte; the next save writes a fresh file.
        EXPECT_FALSE(fs::exists(path_));
        EXPECT_EQ(ReadAll(path_ + ".damaged"), c.text);
        ASSERT_TRUE(SaveSettings(s, path_));
        TGameState again;
        EXPECT_EQ(LoadSettings(again, path_), TSettingsLoad::Loaded);
    }
}

TEST_F(SettingsFileTest, AnEmptyFlagLineReadsAsOne) {
    TGameState s;
    s.ShowStory = 0;
    std::vector<std::string> lines = Lines(SettingsText(s));
    lines[4] = "";
    std::string text;
    for (const auto& l : lines) text += l + "\r\n"; // a file from Windows reads the same
    TGameState loaded;
    EXPECT_TRUE(ParseSettings(text, loaded));
    EXPECT_EQ(loaded.ShowStory, 1);
}

TEST_F(SettingsFileTest, EarlierDamagedCopiesAreNotOverwritten) {
    WriteAll(path_ + ".damaged", "first");
    WriteAll(path_, "second");
    TGameState s;
    EXPECT_EQ(LoadSettings(s, path_), TSettingsLoad::Damaged);
    EXPECT_EQ(ReadAll(path_ + ".damaged"), "first");
    EXPECT_EQ(ReadAll(path_ + ".damaged.1"), "second");
}

TEST_F(SettingsFileTest, AFailedWriteKeepsTheOldFile) {
    TGameState old = Played();
    ASSERT_TRUE(SaveSettings(old, path_));
    const std::string before = ReadAll(path_);

    TGameState changed;
    changed.MusicVolume = 25;
    // The disk gives out half way through.
    const TByteSink failing = [](std::ostream& out, std::string_view bytes) {
        out.write(bytes.data(), std::streamsize(bytes.size() / 2));
        return false;
    };
    EXPECT_FALSE(SaveSettings(changed, path_, failing));
    EXPECT_EQ(ReadAll(path_), before);
    EXPECT_FALSE(fs::exists(path_ + ".tmp"));

    // The temporary cannot even be made.
    fs::create_directories(path_ + ".tmp/blocked");
    EXPECT_FALSE(SaveSettings(changed, path_));
    EXPECT_EQ(ReadAll(path_), before);
    fs::remove_all(path_ + ".tmp");
    EXPECT_TRUE(SaveSettings(changed, path_));
    TGameState loaded;
    ASSERT_EQ(LoadSettings(loaded, path_), TSettingsLoad::Loaded);
    EXPECT_EQ(loaded.MusicVolume, 25);
}

// The fuzzer's seed file is a real settings file (the codec written anew by someone else).
TEST_F(SettingsFileTest, FuzzSeedReadsCleanly) {
    std::ifstream seed(std::string(KELVORA_SOURCE_DIR) + "/fuzz/corpus/settings/config.cfg",
                       std::ios::binary);
    ASSERT_TRUE(seed);
    const std::string text{std::istreambuf_iterator<char>(seed), {}};
    TGameState s;
    EXPECT_TRUE(ParseSettings(text, s));
    EXPECT_EQ(s.Country, "Norway");
    EXPECT_EQ(s.SoundVolume, 200);
    EXPECT_EQ(s.Profiles[0], "Ann");
    EXPECT_EQ(SettingsText(s), text);
}
