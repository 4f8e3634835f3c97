#include "platform/GameFolder.h"
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("kelvora-folder-" + std::to_string(getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "bin");
        fs::create_directories(root_ / "share" / "Data");
        fs::create_directories(root_ / "share" / "Sounds");
        std::ofstream(root_ / "share" / "Data" / "data.fgg") << "archive";
        std::ofstream(root_ / "share" / "play.url") << "[InternetShortcut]\n";
        const char* old = std::getenv("XDG_DATA_HOME");
        savedXdg_ = old ? old : "";
        hadXdg_ = old != nullptr;
        setenv("XDG_DATA_HOME", (root_ / "home").c_str(), 1);
    }
    void TearDown() override {
        if (hadXdg_) setenv("XDG_DATA_HOME", savedXdg_.c_str(), 1);
        else unsetenv("XDG_DATA_HOME");
        fs::remove_all(root_);
    }
    fs::path root_;
    std::string savedXdg_;
    bool hadXdg_ = false;
};

} // namespace

TEST_F(GameFolderTest, ARuntimeFolderBesideTheProgramIsUsedAsItIs) {
    fs::create_directories(root_ / "bin" / "Data");
    std::ofstream(root_ / "bin" / "Data" / "data.fgg") << "archive";
    EXPECT_EQ(platform::PrepareGameFolder(root_ / "bin", root_ / "share"), root_ / "bin");
    EXPECT_FALSE(fs::exists(root_ / "home")) << "nothing is made in the player's folders";
}

TEST_F(GameFolderTest, AnInstalledGameRunsInAPerUserFolderLinkedToItsData) {
    const auto folder = platform::PrepareGameFolder(root_ / "bin", root_ / "share");
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, root_ / "home" / "kelvora");
    EXPECT_TRUE(fs::is_symlink(*folder / "Data"));
    EXPECT_EQ(fs::read_symlink(*folder / "Sounds"), root_ / "share" / "Sounds");
    EXPECT_TRUE(fs::is_regular_file(*folder / "Data" / "data.fgg"));
    EXPECT_FALSE(fs::exists(fs::symlink_status(*folder / "wdata"))) << "absent data, no link";

    // The player's own files stay; a link left by another installation is renewed.
    std::ofstream(*folder / "Config.cfg") << "settings";
    fs::remove(*folder / "Sounds");
    fs::create_symlink(root_ / "elsewhere", *folder / "Sounds");
    ASSERT_TRUE(platform::PrepareGameFolder(root_ / "bin", root_ / "share"));
    EXPECT_EQ(fs::read_symlink(*folder / "Sounds"), root_ / "share" / "Sounds");
    std::ifstream in(*folder / "Config.cfg");
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "settings");
}

TEST_F(GameFolderTest, WithoutDataThereIsNoFolder) {
    fs::remove_all(root_ / "share" / "Data");
    EXPECT_FALSE(platform::PrepareGameFolder(root_ / "bin", root_ / "share"));
}
