#include "engine/GfxTimers.h"
#include "platform/headless/HeadlessPlatform.h"
#include "shell/MainLoop.h"
#include "shell/WindowTimer.h"
#include <gtest/gtest.h>
#include <string>

using platform::Event;
using platform::headless::HeadlessPlatform;

TEST(WindowTimerTest, FiresOncePerIntervalWithoutCatchingUp) {
    TTimer timer;
    timer.Interval = 100;
    int fired = 0;
    timer.OnTimer = [&] { ++fired; };
    timer.Poll(0);
    EXPECT_EQ(fired, 0) << "disabled";
    timer.SetEnabled(true);
    timer.Poll(1000);
    timer.Poll(1099);
    EXPECT_EQ(fired, 0);
    timer.Poll(1100);
    EXPECT_EQ(fired, 1);
    timer.Poll(1550); // a late loop gets one tick, not four
    EXPECT_EQ(fired, 2);
    timer.Poll(1649);
    EXPECT_EQ(fired, 2);
    timer.Poll(1650);
    EXPECT_EQ(fired, 3);
}

TEST(MainLoopTest, DispatchesEventsThenTimersThenTheFramePass) {
    HeadlessPlatform p;
    TGfxTimer frameTimer(p.clock());
    frameTimer.SetMaxFPS(100);
    frameTimer.Enabled = true;
    TTimer pulse;
    pulse.Interval = 100;
    pulse.SetEnabled(true);

    std::string order;
    TMainLoop loop(p, frameTimer);
    loop.OnWindowEvent = [&](const Event& e) { order += "w" + std::to_string(e.key); };
    loop.OnGuiEvent = [&](const Event& e) { order += "g" + std::to_string(e.key); };
    pulse.OnTimer = [&] { order += "T"; };
    frameTimer.OnTimer = [&] { order += "F"; };
    loop.AddTimer(pulse);

    p.scriptedWindow.PushKey(65, true);
    p.scriptedWindow.PushKey(65, false);
    loop.RunPass();
    EXPECT_EQ(order, "w65g65w65g65F");

    // Ten passes of 10 ms each: the 100 ms timer fires once, before that pass's frame.
    order.clear();
    loop.Run(10);
    EXPECT_EQ(order, "FFFFFFFFFTF");
}

TEST(MainLoopTest, CapsThePassRate) {
    HeadlessPlatform p;
    TGfxTimer frameTimer(p.clock());
    frameTimer.SetMaxFPS(100);
    frameTimer.Enabled = true;
    int frames = 0;
    frameTimer.OnTimer = [&] { ++frames; };
    TMainLoop loop(p, frameTimer);
    const uint64_t start = p.fakeClock.TickCount();
    loop.Run(200);
    EXPECT_EQ(frames, 200);
    EXPECT_GE(p.fakeClock.TickCount() - start, 1990u) << "200 passes take two seconds at 100 a second";
}

TEST(MainLoopTest, TerminateStopsAtOnce) {
    HeadlessPlatform p;
    TGfxTimer frameTimer(p.clock());
    frameTimer.Enabled = true;
    int frames = 0, guiEvents = 0;
    frameTimer.OnTimer = [&] { ++frames; };
    TMainLoop loop(p, frameTimer);
    loop.OnWindowEvent = [&](const Event& e) {
        if (e.type == Event::Type::CloseRequest) loop.Terminate();
    };
    loop.OnGuiEvent = [&](const Event&) { ++guiEvents; };
    p.scriptedWindow.Push(Event{});
    p.scriptedWindow.PushKey(65, true);
    loop.Run();
    EXPECT_TRUE(loop.Terminated());
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(guiEvents, 0);
    EXPECT_EQ(p.scriptedWindow.Pending(), 1u) << "events after the close stay queued";
}
