#include "engine/GfxDevice.h"
#include "platform/Event.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingRenderer.h"
#include <gtest/gtest.h>
#include <string>

using platform::headless::RecordingRenderer;

namespace {

// Writes each message it gets into a shared log and answers as told.
struct LogSubscriber : TGfxSubscriber {
    LogSubscriber(std::string& log, char name) : log(log), name(name) {}
    bool DeviceMessage(int message) override {
        log += name + std::to_string(message) + " ";
        return message != refuse;
    }
    std::string& log;
    char name;
    int refuse = 0;
};

} // namespace

TEST(GfxDeviceTest, MessagesGoInOrderAndStopAtTheFirstRefusal) {
    RecordingRenderer renderer;
    TGfxDevice device(renderer);
    std::string log;
    LogSubscriber a(log, 'a'), b(log, 'b'), c(log, 'c');
    b.SetPublisher(&device);
    a.SetPublisher(&device);
    c.SetPublisher(&device);
    a.SetPublisher(&device); // added once only
    EXPECT_EQ(device.Subscribers().size(), 3u);

    b.refuse = 256;
    EXPECT_FALSE(device.Initialize()) << "a subscriber failing to create stops the start";
    EXPECT_EQ(log, "b256 b257 a257 c257 ");
    EXPECT_FALSE(device.Running());

    b.refuse = 0;
    log.clear();
    ASSERT_TRUE(device.Initialize());
    device.OnRender = [&](TGfxDevice&) { log += "render "; };
    device.Render(0, true);
    EXPECT_EQ(log, "b256 a256 c256 b260 a260 c260 render b261 a261 c261 ");

    TGfxDevice other(renderer);
    a.SetPublisher(&other);
    EXPECT_EQ(device.Subscribers().size(), 2u) << "moving to another device leaves this one";
}

TEST(GfxDeviceTest, InitializeFailsWhenTheGameCannotLoad) {
    RecordingRenderer renderer;
    TGfxDevice device(renderer);
    device.OnInitialize = [](TGfxDevice&, bool& success) { success = false; };
    EXPECT_FALSE(device.Initialize());
    EXPECT_FALSE(device.Running());
    EXPECT_FALSE(renderer.Running());

    RecordingRenderer broken;
    broken.failStart = true;
    TGfxDevice noDevice(broken);
    EXPECT_FALSE(noDevice.Initialize());
}

TEST(GfxDeviceTest, ScaleFollowsTheDeviceSize) {
    RecordingRenderer renderer;
    platform::headless::ScriptedWindow window;
    TGfxDevice device(renderer, &window);
    device.SetWidth(1024);
    device.SetHeight(768);
    ASSERT_TRUE(device.Initialize());
    EXPECT_FLOAT_EQ(device.ScaleX(), 1.28f);
    EXPECT_FLOAT_EQ(device.ScaleY(), 1.28f);
    EXPECT_EQ(window.config().width, 1024);

    std::string log;
    LogSubscriber s(log, 's');
    s.SetPublisher(&device);
    device.SetWidth(1600); // a running device resets at once
    device.SetHeight(1200);
    device.SetWindowed(false);
    EXPECT_EQ(log, "s258 s259 s258 s259 s258 s259 ");
    EXPECT_FLOAT_EQ(device.ScaleX(), 2.0f);
    EXPECT_TRUE(window.config().fullScreen);
    EXPECT_EQ(renderer.config.width, 1600);
}

TEST(GfxDeviceTest, RecoversFromLostTargetsAndALostDevice) {
    RecordingRenderer renderer;
    TGfxDevice device(renderer);
    ASSERT_TRUE(device.Initialize());
    std::string log;
    LogSubscriber s(log, 's');
    s.SetPublisher(&device);

    platform::Event e;
    e.type = platform::Event::Type::RenderTargetsReset;
    device.HandleEvent(e);
    EXPECT_EQ(log, "s258 s259 ");

    log.clear();
    e.type = platform::Event::Type::RenderDeviceReset;
    device.HandleEvent(e);
    EXPECT_EQ(log, "s258 s259 ");
    EXPECT_TRUE(renderer.Running());

    // Lost on present: released once, reset when the renderer allows it.
    log.clear();
    renderer.presentScript = {platform::PresentResult::Lost};
    device.Flip();
    EXPECT_EQ(log, "s258 s259 ");

    log.clear();
    renderer.presentScript = {platform::PresentResult::Failed};
    renderer.Stop(); // the reset will fail: the device gives up
    device.Flip();
    EXPECT_FALSE(device.Running());
    EXPECT_EQ(log, "s258 s257 ");
}
