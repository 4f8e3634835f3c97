// Figures of the whole game, headless: start-up to the first frame, the CPU time of a frame
// on a busy playing screen (recording renderer and SDL software renderer), and peak memory.
//   kelvora_game_bench <runtime dir>
#include "engine/XParticles.h"
#include "shell/Unit1.h"
#include "tools/runner/GameRunner.h"
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sys/resource.h>

namespace {

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// A copy of the runtime folder, so the game's own files do not land in the build.
std::filesystem::path ScratchCopy(const std::filesystem::path& runtime) {
    const auto dir = std::filesystem::temp_directory_path() / "kelvora-bench";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    for (const char* entry : {"Data", "Sounds", "wdata", "play.url"})
        if (std::filesystem::exists(runtime / entry))
            std::filesystem::create_symlink(std::filesystem::absolute(runtime / entry), dir / entry);
    return dir;
}

void PlayingFrames(const std::filesystem::path& dir, bool pixels, const char* label) {
    TGameRunner runner(dir, 3, pixels);
    const double c0 = CpuSeconds();
    const auto w0 = std::chrono::steady_clock::now();
    if (!runner.Start()) {
        std::printf("%s: the game did not start\n", label);
        return;
    }
    runner.RunFrames(1);
    const double startCpu = CpuSeconds() - c0;
    const double startWall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - w0).count();
    std::printf("%-24s start-up to the first frame: %.0f ms CPU, %.0f ms wall\n", label,
                startCpu * 1000, startWall * 1000);

    // A built board, the HUD and ten running effects.
    runner.Form().Game.ShowHowToPlay = 0;
    runner.Form().States.Go(13);
    runner.RunFrames(400);
    TXParticleManager* fx = runner.Form().Particles.get();
    for (int i = 0; fx && i < 10; ++i) {
        TXParticleSystem* s = fx->Spawn("Exampel.pss", 300 + 40 * i, 300);
        if (s) s->Name = "bench";
    }
    const int frames = 500;
    const double c1 = CpuSeconds();
    runner.RunFrames(frames);
    const double perFrame = (CpuSeconds() - c1) / frames;
    std::printf("%-24s playing screen: %.3f ms CPU a frame (%d sprites, %d effects)\n", label,
                perFrame * 1000, runner.Form().SpriteEngine->Count(), fx ? fx->Count() : 0);
}

} // namespace

int main(int argc, char** argv) {
    const std::filesystem::path runtime = argc > 1 ? argv[1] : KELVORA_RUNTIME_DIR;
    const auto dir = ScratchCopy(runtime);
    PlayingFrames(dir, false, "recording renderer");
    PlayingFrames(dir, true, "SDL software renderer");
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MiB\n", double(usage.ru_maxrss) / 1024.0);
    std::filesystem::remove_all(dir);
    return 0;
}
