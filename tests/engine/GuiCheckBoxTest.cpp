#include "engine/GuiCheckBox.h"
#include "GuiTestRig.h"

TEST(GuiCheckBoxTest, APressAndAReleaseInsideToggle) {
    GuiRig rig;
    auto* box = new TGuiCheckBox(&rig.root);
    box->SetBounds({100, 100, 200, 115});
    int changes = 0;
    box->OnChange = [&](TGuiObject*) { ++changes; };
    struct Step {
        int pressX, releaseX;
        bool checked;
    };
    const Step steps[] = {
        {150, 150, true},  // inside, inside
        {150, 150, false}, // and back
        {150, 400, false}, // dragged outside before the release
        {150, 200, true},  // the right edge is inside
    };
    for (const Step& s : steps) {
        rig.Press(s.pressX, 105);
        rig.Move(s.releaseX, 105);
        rig.Release(s.releaseX, 105);
        EXPECT_EQ(box->Checked(), s.checked) << s.pressX << " -> " << s.releaseX;
    }
    EXPECT_EQ(changes, 3);
    rig.Press(150, 105, mbRight);
    rig.Release(150, 105, mbRight);
    EXPECT_TRUE(box->Checked()) << "only the left button";
}

TEST(GuiCheckBoxTest, TheMarkIsDrawnInTheCheckColourOnlyWhenChecked) {
    GuiRig rig;
    auto* box = new TGuiCheckBox(&rig.root);
    box->CheckColor = 0xFF0000FF;
    auto marked = [&] {
        for (const auto& q : (rig.Draw(*box), rig.Quads(0)))
            if (q.color == Dev(0xFF0000FF)) return true;
        return false;
    };
    EXPECT_FALSE(marked());
    box->SetChecked(true);
    EXPECT_TRUE(marked());
    box->HorizSpace = 10;
    const auto glyphs = rig.Glyphs(*box);
    ASSERT_FALSE(glyphs.empty());
    EXPECT_FLOAT_EQ(glyphs[0].x, 15 + 10) << "the caption beside the 15-pixel box";
}
