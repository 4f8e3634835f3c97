#include "GuiTestRig.h"
#include "engine/GuiButton.h"
#include "engine/GuiCheckBox.h"
#include "engine/GuiEdit.h"
#include "engine/GuiForm.h"
#include "engine/GuiGauge.h"
#include "engine/GuiLabel.h"
#include "engine/GuiListBox.h"
#include "engine/GuiPaint.h"
#include "engine/GuiRadioButton.h"
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

// A control that logs what reaches it: draws with their clip rectangle, mouse and key events.
struct Probe : TGuiControl {
    Probe(TGuiControl* parent, std::string name, TIntRect bounds, std::vector<std::string>* log)
        : TGuiControl(parent), log_(log) {
        Name = std::move(name);
        SetBounds(bounds);
        OnMouse = [this](TGuiObject*, TGuiPoint p, int button, TGuiShift, int event) {
            static const char* kEvents[] = {"down", "up", "move", "click", "dbl", "enter", "leave"};
            log_->push_back(Name + ":" + kEvents[event]);
        };
        OnKey = [this](TGuiObject*, int key, TGuiShift, int event) {
            log_->push_back(Name + ":key" + std::to_string(event) + "=" + std::to_string(key));
        };
        OnClick = [this](TGuiObject*) { log_->push_back(Name + ":OnClick"); };
    }
    ~Probe() override {
        if (logDestruction) log_->push_back("~" + Name);
    }
    void Draw() override {
        const TIntRect c = Canvas()->GetClipRect();
        char buf[64];
        std::snprintf(buf, sizeof buf, "%s@%d,%d,%d,%d", Name.c_str(), c.Left, c.Top, c.Right,
                      c.Bottom);
        log_->push_back(buf);
    }
    std::vector<std::string>* log_;
    bool logDestruction = false; // only while the log outlives the probe
};

std::string Join(const std::vector<std::string>& v) {
    std::string s;
    for (const auto& x : v) s += (s.empty() ? "" : " ") + x;
    return s;
}

// "Name:type:tag" for every entry after the component and control ones.
std::string OwnEntries(const TGuiObject& o) {
    std::string s;
    const auto& props = o.Properties();
    for (size_t i = 9; i < props.size(); ++i) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%s%.*s:%d:%X", s.empty() ? "" : " ",
                      int(props[i].Name.size()), props[i].Name.data(), props[i].Type,
                      unsigned(props[i].Tag));
        s += buf;
    }
    return s;
}

} // namespace

TEST(GuiControlsTest, EveryControlStartsWithTheComponentAndControlEntries) {
    TGuiButton button(nullptr);
    const auto& p = button.Properties();
    ASSERT_GE(p.size(), 9u);
    struct Entry {
        const char* name;
        uint8_t type;
        uint32_t tag;
        const char* description;
    };
    const Entry expected[] = {
        {"Left", 0, 0x70000, "The horizontal position of component in pixels"},
        {"Top", 0, 0x70001, "The vertical position of component in pixels"},
        {"Width", 0, 0x70002, "The horizontal size of component in pixels"},
        {"Height", 0, 0x70003, "The vertical size of component in pixels"},
        {"Tag", 2, 0x70004, "User-defined attribute"},
        {"Visible", 3, 0x70005, "Whether this component is visible or not"},
        {"Enabled", 3, 0x70006, "Whether this component can receive and respond to events"},
        {"Name", 2, 0x80000, "The unique name of control"},
        {"DrawFx", 6, 0x80001, "Drawing effect used with this control"},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(p[i].Name, expected[i].name);
        EXPECT_EQ(p[i].Type, expected[i].type) << expected[i].name;
        EXPECT_EQ(p[i].Tag, expected[i].tag) << expected[i].name;
        EXPECT_EQ(p[i].Description, expected[i].description);
    }
}

TEST(GuiControlsTest, ConcreteClassesEnterTheirStandardAndOwnProperties) {
    struct Case {
        std::function<TGuiControl*()> make;
        const char* className;
        const char* description;
        const char* entries;
    };
    const Case cases[] = {
        {[] { return new TGuiForm(nullptr); }, "TGuiForm", "TGuiForm represents a standard window.",
         "Bkgrnd:4:80003 Border:4:80004 Caption:2:A000 CaptSize:0:A001 CaptAdjust:0:A002 "
         "CaptActive:4:A003 CaptUnactive:4:A004 FontActive:5:A005 FontUnactive:5:A006 "
         "IconFill:4:A007 IconIndex:0:A008 IconPattern:0:A009 IconWidth:0:A00A IconHeight:0:A00B "
         "ImageIndex:0:A00C ImagePattern:0:A00D ShadowSize:0:A00E ShadowColor:8:A00F"},
        {[] { return new TGuiButton(nullptr); }, "TGuiButton",
         "This component is a clickable button.",
         "Bkgrnd:4:80003 Border:4:80004 Font:5:80002 DisabledFont:5:80006 OutFill:4:A000 "
         "Caption:2:A001 ImageIndex:0:A002 NormalGlyph:0:A003 DisabledGlyph:0:A004 "
         "ClickedGlyph:0:A005 GlyphSpacer:0:A006 GlyphWidth:0:A007 GlyphHeight:0:A008 "
         "GlyphPosition:10:A009"},
        {[] { return new TGuiLabel(nullptr); }, "TGuiLabel",
         "TGuiLabel is an advanced component that displays text.",
         "Bkgrnd:4:80003 Border:4:80004 Font:5:80002 DisabledFont:5:80006 Text:2:A000 "
         "WordWrap:3:A001 TextAdjust:0:A002 Alignment:7:A003 LineSpacing:0:A004 "
         "Progressive:3:A005 ShowDelay:0:A006"},
        {[] { return new TGuiEdit(nullptr); }, "TGuiEdit",
         "TGuiEdit is a simple box with editable text.",
         "Bkgrnd:4:80003 Border:4:80004 Font:5:80002 DisabledFont:5:80006 Text:2:A000 "
         "ReadOnly:3:A001 TextAdjust:0:A002 BlinkTicks:0:A003 Selector:4:A004 MaxLength:0:A005 "
         "TabOrder:0:A006"},
        {[] { return new TGuiListBox(nullptr); }, "TGuiListBox",
         "TGuiListBox is a simple set of multiple selectable strings",
         "Bkgrnd:4:80003 Selected:4:80005 Font:5:80002 Items:9:A000 ItemSize:0:A001 "
         "Indexed:4:A002 ItemIndex:0:A003 TextAdjust:0:A004 IndexedFont:5:A005 BorderColor:8:A006 "
         "ScrollButton:4:A007 ScrollFill:4:A008 ScrollPressed:4:A009 ScrollArrow:8:A00A"},
        {[] { return new TGuiCheckBox(nullptr); }, "TGuiCheckBox",
         "This component represents a simple checkable box",
         "Bkgrnd:4:80003 Border:4:80004 Selected:4:80005 Font:5:80002 DisabledFont:5:80006 "
         "Checked:3:A000 Caption:2:A001 TextAdjust:0:A002 CheckColor:8:A003 HorizSpace:0:A004"},
        {[] { return new TGuiRadioButton(nullptr); }, "TGuiRadioButton",
         "This component represents a simple radio button",
         "Bkgrnd:4:80003 Font:5:80002 DisabledFont:5:80006 Checked:3:A000 Caption:2:A001 "
         "TextAdjust:0:A002 BorderColor:8:A003 CheckColor:8:A004 OverColor:8:A005 "
         "HorizSpace:0:A006 GroupIndex:0:A007"},
        {[] { return new TGuiGauge(nullptr); }, "TGuiGauge",
         "This component is a simple progress bar",
         "Bkgrnd:4:80003 Border:4:80004 Selected:4:80005 Font:5:80002 DisabledFont:5:80006 "
         "Caption:2:A000 Theta:0:A001 MinValue:0:A002 MaxValue:0:A003 ShowText:3:A004 "
         "Alignment:7:A005"},
        {[] { return new TGuiPaint(nullptr); }, "TGuiPaint",
         "This component can be used to paint on.", "Bkgrnd:4:80003 Border:4:80004"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TGuiControl> control(c.make());
        EXPECT_EQ(control->ClassName(), c.className);
        EXPECT_EQ(control->Description(), c.description);
        EXPECT_EQ(OwnEntries(*control), c.entries) << c.className;
    }
}

TEST(GuiControlsTest, InitialSizesAndValues) {
    struct Case {
        std::function<TGuiControl*()> make;
        int width, height;
        uint32_t drawFx;
    };
    const Case cases[] = {
        {[] { return new TGuiForm(nullptr); }, 300, 200, fxNone},
        {[] { return new TGuiButton(nullptr); }, 90, 24, fxNone},
        {[] { return new TGuiLabel(nullptr); }, 100, 20, fxBlend},
        {[] { return new TGuiEdit(nullptr); }, 100, 20, fxNone},
        {[] { return new TGuiCheckBox(nullptr); }, 100, 15, fxNone},
        {[] { return new TGuiRadioButton(nullptr); }, 120, 15, fxBlend},
        {[] { return new TGuiGauge(nullptr); }, 120, 20, fxNone},
        {[] { return new TGuiPaint(nullptr); }, 120, 120, fxNone},
    };
    for (const Case& c : cases) {
        std::unique_ptr<TGuiControl> control(c.make());
        EXPECT_EQ(control->Width(), c.width) << control->ClassName();
        EXPECT_EQ(control->Height(), c.height) << control->ClassName();
        EXPECT_EQ(control->DrawFx, c.drawFx) << control->ClassName();
        EXPECT_EQ(control->Tag, TGuiVariant(0));
        EXPECT_TRUE(control->Visible() && control->Enabled());
    }
    // The values a form file relies on when it leaves a property out.
    TGuiForm form(nullptr);
    EXPECT_EQ(form.GetPropertyByName("Caption"), TGuiVariant("TGuiForm"));
    EXPECT_EQ(form.CaptActive.Colors(0), 0xFFFFFFFFu);
    EXPECT_EQ(form.CaptActive.Colors(2), 0xFFF7D3C6u);
    EXPECT_EQ(form.GetPropertyByName("ShadowColor"), TGuiVariant(int32_t(0x40000000)));
    TGuiButton button(nullptr);
    EXPECT_EQ(button.Font.TopColor, 0xFFC65D21u);
    EXPECT_EQ(button.DisabledFont.BottomColor, 0xFF5F6B70u);
    EXPECT_EQ(button.GetPropertyByName("DisabledGlyph"), TGuiVariant(1));
    TGuiLabel label(nullptr);
    EXPECT_FALSE(label.Bkgrnd.Drawn || label.Border.Drawn);
    TGuiEdit edit(nullptr);
    EXPECT_EQ(edit.Selector.Colors(3), 0x80D67563u);
    TGuiRadioButton radio(nullptr);
    EXPECT_EQ(radio.GetPropertyByName("OverColor"), TGuiVariant(int32_t(0x80FC97B2)));
    TGuiGauge gauge(nullptr);
    EXPECT_EQ(gauge.GetPropertyByName("ShowText"), TGuiVariant(true));
    TGuiPaint paint(nullptr);
    EXPECT_TRUE(paint.Bkgrnd.Drawn && paint.Border.Drawn);
    EXPECT_EQ(paint.Bkgrnd.Colors(1), 0xFFFFFFFFu);
}

namespace {

// A class that enters a second "left" after the component's one, and keeps its width even.
struct Twisted : TGuiControl {
    using TGuiControl::TGuiControl;
    int shadow = 0;
    void DescribeProperties() override {
        TGuiControl::DescribeProperties();
        AddProperty("left", ptInteger, "a second entry of the same name", 0xA000);
    }
    bool SetProperty(uint32_t tag, const TGuiVariant& v) override {
        return tag == 0xA000 ? AssignInteger(v, shadow) : TGuiControl::SetProperty(tag, v);
    }
    void BoundsChanging(TIntRect& r) override { r.Right = r.Left + (r.Right - r.Left) / 2 * 2; }
};

} // namespace

TEST(GuiControlsTest, PropertiesByNameIgnoreCaseAndTheFirstEntryWins) {
    Twisted t(nullptr);
    EXPECT_TRUE(t.SetPropertyByName("LEFT", TGuiVariant("12")));
    EXPECT_EQ(t.Left(), 12);
    EXPECT_EQ(t.shadow, 0) << "the component's Left comes first";
    EXPECT_TRUE(t.SetPropertyByName("NoSuchProperty", TGuiVariant("x"))) << "ignored";
    EXPECT_EQ(t.GetProperty(0x12345), TGuiVariant(0)) << "an unknown tag reads as integer 0";
    EXPECT_EQ(t.GetFill(0x12345), nullptr);
    EXPECT_EQ(t.GetFillByName("Left"), nullptr) << "not a fill";
    EXPECT_FALSE(t.SetPropertyByName("Visible", TGuiVariant("perhaps")));
    EXPECT_TRUE(t.Visible()) << "a value that does not convert changes nothing";
}

TEST(GuiControlsTest, BoundsMoveKeepingTheSizeAndPassThroughBoundsChanging) {
    Twisted t(nullptr);
    t.SetBounds({10, 20, 60, 50});
    t.SetLeft(100);
    EXPECT_EQ(t.Bounds(), (TIntRect{100, 20, 150, 50}));
    t.SetTop(0);
    EXPECT_EQ(t.Bounds(), (TIntRect{100, 0, 150, 30}));
    t.SetWidth(33);
    EXPECT_EQ(t.Width(), 32) << "BoundsChanging keeps the width even";
    t.SetHeight(7);
    EXPECT_EQ(t.Height(), 7);
    t.SetLeft(INT32_MAX);
    EXPECT_EQ(t.Right(), INT32_MAX) << "saturates instead of overflowing";
}

TEST(GuiControlsTest, FocusFollowsAddingHidingShowingAndRemoving) {
    TGuiTaskbar root;
    auto* a = new TGuiControl(&root);
    auto* b = new TGuiControl(&root);
    auto* c = new TGuiControl(&root);
    EXPECT_EQ(root.FocusedChild(), a) << "the first child arrives without a focused sibling";
    a->Hide();
    EXPECT_EQ(root.FocusedChild(), b) << "the first visible, enabled child";
    a->Hide();
    EXPECT_EQ(root.FocusedChild(), b) << "hiding an unfocused child changes nothing";
    b->SetEnabled(false);
    b->Hide();
    EXPECT_EQ(root.FocusIndex(), 2);
    c->Hide();
    EXPECT_EQ(root.FocusedChild(), nullptr) << "nothing visible is left";
    b->Show();
    EXPECT_EQ(root.FocusedChild(), nullptr) << "b is disabled";
    a->Show();
    EXPECT_EQ(root.FocusedChild(), a);
    c->Show();
    EXPECT_EQ(root.FocusedChild(), a) << "the parent already has a focused child";
    delete a;
    EXPECT_EQ(root.FocusedChild(), c) << "removing the focused child picks the first active one";
}

TEST(GuiControlsTest, SetFocusRunsUpToTheRootAndIsFocusedChecksTheWholeChain) {
    TGuiTaskbar root;
    auto* f1 = new TGuiForm(&root);
    auto* f2 = new TGuiForm(&root);
    auto* e1 = new TGuiEdit(f2);
    auto* e2 = new TGuiEdit(f2);
    EXPECT_TRUE(f1->IsFocused());
    EXPECT_FALSE(e1->IsFocused()) << "focused in its form, but the form is not";
    e2->SetFocus();
    EXPECT_TRUE(e2->IsFocused());
    EXPECT_TRUE(f2->IsFocused());
    EXPECT_FALSE(f1->IsFocused() || e1->IsFocused());
    EXPECT_TRUE(root.IsFocused());
}

TEST(GuiControlsTest, BringToFrontAndSendToBackKeepTheFocus) {
    TGuiTaskbar root;
    auto* a = new TGuiControl(&root);
    auto* b = new TGuiControl(&root);
    auto* c = new TGuiControl(&root);
    c->SetFocus();
    c->BringToFront();
    EXPECT_EQ(root.Child(0), c);
    EXPECT_EQ(root.Child(1), a);
    EXPECT_EQ(root.FocusIndex(), 0) << "the focus index follows the moved control";
    c->SendToBack();
    EXPECT_EQ(root.Child(2), c);
    EXPECT_EQ(root.FocusIndex(), 2);
    a->BringToFront();
    EXPECT_EQ(root.FocusedChild(), c) << "moving another control leaves the focus where it was";
    EXPECT_EQ(root.Child(3), nullptr);
    EXPECT_EQ(root.Child(-1), nullptr);
    (void)b;
}

TEST(GuiControlsTest, FindControlIsDepthFirstPreOrderIgnoringCase) {
    TGuiTaskbar root;
    auto* menu = new TGuiForm(&root);
    menu->Name = "scr_main";
    auto* panel = new TGuiControl(menu);
    auto* deep = new TGuiButton(panel);
    deep->Name = "twin";
    auto* controls = new TGuiForm(&root);
    controls->Name = "scr_controls";
    auto* back = new TGuiButton(controls);
    back->Name = "b_controls_back";
    auto* shallow = new TGuiButton(controls);
    shallow->Name = "twin";

    EXPECT_EQ(root.FindControl("B_CONTROLS_BACK"), back);
    EXPECT_EQ(root.FindControl("twin"), deep) << "the first form's subtree is searched first";
    EXPECT_EQ(root.FindControl("Scr_Main"), menu);
    EXPECT_EQ(root.FindControl("nothing"), nullptr);
    EXPECT_EQ(controls->FindControl("twin"), shallow);
}

TEST(GuiControlsTest, ScreenAndVisibleRectanglesAndClientPoints) {
    TGuiTaskbar root;
    auto* form = new TGuiForm(&root);
    form->SetBounds({100, 50, 300, 250});
    auto* panel = new TGuiControl(form);
    panel->SetBounds({150, 10, 250, 60}); // sticks out of the form on the right
    auto* inner = new TGuiControl(panel);
    inner->SetBounds({5, 5, 20, 20});
    EXPECT_EQ(panel->ScreenRect(), (TIntRect{250, 60, 350, 110}));
    EXPECT_EQ(panel->VisibleRect(), (TIntRect{250, 60, 300, 110}));
    EXPECT_EQ(inner->ScreenRect(), (TIntRect{255, 65, 270, 80}));
    EXPECT_EQ(inner->ScreenToClient({260, 70}), (TGuiPoint{5, 5}));
}

TEST(GuiControlsTest, HitTestPrefersIndexZeroAndSkipsHiddenControls) {
    TGuiTaskbar root;
    std::vector<std::string> log;
    auto* front = new Probe(&root, "front", {0, 0, 100, 100}, &log);
    auto* back = new Probe(&root, "back", {50, 50, 150, 150}, &log);
    auto* child = new Probe(back, "child", {60, 60, 120, 120}, &log); // sticks out of its parent
    EXPECT_EQ(root.HitTest({75, 75}), front) << "index 0 wins the overlap";
    EXPECT_EQ(root.HitTest({100, 100}), front) << "right and bottom edges belong to the rect";
    EXPECT_EQ(root.HitTest({101, 101}), back);
    EXPECT_EQ(root.HitTest({150, 150}), child);
    EXPECT_EQ(root.HitTest({160, 160}), nullptr) << "outside its parent's visible rect";
    EXPECT_EQ(root.HitTest({500, 500}), nullptr) << "the root never yields itself";
    back->Hide();
    EXPECT_EQ(root.HitTest({140, 140}), nullptr) << "a hidden parent hides its children";
}

TEST(GuiControlsTest, DrawingPaintsBackToFrontClippedToEachVisibleRectangle) {
    GuiRig rig;
    std::vector<std::string> log;
    auto* front = new Probe(&rig.root, "front", {0, 0, 100, 100}, &log);
    auto* back = new Probe(&rig.root, "back", {50, 50, 150, 150}, &log);
    new Probe(back, "child", {60, 60, 120, 120}, &log);
    auto* hidden = new Probe(&rig.root, "hidden", {0, 0, 800, 600}, &log);
    new Probe(hidden, "underHidden", {0, 0, 10, 10}, &log);
    new Probe(front, "outside", {200, 200, 220, 220}, &log); // nothing of it is visible
    hidden->Hide();
    rig.canvas.SetClipRect({1, 2, 3, 4});
    rig.root.DrawTree();
    EXPECT_EQ(Join(log), "back@50,50,150,150 child@110,110,150,150 front@0,0,100,100");
    EXPECT_EQ(rig.canvas.GetClipRect(), (TIntRect{1, 2, 3, 4})) << "each control restores the clip";
}

TEST(GuiControlsTest, CaptureKeepsTheReleaseAndEnterLeaveWaitForIt) {
    GuiRig rig;
    std::vector<std::string> log;
    new Probe(&rig.root, "a", {0, 0, 100, 100}, &log);
    auto* b = new Probe(&rig.root, "b", {200, 0, 300, 100}, &log);
    rig.Move(50, 50);
    rig.Press(50, 50);
    rig.Move(250, 50);
    rig.Release(250, 50);
    EXPECT_EQ(Join(log), "a:enter a:move a:down a:move b:enter a:up a:leave");
    EXPECT_EQ(rig.root.Capture(), nullptr);
    EXPECT_EQ(rig.root.UnderMouse(), b);
}

TEST(GuiControlsTest, TheCaptureLastsUntilTheLastButtonIsReleased) {
    GuiRig rig;
    std::vector<std::string> log;
    auto* a = new Probe(&rig.root, "a", {0, 0, 100, 100}, &log);
    new Probe(&rig.root, "b", {200, 0, 300, 100}, &log);
    rig.Press(50, 50);
    rig.Press(50, 50, mbRight);
    rig.Release(250, 50);
    EXPECT_EQ(rig.root.Capture(), a) << "the right button is still down";
    rig.Move(260, 50);
    rig.Release(260, 50, mbRight);
    // No enter for a: the press came before any move.
    EXPECT_EQ(Join(log), "a:down a:down a:up a:move b:enter a:up");
    rig.Release(260, 50);
    EXPECT_EQ(rig.root.ButtonsHeld(), 0) << "a release without a press counts nothing";
}

TEST(GuiControlsTest, ClicksNeedAVisibleChainAnEnabledControlAndThePointInside) {
    GuiRig rig;
    std::vector<std::string> log;
    auto* form = new TGuiForm(&rig.root);
    form->SetBounds({0, 0, 400, 400});
    auto* button = new Probe(form, "button", {10, 10, 60, 40}, &log);
    rig.ClickAt(20, 20);
    EXPECT_EQ(log.back(), "button:OnClick");

    // Pressed, then its form is hidden before the click arrives: the capture still delivers,
    // but a click with a hidden ancestor is ignored.
    log.clear();
    rig.Press(20, 20);
    form->Hide();
    rig.root.Click();
    EXPECT_EQ(Join(log), "button:down") << "no click at all";
    rig.Release(20, 20);
    form->Show();

    log.clear();
    button->SetEnabled(false);
    rig.ClickAt(20, 20);
    EXPECT_EQ(Join(log), "button:enter") << "a disabled control only learns the mouse is over it";

    log.clear();
    button->SetEnabled(true);
    button->MouseEvent({300, 300}, meClick, mbLeft, 0);
    EXPECT_EQ(Join(log), "button:click") << "the click outside calls no OnClick";
}

TEST(GuiControlsTest, APressFocusesItsTargetUpTheChain) {
    GuiRig rig;
    auto* f1 = new TGuiForm(&rig.root);
    auto* f2 = new TGuiForm(&rig.root);
    f2->SetBounds({400, 0, 700, 200});
    auto* e1 = new TGuiEdit(f2);
    auto* e2 = new TGuiEdit(f2);
    e2->SetBounds({10, 50, 110, 70});
    EXPECT_TRUE(f1->IsFocused());
    rig.Press(420, 55);
    EXPECT_TRUE(e2->IsFocused());
    EXPECT_FALSE(e1->IsFocused() || f1->IsFocused());
    rig.Release(420, 55);
    rig.Press(50, 50);
    EXPECT_TRUE(f1->IsFocused()) << "a press on the window itself";
}

TEST(GuiControlsTest, KeysGoDownTheFocusedChainToTheDeepestControl) {
    GuiRig rig;
    std::vector<std::string> log;
    auto* form = new Probe(&rig.root, "form", {0, 0, 100, 100}, &log);
    auto* a = new Probe(form, "a", {0, 0, 10, 10}, &log);
    auto* b = new Probe(form, "b", {0, 0, 10, 10}, &log);
    rig.Key(65);
    b->SetFocus();
    rig.root.KeyEvent('x', keChar, 0);
    form->Hide();
    rig.Key(66);
    EXPECT_EQ(Join(log), "a:key0=65 b:key2=120");
    (void)a;
}

TEST(GuiControlsTest, DestroyingControlsUnlinksThemAndFreesChildrenLastFirst) {
    GuiRig rig;
    std::vector<std::string> log;
    auto* form = new Probe(&rig.root, "form", {0, 0, 100, 100}, &log);
    auto* one = new Probe(form, "one", {0, 0, 50, 50}, &log);
    auto* two = new Probe(form, "two", {0, 0, 50, 50}, &log);
    auto* three = new Probe(form, "three", {60, 60, 90, 90}, &log);
    one->logDestruction = three->logDestruction = true;
    rig.Press(10, 10); // "two" is not on top; "one" at index 0 is
    EXPECT_EQ(rig.root.Capture(), form->Child(0));
    delete two;
    EXPECT_EQ(form->ChildCount(), 2);
    log.clear();
    form->ClearChildren();
    EXPECT_EQ(Join(log), "~three ~one");
    EXPECT_EQ(rig.root.Capture(), nullptr) << "the root forgets a freed capture holder";
    EXPECT_EQ(rig.root.UnderMouse(), nullptr);
    rig.Move(20, 20);
    rig.Release(20, 20);
    EXPECT_EQ(Join(log), "~three ~one form:move form:enter form:up");
}
