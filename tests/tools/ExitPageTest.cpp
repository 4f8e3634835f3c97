#include "tools/ExitPage.h"
#include "platform/headless/HeadlessPlatform.h"
#include "screens/ShareScreen.h"
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

TEST(ExitPageTest, PictureList) {
    std::vector<TExitPicture> pictures;
    std::string error;
    ASSERT_TRUE(ParseExitPictures("# comment\n\nback.svg 800 600 back.png  # trailing\n"
                                  "b.svg 20 10 b.png\n",
                                  pictures, error))
        << error;
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[0].source, "back.svg");
    EXPECT_EQ(pictures[0].width, 800);
    EXPECT_EQ(pictures[1].output, "b.png");
    for (const char* bad :
         {"a.svg 10\n", "a.svg 10 10\n", "a.svg x 10 a.png\n", "a.svg 0 10 a.png\n",
          "a.svg 10 10 ../a.png\n", "a.svg 10 10 a.png extra\n"}) {
        std::vector<TExitPicture> none;
        EXPECT_FALSE(ParseExitPictures(std::string("ok.svg 1 1 ok.png\n") + bad, none, error))
            << bad;
        EXPECT_NE(error.find("pictures.txt:2"), std::string::npos) << error;
    }
}

// The game's own exit page, as the build puts it in the runtime folder.
TEST(ExitPageTest, RuntimeExitPageIsValidAndItsLinksExist) {
    const fs::path old = fs::current_path();
    fs::current_path(KELVORA_RUNTIME_DIR);
    TShareScreen screen;
    EXPECT_TRUE(screen.LoadLayout(nullptr));
    ASSERT_GE(screen.Buttons.size(), 2u);
    EXPECT_TRUE(screen.Buttons.back().IsExit());
    EXPECT_GT(screen.Countdown, 0);
    platform::headless::RecordingShell shell;
    for (const auto& b : screen.Buttons) {
        ASSERT_TRUE(b.NormalPicture && b.HoverPicture && b.CountdownPicture);
        if (b.IsExit()) continue;
        EXPECT_TRUE(TShareScreen::OpenFile(shell, b.Target)) << b.Target;
    }
    // play.url leads to a page that is there.
    EXPECT_TRUE(TShareScreen::OpenLink(shell));
    ASSERT_FALSE(shell.opened.empty());
    EXPECT_TRUE(fs::exists(shell.opened.back())) << shell.opened.back();
    fs::current_path(old);
}
