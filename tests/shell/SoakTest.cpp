// A short soak: whole games played from the intro; the sanitizer build checks the memory of
// every step of it.
#include "shell/Unit1.h"
#include "support/GameFolder.h"
#include "tools/runner/GameRunner.h"
#include "tools/runner/Soak.h"
#include <gtest/gtest.h>

TEST(SoakTest, AutoplayKeepsGoingThroughLevelsAndGames) {
    TGameFolder folder("soak");
    folder.Write("console.ini", "");
    TGameRunner runner(folder.Path(), 5, false);
    ASSERT_TRUE(runner.Start());
    int reports = 0;
    const TSoakResult r = RunSoak(runner, 60, 20, [&](int moves) {
        ++reports;
        EXPECT_EQ(moves % 20, 0);
    });
    EXPECT_EQ(r.stopped, "");
    EXPECT_EQ(r.moves, 60);
    EXPECT_EQ(reports, 3);
    EXPECT_GT(r.levelsWon + r.levelsSkipped, 0) << "the soak got past a level";
    EXPECT_FALSE(runner.Form().Closed());
}
