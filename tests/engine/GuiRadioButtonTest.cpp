#include "engine/GuiRadioButton.h"
#include "GuiTestRig.h"
#include "engine/GuiForm.h"

namespace {

struct RadioRig : GuiRig {
    TGuiForm* form = new TGuiForm(&root);
    TGuiForm* elsewhere = new TGuiForm(&root);
    TGuiRadioButton* a = Make(form, 0, 40);
    TGuiRadioButton* b = Make(form, 0, 60);
    TGuiRadioButton* c = Make(form, 1, 80);
    TGuiRadioButton* d = Make(form, 1, 100);
    TGuiRadioButton* far = Make(elsewhere, 0, 40);

    RadioRig() {
        form->SetBounds({0, 0, 300, 200});
        elsewhere->SetBounds({400, 0, 700, 200});
    }
    static TGuiRadioButton* Make(TGuiControl* parent, int group, int top) {
        auto* r = new TGuiRadioButton(parent);
        r->GroupIndex = group;
        r->SetBounds({10, top, 130, top + 15});
        return r;
    }
    std::string State() {
        std::string s;
        for (auto* r : {a, b, c, d, far}) s += r->Checked() ? '1' : '0';
        return s;
    }
};

} // namespace

TEST(GuiRadioButtonTest, CheckingOneUnchecksItsGroupAmongItsSiblings) {
    RadioRig rig;
    for (auto* r : {rig.b, rig.c, rig.far}) r->SetChecked(true);
    EXPECT_EQ(rig.State(), "01101");
    int changes = 0;
    rig.b->OnChange = [&](TGuiObject*) { ++changes; };
    rig.a->SetChecked(true);
    EXPECT_EQ(rig.State(), "10101") << "group 1 and the other window's buttons stay";
    EXPECT_EQ(changes, 1) << "the unchecked one reports its change";
    rig.d->SetChecked(true);
    EXPECT_EQ(rig.State(), "10011");
}

TEST(GuiRadioButtonTest, TheReleaseChecksWhenInsideOrAlreadyChecked) {
    RadioRig rig;
    rig.Press(20, 65);
    EXPECT_TRUE(rig.b->Armed());
    rig.Release(250, 190);
    EXPECT_EQ(rig.State(), "00000") << "released outside";
    rig.Press(20, 65);
    rig.Release(25, 68);
    EXPECT_EQ(rig.State(), "01000");
    rig.Press(20, 65);
    rig.Release(250, 190);
    EXPECT_EQ(rig.State(), "01000") << "already checked: stays checked";
}
