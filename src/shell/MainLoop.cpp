#include "shell/MainLoop.h"
#include "engine/GfxTimers.h"
#include "platform/Platform.h"
#include "shell/WindowTimer.h"

TMainLoop::TMainLoop(platform::Platform& platform, TGfxTimer& frameTimer)
    : platform_(platform), frameTimer_(frameTimer) {}

void TMainLoop::RunPass() {
    platform::Event event;
    while (!terminated_ && platform_.window().PollEvent(event)) {
        if (OnWindowEvent) OnWindowEvent(event);
        if (terminated_) return;
        if (OnGuiEvent) OnGuiEvent(event);
    }
    if (terminated_) return;
    const uint64_t now = platform_.clock().TickCount();
    for (TTimer* timer : timers_) timer->Poll(now);
    if (terminated_) return;
    frameTimer_.Idle();
}

void TMainLoop::Run(long maxPasses) {
    for (long pass = 0; !terminated_ && (maxPasses <= 0 || pass < maxPasses); ++pass) RunPass();
}
