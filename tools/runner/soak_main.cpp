// kelvora_soak: autoplays the real game headless for many moves and prints memory as it goes.
//   kelvora_soak <working dir> [moves] [seed]
#include "tools/runner/GameRunner.h"
#include "tools/runner/Soak.h"
#include "shell/Unit1.h"
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: kelvora_soak <working dir> [moves] [seed]\n");
        return 2;
    }
    const int moves = argc > 2 ? std::atoi(argv[2]) : 10000;
    const uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1;
    TGameRunner runner(argv[1], seed, false);
    if (!runner.Start()) {
        std::fprintf(stderr, "kelvora_soak: the game did not start in %s\n", argv[1]);
        return 1;
    }
    runner.RunFrames(300);
    std::printf("start: %ld KiB resident\n", ResidentKiB());
    const TSoakResult r = RunSoak(runner, moves, 250, [&](int done) {
        TForm1& form = runner.Form();
        std::printf("%6d moves, frame %ld, level %d: %ld KiB resident, %d sprites, %d effects, "
                    "%zu audio calls recorded\n",
                    done, runner.Frame(), form.Game.LevelNumber, ResidentKiB(),
                    form.SpriteEngine ? form.SpriteEngine->Count() : 0,
                    form.Particles ? form.Particles->Count() : 0, runner.Audio().log.size());
        runner.Audio().ClearLog();
        std::fflush(stdout);
    });
    std::printf("%d moves, %d levels won, %d games ended, %ld frames%s%s\n", r.moves, r.levelsWon,
                r.gamesEnded, runner.Frame(), r.stopped.empty() ? "" : "; stopped: ",
                r.stopped.c_str());
    return r.stopped.empty() ? 0 : 1;
}
