// kelvora_soak: autoplays the real game headless for many moves and prints memory as it goes.
//   kelvora_soak <working dir> [moves] [seed]
// With a console.ini in the folder, levels whose clock runs short are ended by the console.
// Fails when the heap in use grew by more than a mebibyte after the first progress line.
#include "tools/runner/GameRunner.h"
#include "tools/runner/Soak.h"
#include "shell/Unit1.h"
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <malloc.h>
#ifdef __SANITIZE_ADDRESS__
// From the sanitizer's runtime; gcc ships no header for it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif
#include <string>

namespace {

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

// What the program holds on the heap, apart from what the allocator keeps for reuse.
size_t HeapKiB() {
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer has its own allocator, which malloc's statistics do not see.
    return __sanitizer_get_current_allocated_bytes() / 1024;
#else
    const struct mallinfo2 info = mallinfo2();
    return (info.uordblks + info.hblkhd) / 1024;
#endif
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
    std::printf("start: %ld KiB resident, %zu KiB heap in use\n", ResidentKiB(), HeapKiB());
    size_t firstHeap = 0, lastHeap = 0;
    const TSoakResult r = RunSoak(runner, moves, 250, [&](int done) {
        lastHeap = HeapKiB();
        if (firstHeap == 0) firstHeap = lastHeap;
        TForm1& form = runner.Form();
        std::printf("%6d moves, frame %ld, level %d: %ld KiB resident, %zu KiB heap in use, "
                    "%d sprites, %d effects, %zu audio calls recorded\n",
                    done, runner.Frame(), form.Game.LevelNumber, ResidentKiB(), HeapKiB(),
                    form.SpriteEngine ? form.SpriteEngine->Count() : 0,
                    form.Particles ? form.Particles->Count() : 0, runner.Audio().log.size());
        runner.Audio().ClearLog();
        std::fflush(stdout);
    });
    std::printf("%d moves, %d levels won, %d skipped, %d games finished, %ld frames%s%s\n",
                r.moves, r.levelsWon, r.levelsSkipped, r.gamesEnded, runner.Frame(),
                r.stopped.empty() ? "" : "; stopped: ", r.stopped.c_str());
    const long growth = long(lastHeap) - long(firstHeap);
    std::printf("heap in use grew by %ld KiB after the first progress line\n", growth);
    return r.stopped.empty() && growth <= 1024 ? 0 : 1;
}
