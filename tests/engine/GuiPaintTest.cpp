#include "engine/GuiPaint.h"
#include "GuiTestRig.h"

TEST(GuiPaintTest, PaintsBetweenItsBackgroundAndItsBorderInsideItsArea) {
    GuiRig rig;
    auto* paint = new TGuiPaint(&rig.root);
    paint->SetBounds({700, 500, 820, 620}); // partly off the screen
    std::vector<std::string> order;
    TIntRect clip, given;
    paint->OnPaint = [&](TGuiPaint*, TGfxCanvas& canvas, const TIntRect& r) {
        order.push_back("paint");
        clip = canvas.GetClipRect();
        given = r;
    };
    rig.Draw(*paint);
    const auto quads = rig.Quads(0);
    ASSERT_FALSE(quads.empty());
    EXPECT_EQ(quads[0].color, 0xFFFFFFFFu) << "the white background";
    EXPECT_EQ(order.size(), 1u);
    EXPECT_EQ(given, (TIntRect{700, 500, 820, 620}));
    EXPECT_EQ(clip, (TIntRect{700, 500, 800, 600}));
}
