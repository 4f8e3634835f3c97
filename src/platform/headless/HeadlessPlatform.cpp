#include "platform/headless/HeadlessPlatform.h"
#include <cstring>

namespace platform::headless {

bool ScriptedWindow::Open(const WindowConfig& config) {
    ++openCount;
    if (failOpen) return false;
    config_ = config;
    open_ = true;
    return true;
}

bool ScriptedWindow::PollEvent(Event& event) {
    if (queue_.empty()) return false;
    event = queue_.front();
    queue_.pop_front();
    if (event.type == Event::Type::MouseMove || event.type == Event::Type::MouseDown ||
        event.type == Event::Type::MouseUp)
        mouseX = event.x, mouseY = event.y;
    return true;
}

void ScriptedWindow::SetClientSize(int width, int height) {
    config_.width = width;
    config_.height = height;
}

void ScriptedWindow::GetClientSize(int& width, int& height) const {
    width = config_.width;
    height = config_.height;
}

void ScriptedWindow::GetScreenSize(int& width, int& height) const {
    width = screenWidth;
    height = screenHeight;
}

void ScriptedWindow::PushKey(int key, bool down) {
    Event e;
    e.type = down ? Event::Type::KeyDown : Event::Type::KeyUp;
    e.key = key;
    Push(e);
}

void ScriptedWindow::PushMouse(Event::Type type, int x, int y, MouseButton button) {
    Event e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = button;
    Push(e);
}

bool FakeKeyboard::Acquire(bool) {
    ++acquireCount;
    if (failAcquire) return false;
    acquired_ = true;
    return true;
}

bool FakeKeyboard::ReadState(uint8_t (&state)[256]) {
    if (!acquired_) return false;
    std::memcpy(state, keys, sizeof keys);
    return true;
}

} // namespace platform::headless
