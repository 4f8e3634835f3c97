#pragma once
#include <cstdint>

namespace platform {

// Time sources and the blocking sleep of the main thread.
class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual uint64_t TickCount() = 0;
    // High-resolution counter and its ticks per second; frequency 0 means unavailable.
    virtual uint64_t PerformanceCounter() = 0;
    virtual uint64_t PerformanceFrequency() = 0;
    virtual void Sleep(uint32_t ms) = 0;
};

} // namespace platform
