#include "engine/GuiButton.h"
#include "GuiTestRig.h"

namespace {

struct ButtonRig : GuiRig {
    TGuiButton* button = new TGuiButton(&root);
    ButtonRig() { button->SetBounds({100, 100, 190, 124}); }
    // The pattern drawn: the rig's image has pattern 0 on the left half, 1 on the right.
    int DrawnPattern() {
        const auto quads = (Draw(*button), Quads(kImageTexture));
        if (quads.empty()) return -1;
        return quads[0].u < 0.25f ? 0 : 1;
    }
};

} // namespace

TEST(GuiButtonTest, ImageButtonsShowTheNormalHoverAndPressedPatterns) {
    ButtonRig rig;
    rig.button->ImageIndex = 0;
    rig.button->NormalGlyph = 0;
    rig.button->DisabledGlyph = 1; // shown while the mouse is over the button
    rig.button->ClickedGlyph = 0;
    EXPECT_EQ(rig.DrawnPattern(), 0);
    rig.Move(150, 110);
    EXPECT_EQ(rig.DrawnPattern(), 1);
    rig.Press(150, 110);
    EXPECT_TRUE(rig.button->Pressed());
    EXPECT_EQ(rig.DrawnPattern(), 0) << "pressed wins over hovering";
    rig.Release(150, 110);
    EXPECT_EQ(rig.DrawnPattern(), 1);
    rig.Move(500, 500);
    EXPECT_EQ(rig.DrawnPattern(), 0);
    rig.Press(150, 110, mbRight);
    EXPECT_FALSE(rig.button->Pressed()) << "only the left button presses";
}

TEST(GuiButtonTest, TheImageIsStretchedOverTheButtonOrFillsAreDrawnWithoutOne) {
    ButtonRig rig;
    rig.button->ImageIndex = 0;
    rig.Draw(*rig.button);
    const auto batches = rig.Drawn();
    ASSERT_FALSE(batches.empty());
    EXPECT_EQ(batches[0].texture, GuiRig::kImageTexture);
    EXPECT_EQ(batches[0].drawFx, fxBlend);
    EXPECT_EQ(batches[0].vertices[0].color, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(batches[0].vertices[0].x + 0.5f, 100);
    EXPECT_FLOAT_EQ(batches[0].vertices[2].x + 0.5f, 190);
    EXPECT_FLOAT_EQ(batches[0].vertices[2].y + 0.5f, 124);

    rig.button->ImageIndex = 5; // not in the list
    EXPECT_EQ(rig.DrawnPattern(), -1);
    rig.Draw(*rig.button);
    EXPECT_FALSE(rig.Quads(0).empty()) << "the plain face instead";
}

TEST(GuiButtonTest, TheCaptionIsCentredAndMovesWhilePressed) {
    ButtonRig rig;
    rig.button->Caption = "Play"; // 32 by 16 in a 90 by 24 button
    auto glyphs = rig.Glyphs(*rig.button);
    ASSERT_EQ(glyphs.size(), 4u);
    EXPECT_FLOAT_EQ(glyphs[0].x, 129);
    EXPECT_FLOAT_EQ(glyphs[0].y, 104);
    EXPECT_EQ(glyphs[0].color, Dev(0xFFC65D21));
    rig.Press(150, 110);
    glyphs = rig.Glyphs(*rig.button);
    EXPECT_FLOAT_EQ(glyphs[0].x, 130);
    EXPECT_FLOAT_EQ(glyphs[0].y, 105);
    rig.Release(150, 110);
    rig.button->SetEnabled(false);
    EXPECT_EQ(rig.Glyphs(*rig.button)[0].color, Dev(0xFF5F6B70)) << "the disabled font";
}
