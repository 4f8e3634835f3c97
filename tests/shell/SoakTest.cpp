// A short soak: the game autoplayed through its level flow; the sanitizer build checks the
// memory of every step of it.
#include "shell/Unit1.h"
#include "support/GameFolder.h"
#include "tools/runner/GameRunner.h"
#include "tools/runner/Soak.h"
#include <gtest/gtest.h>

TEST(SoakTest, AutoplayKeepsGoingThroughLevelsAndGames) {
    TGameFolder folder("soak");
    TGameRunner runner(folder.Path(), 5, false);
    ASSERT_TRUE(runner.Start());
    runner.RunFrames(300);
    runner.Form().Game.ShowHowToPlay = 0;
    const TSoakResult r = RunSoak(runner, 40);
    EXPECT_EQ(r.stopped, "");
    EXPECT_EQ(r.moves, 40);
    EXPECT_FALSE(runner.Form().Closed());
    const uint8_t state = runner.Form().Game.ScreenState;
    EXPECT_TRUE(state == 13 || state == 29 || state == 16 || state == 14) << int(state);
}
