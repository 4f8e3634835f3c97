#pragma once
#include "tools/runner/Scenario.h"
#include "platform/Renderer.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingAudio.h"
#include <filesystem>
#include <memory>
#include <string>

class TForm1;

// The real game on the headless platform: a fixed seed, a clock that moves 10 ms a frame
// (the frame timer's own cap), the SDL software renderer for screenshots, and input from a
// scenario. Runs in the working directory it is given.
class TGameRunner {
public:
    // Without pixels the frames are only recorded, which is much faster; screenshots then fail.
    TGameRunner(std::filesystem::path workDir, uint64_t seed = 1, bool pixels = true);
    ~TGameRunner();

    // Start-up; false when the game does not start (no data in the folder).
    bool Start();
    void RunFrames(int frames);
    // Runs every step; false (with the reason) when an output file cannot be written.
    bool Execute(const std::vector<TScenarioStep>& steps, std::string& error);
    bool Screenshot(const std::filesystem::path& png);
    std::string StateJson() const;

    TForm1& Form() { return *form_; }
    platform::headless::HeadlessPlatform& Platform() { return platform_; }
    platform::headless::RecordingAudio& Audio() { return audio_; }
    long Frame() const { return frame_; }
    // Files are written relative to this folder (the current folder when empty).
    std::filesystem::path OutputDir;

private:
    std::filesystem::path workDir_, previousDir_;
    uint64_t seed_;
    platform::headless::HeadlessPlatform platform_;
    platform::headless::RecordingAudio audio_;
    std::unique_ptr<platform::Renderer> renderer_;
    std::unique_ptr<TForm1> form_;
    long frame_ = 0;
};
