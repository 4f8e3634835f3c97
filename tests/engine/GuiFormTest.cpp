#include "engine/GuiForm.h"
#include "GuiTestRig.h"
#include "engine/GuiButton.h"

namespace {

struct FormRig : GuiRig {
    TGuiForm* form = new TGuiForm(&root);
    FormRig() {
        form->SetBounds({100, 100, 400, 300});
        form->ShadowSize = 0;
    }
};

} // namespace

TEST(GuiFormTest, DraggingTheCaptionMovesTheWindow) {
    FormRig rig;
    rig.Press(110, 105); // inside the 20-pixel caption bar
    EXPECT_TRUE(rig.form->Dragging());
    rig.Move(150, 130);
    EXPECT_EQ(rig.form->Bounds(), (TIntRect{140, 125, 440, 325})) << "press position + travel";
    rig.Move(100, 90);
    EXPECT_EQ(rig.form->Bounds(), (TIntRect{90, 85, 390, 285}));
    rig.Release(100, 90);
    rig.Move(300, 300);
    EXPECT_EQ(rig.form->Left(), 90) << "the release ends the drag";

    rig.Press(150, 200); // the client area
    rig.Move(200, 250);
    EXPECT_EQ(rig.form->Left(), 90);
    rig.Release(200, 250);

    rig.form->CaptSize = 0;
    rig.Press(95, 90);
    EXPECT_FALSE(rig.form->Dragging()) << "no caption, no drag";
}

TEST(GuiFormTest, TheCaptionShowsWhetherTheWindowHasTheFocus) {
    FormRig rig;
    auto* other = new TGuiForm(&rig.root);
    other->SetBounds({500, 0, 600, 100});
    rig.form->Bkgrnd.Drawn = rig.form->Border.Drawn = false;
    rig.form->IconFill.Drawn = false;
    auto captionTop = [&] {
        const auto quads = (rig.Draw(*rig.form), rig.Quads(0));
        return quads.empty() ? 0u : quads[0].color;
    };
    EXPECT_EQ(captionTop(), Dev(rig.form->CaptActive.Colors(0)));
    EXPECT_EQ(rig.Glyphs(*rig.form)[0].color, Dev(0xFFCE5D29));
    rig.Press(550, 50);
    rig.Release(550, 50);
    EXPECT_EQ(captionTop(), Dev(rig.form->CaptUnactive.Colors(0)));
    EXPECT_EQ(rig.Glyphs(*rig.form)[0].color, Dev(0xFFB34624));
}

TEST(GuiFormTest, TheBackgroundImageIsStretchedOverTheClientArea) {
    FormRig rig;
    rig.form->ImageIndex = 0;
    rig.form->ImagePattern = 1;
    rig.Draw(*rig.form);
    const auto quads = rig.Quads(GuiRig::kImageTexture);
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_FLOAT_EQ(quads[0].x, 100);
    EXPECT_FLOAT_EQ(quads[0].y, 120) << "below the caption";
    EXPECT_FLOAT_EQ(quads[0].right, 400);
    EXPECT_FLOAT_EQ(quads[0].bottom, 300);
    EXPECT_GT(quads[0].u, 0.25f) << "pattern 1";

    rig.form->ImageIndex = -1;
    rig.Draw(*rig.form);
    EXPECT_TRUE(rig.Quads(GuiRig::kImageTexture).empty());
}

TEST(GuiFormTest, TheShadowStaysInsideTheBounds) {
    FormRig rig;
    rig.form->ShadowSize = 4;
    rig.Draw(*rig.form);
    const auto quads = rig.Quads(0);
    ASSERT_FALSE(quads.empty());
    EXPECT_EQ(quads[0].color, Dev(0x40000000));
    EXPECT_FLOAT_EQ(quads[0].x, 104);
    EXPECT_FLOAT_EQ(quads[0].bottom, 300);
}
