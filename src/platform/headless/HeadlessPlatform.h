#pragma once
#include "platform/Platform.h"
#include "platform/headless/ScriptedHttp.h"
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace platform::headless {

// A clock that moves only when a test (or a sleep) moves it.
class FakeClock final : public Clock {
public:
    uint64_t TickCount() override { return nanos_ / 1000000; }
    uint64_t PerformanceCounter() override { return highPrecision_ ? nanos_ : 0; }
    uint64_t PerformanceFrequency() override { return highPrecision_ ? 1000000000ull : 0; }
    void Sleep(uint32_t ms) override {
        sleeps.push_back(ms);
        nanos_ += uint64_t(ms) * 1000000;
    }

    void AdvanceMs(double ms) { nanos_ += static_cast<uint64_t>(ms * 1e6); }
    void AdvanceNanos(uint64_t ns) { nanos_ += ns; }
    void SetHighPrecision(bool on) { highPrecision_ = on; }

    std::vector<uint32_t> sleeps; // every sleep asked for, in order

private:
    uint64_t nanos_ = 1000000000ull; // start away from zero, as real clocks do
    bool highPrecision_ = true;
};

// A window whose events come from a script and whose calls are recorded.
class ScriptedWindow final : public Window {
public:
    bool Open(const WindowConfig& config) override;
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool PollEvent(Event& event) override;
    void SetTitle(const std::string& title) override { config_.title = title; }
    void SetClientSize(int width, int height) override;
    void GetClientSize(int& width, int& height) const override;
    void SetFullScreen(bool fullScreen) override { config_.fullScreen = fullScreen; }
    void SetPosition(int left, int top) override { left_ = left, top_ = top; }
    void GetScreenSize(int& width, int& height) const override;
    void ShowSystemCursor(bool show) override { cursorShown = show; }
    void GetMousePosition(int& x, int& y) const override { x = mouseX, y = mouseY; }
    std::vector<DisplayMode> DisplayModes() const override { return modes; }

    void Push(const Event& event) { queue_.push_back(event); }
    void PushKey(int key, bool down);
    void PushMouse(Event::Type type, int x, int y, MouseButton button = MouseButton::Left);
    size_t Pending() const { return queue_.size(); }
    const WindowConfig& config() const { return config_; }
    int left() const { return left_; }
    int top() const { return top_; }

    std::vector<DisplayMode> modes{{1024, 768}, {800, 600}, {640, 480}};
    int screenWidth = 1920, screenHeight = 1080;
    bool failOpen = false;
    bool cursorShown = true;
    int openCount = 0;
    int mouseX = 0, mouseY = 0; // follows the mouse events as they are taken

private:
    std::deque<Event> queue_;
    WindowConfig config_;
    bool open_ = false;
    int left_ = 0, top_ = 0;
};

class FakeKeyboard final : public KeyboardDevice {
public:
    bool Acquire(bool foreground) override;
    void Release() override { acquired_ = false; }
    bool ReadState(uint8_t (&state)[256]) override;

    void SetDown(int key, bool down) { keys[key & 0xFF] = down ? 0x80 : 0; }
    void LoseInput() { acquired_ = false; }

    uint8_t keys[256] = {};
    bool failAcquire = false;
    int acquireCount = 0;

private:
    bool acquired_ = false;
};

class RecordingMessageBox final : public MessageBox {
public:
    void ShowError(const std::string& title, const std::string& text) override {
        shown.push_back(text);
    }
    void ShowInfo(const std::string& title, const std::string& text) override {
        shown.push_back(text);
        infos.push_back(text);
    }
    std::vector<std::string> infos; // the information boxes among them
    std::vector<std::string> shown;
};

class FakeClipboard final : public Clipboard {
public:
    std::string GetText() override { return text; }
    std::string text;
};

class RecordingShell final : public Shell {
public:
    bool Open(const std::string& target) override {
        opened.push_back(target);
        return succeed;
    }
    std::vector<std::string> opened;
    bool succeed = true;
};

class HeadlessPlatform final : public Platform {
public:
    Clock& clock() override { return fakeClock; }
    Window& window() override { return scriptedWindow; }
    KeyboardDevice& keyboard() override { return fakeKeyboard; }
    MessageBox& messageBox() override { return messages; }
    Clipboard& clipboard() override { return fakeClipboard; }
    Shell& shell() override { return recordingShell; }
    Http& http() override { return scriptedHttp; }

    FakeClock fakeClock;
    ScriptedWindow scriptedWindow;
    FakeKeyboard fakeKeyboard;
    RecordingMessageBox messages;
    FakeClipboard fakeClipboard;
    RecordingShell recordingShell;
    ScriptedHttp scriptedHttp;
};

} // namespace platform::headless
