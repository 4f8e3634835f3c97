#pragma once
#include "platform/DisplayMode.h"
#include "platform/Event.h"
#include <string>
#include <vector>

namespace platform {

struct WindowConfig {
    std::string title = "Kelvora";
    int width = 800, height = 600;
    bool fullScreen = false;
};

// The game's one window. Events are queued by the platform and taken one by one.
class Window {
public:
    virtual ~Window() = default;
    virtual bool Open(const WindowConfig& config) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    virtual bool PollEvent(Event& event) = 0;

    virtual void SetTitle(const std::string& title) = 0;
    virtual void SetClientSize(int width, int height) = 0;
    virtual void GetClientSize(int& width, int& height) const = 0;
    virtual void SetFullScreen(bool fullScreen) = 0;
    virtual void SetPosition(int left, int top) = 0;
    virtual void GetScreenSize(int& width, int& height) const = 0;
    virtual void ShowSystemCursor(bool show) = 0;
    // The mouse position in client pixels, as of the events taken so far.
    virtual void GetMousePosition(int& x, int& y) const = 0;
    // Distinct full-screen modes of the primary display in its current pixel format.
    virtual std::vector<DisplayMode> DisplayModes() const = 0;
};

} // namespace platform
