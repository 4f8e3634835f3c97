#include "engine/GfxKeyboard.h"
#include "platform/KeyboardDevice.h"
#include <cstring>
#include <stdexcept>

TGfxKeyboard::TGfxKeyboard(platform::KeyboardDevice* device) : device_(device) {
    if (!device_)
        throw std::logic_error("TGfxKeyboard: This component must be dropped onto the form!");
}

TGfxKeyboard::~TGfxKeyboard() { Finalize(); }

bool TGfxKeyboard::Initialize() {
    std::memset(current_, 0, sizeof current_);
    std::memset(previous_, 0, sizeof previous_);
    initialized_ = device_->Acquire(Foreground);
    return initialized_;
}

void TGfxKeyboard::Finalize() {
    if (initialized_) device_->Release();
    initialized_ = false;
}

bool TGfxKeyboard::Update() {
    if (!initialized_ && !Initialize()) return false;
    std::memcpy(previous_, current_, sizeof current_);
    if (device_->ReadState(current_)) return true;
    if (!device_->Acquire(Foreground)) return false;
    return device_->ReadState(current_);
}
