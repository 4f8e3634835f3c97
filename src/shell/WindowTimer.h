#pragma once
#include <cstdint>
#include <functional>

// An interval timer fired from the main loop, like a window-message timer: a late loop
// gets one tick, never a burst of catch-up ticks.
class TTimer {
public:
    uint32_t Interval = 1000; // milliseconds
    std::function<void()> OnTimer;

    bool Enabled() const { return enabled_; }
    // Enabling (again) restarts the interval from the next poll.
    void SetEnabled(bool on);

    // Fires OnTimer when the interval has passed since the last firing.
    void Poll(uint64_t nowMs);

private:
    bool enabled_ = false;
    bool armed_ = false;
    uint64_t due_ = 0;
};
