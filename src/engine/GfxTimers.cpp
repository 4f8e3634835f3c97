#include "engine/GfxTimers.h"
#include "platform/Clock.h"
#include <cmath>

TGfxTimer::TGfxTimer(platform::Clock& clock) : clock_(clock) {
    frequency_ = clock_.PerformanceFrequency();
    highPrecision_ = frequency_ > 0;
    SetSpeed(60.0);
    SetMaxFPS(100);
    last_ = Now();
}

void TGfxTimer::SetSpeed(double value) {
    speed_ = value < 1.0 ? 1.0 : value;
    tickLength_ = std::llround(1000.0 * double(kOne) / speed_);
}

void TGfxTimer::SetMaxFPS(int value) {
    maxFps_ = value <= 0 ? 1 : value;
    frameLength_ = std::llround(1000.0 * double(kOne) / maxFps_);
}

int64_t TGfxTimer::Now() const {
    if (highPrecision_) {
        // Whole seconds and the rest apart: a nanosecond counter times 2^20 * 1000 would
        // overflow 64 bits within seconds.
        const uint64_t ticks = clock_.PerformanceCounter();
        const uint64_t perMs = uint64_t(kOne) * 1000;
        return int64_t((ticks / frequency_) * perMs + (ticks % frequency_) * perMs / frequency_);
    }
    return int64_t(clock_.TickCount()) * kOne;
}

void TGfxTimer::Idle() {
    const int64_t now = Now();
    elapsed_ = now - last_;
    last_ = now;
    if (elapsed_ < 0) elapsed_ = 0;

    if (!Enabled) {
        clock_.Sleep(5);
        return;
    }

    int64_t slept = 0;
    if (elapsed_ < frameLength_) {
        const auto sleepMs = uint32_t((frameLength_ - elapsed_) / kOne);
        if (sleepMs > 0) clock_.Sleep(sleepMs);
        // The sleep is taken as asked, not measured again: the next pass's elapsed time
        // starts after it, so the cap holds and the frame-rate window counts it once.
        slept = int64_t(sleepMs) * kOne;
        last_ += slept;
    }

    // Compare before dividing: a stall of hours would overflow elapsed * 2^20.
    delta_ = elapsed_ >= 32 * tickLength_ ? 32 * kOne : elapsed_ * kOne / tickLength_;

    rateAccumulator_ += elapsed_ + slept;
    ++ratePasses_;
    // The window spans about one second of whole passes, sleep included.
    const int64_t passLength = elapsed_ + slept;
    const int64_t window = passLength > 0 ? (1000 * kOne) / passLength : 4;
    if (ratePasses_ >= window && rateAccumulator_ > 0) {
        frameRate_ = int(ratePasses_ * 1000 * kOne / rateAccumulator_);
        rateAccumulator_ = 0;
        ratePasses_ = 0;
    }

    if (OnProcess) OnProcess();
    if (OnTimer) OnTimer();
}
