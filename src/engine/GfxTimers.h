#pragma once
#include <cstdint>
#include <functional>

namespace platform {
class Clock;
}

// The frame timer: driven by the main loop's idle pass, it caps the pass rate at MaxFPS,
// measures elapsed time and the frame rate, and fires OnTimer once per pass.
// Times are fixed-point milliseconds with 20 fraction bits.
class TGfxTimer {
public:
    static constexpr int64_t kOne = int64_t(1) << 20; // one millisecond

    explicit TGfxTimer(platform::Clock& clock);

    double Speed() const { return speed_; }
    void SetSpeed(double value); // ticks per second of Delta; below 1 becomes 1
    int MaxFPS() const { return maxFps_; }
    void SetMaxFPS(int value); // 0 or less becomes 1

    bool Enabled = false;
    std::function<void()> OnTimer;
    std::function<void()> OnProcess;

    // One idle pass: sleep to the cap, update Delta and the frame rate, fire OnTimer.
    void Idle();

    // Elapsed time in ticks of Speed since the previous pass, at most 32.
    double Delta() const { return double(delta_) / double(kOne); }
    int64_t DeltaFixed() const { return delta_; }
    int FrameRate() const { return frameRate_; }
    bool HighPrecision() const { return highPrecision_; }
    int64_t TickLength() const { return tickLength_; }
    int64_t FrameLength() const { return frameLength_; }
    // Fixed-point elapsed time measured by the latest pass.
    int64_t Elapsed() const { return elapsed_; }

private:
    int64_t Now() const; // fixed-point milliseconds

    platform::Clock& clock_;
    double speed_ = 60.0;
    int maxFps_ = 100;
    int64_t tickLength_ = 0;
    int64_t frameLength_ = 0;
    bool highPrecision_ = false;
    uint64_t frequency_ = 0;
    int64_t last_ = 0;
    int64_t elapsed_ = 0;
    int64_t delta_ = 0;
    int64_t rateAccumulator_ = 0;
    int64_t ratePasses_ = 0;
    int frameRate_ = 0;
};
