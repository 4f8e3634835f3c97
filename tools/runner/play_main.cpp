// kelvora_play: plays a whole game headless, from the intro to the high-score table, as a
// person would, and says how it went.
//   kelvora_play <working dir> [--seed N] [--skip SECONDS] [--shots DIR] [--frames N]
// --skip ends a level by the console's "NEXT LEVEL" once its clock falls below SECONDS (the
// working folder needs a console.ini); --shots saves a picture of every screen as it comes.
#include "shell/Unit1.h"
#include "tools/runner/GameRunner.h"
#include "tools/runner/Playthrough.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kelvora_play <working dir> [--seed N] [--skip SECONDS] "
                             "[--shots DIR] [--frames N]\n");
        return 2;
    }
    uint64_t seed = 1;
    long maxFrames = 2'000'000;
    TPlaythroughOptions options;
    std::filesystem::path shots;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seed")) seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--skip")) options.skipBelowSeconds = std::atof(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--shots")) shots = std::filesystem::absolute(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--frames")) maxFrames = std::atol(argv[i + 1]);
    }
    TGameRunner runner(argv[1], seed, !shots.empty());
    if (!runner.Start()) {
        std::fprintf(stderr, "kelvora_play: the game did not start in %s\n", argv[1]);
        return 1;
    }
    if (!shots.empty()) std::filesystem::create_directories(shots);
    TPlaythrough play(runner, options);
    const TGameState& s = runner.Form().Game;
    size_t shown = 0;
    int picture = 0;
    const bool done = play.RunUntil(
        [&](const TGameState& state) {
            for (; shown < play.Screens.size(); ++shown) {
                std::printf("frame %8ld: screen %2d, level %2d, score %d\n", runner.Frame(),
                            play.Screens[shown], state.LevelNumber, state.GetScore());
                if (!shots.empty()) {
                    char name[64];
                    std::snprintf(name, sizeof name, "%03d-screen%02d-level%02d.png", picture++,
                                  play.Screens[shown], state.LevelNumber);
                    runner.Screenshot(shots / name);
                }
            }
            std::fflush(stdout);
            return state.ScreenState == 9;
        },
        maxFrames);
    std::printf("%s after %ld frames: %zu levels won, %zu skipped, %d items bought, %d used, "
                "%d hints, final score %d\n",
                done ? "table reached" : play.Reason.c_str(), runner.Frame(),
                play.LevelsWon.size(), play.LevelsSkipped.size(), play.ItemsBought,
                play.Player.SuperBonusesUsed, play.Player.HintsUsed, s.GetScore());
    return done ? 0 : 1;
}
