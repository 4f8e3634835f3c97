#pragma once
#include <string>
#include <vector>

// Turns the sources under `assetsDir` into the game's runtime data under `outDir`:
// Data/data.fgg, Data/gdata.fgg, Data/data1.fgg (images, fonts, particle scripts),
// Sounds/*.wav and Sounds/*.xm, the exit page under wdata/ and play.url. Output depends only on
// the sources.
struct TAssetBuildReport {
    int images = 0, fonts = 0, particles = 0, forms = 0, sounds = 0, songs = 0;
    std::vector<std::string> written;
};

bool CompileAssets(const std::string& assetsDir, const std::string& outDir,
                   TAssetBuildReport& report, std::string& error);

// The archive every particle script goes into.
constexpr const char* kParticleArchive = "data.fgg";
// Record type of particle scripts (the image and font lists skip it).
constexpr int kRecordParticleScript = 2;
