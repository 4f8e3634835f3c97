#pragma once
#include "platform/Event.h"
#include <functional>
#include <vector>

namespace platform {
class Platform;
}
class TGfxTimer;
class TTimer;

// The one thread of the game: each pass dispatches the pending window events, fires the
// interval timers that are due, then runs one frame-timer idle pass (which sleeps to the cap).
class TMainLoop {
public:
    TMainLoop(platform::Platform& platform, TGfxTimer& frameTimer);

    // Window handlers first, then the GUI root, in this order for every event.
    std::function<void(const platform::Event&)> OnWindowEvent;
    std::function<void(const platform::Event&)> OnGuiEvent;

    void AddTimer(TTimer& timer) { timers_.push_back(&timer); }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }

    void RunPass();
    // Runs passes until Terminate, or until maxPasses when it is positive.
    void Run(long maxPasses = 0);

private:
    platform::Platform& platform_;
    TGfxTimer& frameTimer_;
    std::vector<TTimer*> timers_;
    bool terminated_ = false;
};
