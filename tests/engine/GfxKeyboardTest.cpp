#include "engine/GfxKeyboard.h"
#include "platform/headless/HeadlessPlatform.h"
#include <gtest/gtest.h>
#include <stdexcept>

using platform::headless::FakeKeyboard;

TEST(GfxKeyboardTest, NeedsAWindowToBelongTo) {
    try {
        TGfxKeyboard keyboard(nullptr);
        FAIL() << "no error raised";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "TGfxKeyboard: This component must be dropped onto the form!");
    }
}

TEST(GfxKeyboardTest, UpdateKeepsThePreviousState) {
    FakeKeyboard device;
    TGfxKeyboard keyboard(&device);
    ASSERT_TRUE(keyboard.Initialize());
    device.SetDown(37, true);
    ASSERT_TRUE(keyboard.Update());
    EXPECT_TRUE(keyboard.Pressed(37));
    ASSERT_TRUE(keyboard.Update());
    EXPECT_TRUE(keyboard.Down(37));
    EXPECT_FALSE(keyboard.Pressed(37));
    device.SetDown(37, false);
    ASSERT_TRUE(keyboard.Update());
    EXPECT_TRUE(keyboard.Released(37));
}

TEST(GfxKeyboardTest, ReacquiresOnceWhenInputWasLost) {
    FakeKeyboard device;
    TGfxKeyboard keyboard(&device);
    ASSERT_TRUE(keyboard.Update()) << "Update initializes first";
    device.LoseInput();
    device.SetDown(27, true);
    EXPECT_TRUE(keyboard.Update());
    EXPECT_TRUE(keyboard.Down(27));
    EXPECT_EQ(device.acquireCount, 2);

    device.LoseInput();
    device.failAcquire = true;
    EXPECT_FALSE(keyboard.Update());
}

TEST(GfxKeyboardTest, FailedStartMakesUpdateFail) {
    FakeKeyboard device;
    device.failAcquire = true;
    TGfxKeyboard keyboard(&device);
    EXPECT_FALSE(keyboard.Initialize());
    EXPECT_FALSE(keyboard.Update());
}
