// kelvora_run: the real game on the headless platform, driven by a scenario file.
//   kelvora_run <working dir> <scenario> [--seed N] [--out DIR]
#include "tools/runner/GameRunner.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kelvora_run <working dir> <scenario> [--seed N] [--out DIR]\n");
        return 2;
    }
    uint64_t seed = 1;
    std::filesystem::path out = std::filesystem::current_path();
    for (int i = 3; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--seed")) seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--out")) out = std::filesystem::absolute(argv[i + 1]);
    }
    std::ifstream file(argv[2]);
    if (!file) {
        std::fprintf(stderr, "kelvora_run: cannot read %s\n", argv[2]);
        return 1;
    }
    std::vector<TScenarioStep> steps;
    std::string error;
    if (!ParseScenario(file, steps, error)) {
        std::fprintf(stderr, "kelvora_run: %s: %s\n", argv[2], error.c_str());
        return 1;
    }
    TGameRunner runner(argv[1], seed);
    runner.OutputDir = out;
    if (!runner.Start()) {
        std::fprintf(stderr, "kelvora_run: the game did not start in %s\n", argv[1]);
        return 1;
    }
    if (!runner.Execute(steps, error)) {
        std::fprintf(stderr, "kelvora_run: %s\n", error.c_str());
        return 1;
    }
    std::printf("kelvora_run: %ld frames\n", runner.Frame());
    return 0;
}
