#pragma once
#include <cstdint>

namespace platform {
class KeyboardDevice;
}

// Polled keyboard state, 256 slots by virtual-key code.
class TGfxKeyboard {
public:
    // The keyboard belongs to a window; without one it cannot work, which is a programming error.
    explicit TGfxKeyboard(platform::KeyboardDevice* device);
    ~TGfxKeyboard();
    TGfxKeyboard(const TGfxKeyboard&) = delete;
    TGfxKeyboard& operator=(const TGfxKeyboard&) = delete;

    bool Foreground = true;

    bool Initialize();
    void Finalize();
    // Keeps the previous state, reads the current one; reacquires once when input was lost.
    bool Update();

    bool Initialized() const { return initialized_; }
    bool Down(int key) const { return (current_[key & 0xFF] & 0x80) != 0; }
    bool WasDown(int key) const { return (previous_[key & 0xFF] & 0x80) != 0; }
    bool Pressed(int key) const { return Down(key) && !WasDown(key); }
    bool Released(int key) const { return !Down(key) && WasDown(key); }

private:
    platform::KeyboardDevice* device_;
    bool initialized_ = false;
    uint8_t current_[256] = {};
    uint8_t previous_[256] = {};
};
