#include "engine/GfxDevice.h"
#include "engine/GfxSprite.h"
#include "objects/Cursor.h"
#include "objects/MenuSprite.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingRenderer.h"
#include <gtest/gtest.h>

namespace {

struct CursorRig {
    platform::headless::RecordingRenderer renderer;
    platform::headless::ScriptedWindow window;
    TGfxDevice device{renderer};
    TSpriteEngine engine;
    TCursor* cursor;
    CursorRig(int width, int height) {
        device.SetWidth(width);
        device.SetHeight(height);
        EXPECT_TRUE(device.Initialize());
        cursor = new TCursor(&engine, window, device); // the engine owns it
    }
};

} // namespace

TEST(CursorTest, FollowsTheMouseInLogicalPixels) {
    struct Case {
        int width, height, mouseX, mouseY;
        const char* image;
        float x, y;
    };
    const Case cases[] = {
        {800, 600, 100, 50, "cursor", 100, 50},
        {1024, 768, 512, 384, "cursor", 400, 300},
        // An armed item sits 20 device pixels up and left, before scaling.
        {1024, 768, 512, 384, "itemz3", (512 - 20) / 1.28f, (384 - 20) / 1.28f},
        {800, 600, 10, 10, "ITEMZ1", -10, -10},
    };
    for (const Case& c : cases) {
        CursorRig rig(c.width, c.height);
        rig.window.mouseX = c.mouseX;
        rig.window.mouseY = c.mouseY;
        rig.cursor->SetImageName(c.image);
        rig.engine.Move(0.001f);
        EXPECT_NEAR(rig.cursor->X, c.x, 1e-3) << c.image << " " << c.width;
        EXPECT_NEAR(rig.cursor->Y, c.y, 1e-3) << c.image << " " << c.width;
    }
}

TEST(CursorTest, LiesAboveEverySpriteAndMenuSpritesStayStill) {
    CursorRig rig(800, 600);
    auto* logo = new TMenuSprite(&rig.engine, 150.5, 80.25, "logo");
    auto* top = new TSprite(&rig.engine);
    top->SetZ(999);
    EXPECT_EQ(rig.engine.Items(rig.engine.Count() - 1), rig.cursor);
    EXPECT_EQ(rig.cursor->Z, 1000);
    EXPECT_FALSE(rig.cursor->DoAnimate);
    EXPECT_EQ(logo->Z, 500);
    EXPECT_EQ(logo->Alpha, 0);
    rig.engine.Move(1.0f);
    EXPECT_FLOAT_EQ(logo->X, 150.5f);
    EXPECT_FLOAT_EQ(logo->Y, 80.25f);
}
