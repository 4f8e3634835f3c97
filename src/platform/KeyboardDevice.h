#pragma once
#include <cstdint>

namespace platform {

// Polled keyboard: 256 slots indexed by virtual-key code, bit 7 set while down.
class KeyboardDevice {
public:
    virtual ~KeyboardDevice() = default;
    virtual bool Acquire(bool foreground) = 0;
    virtual void Release() = 0;
    // False when the device is not acquired or has lost input.
    virtual bool ReadState(uint8_t (&state)[256]) = 0;
};

} // namespace platform
