#include "engine/GuiBase.h"
#include "GuiTestRig.h"
#include "engine/GuiButton.h"
#include "engine/GuiLabel.h"
#include "platform/Event.h"
#include <stdexcept>

namespace {

std::string ErrorOf(TGuiOwner* owner) {
    try {
        TGuiBase gui(owner);
    } catch (const std::logic_error& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(GuiBaseTest, OnlyOneOnAForm) {
    TGuiOwner notAForm;
    notAForm.IsForm = false;
    EXPECT_EQ(ErrorOf(nullptr), "TGuiBase: Owner must be TCustomForm.");
    EXPECT_EQ(ErrorOf(&notAForm), "TGuiBase: Owner must be TCustomForm.");
    TGuiOwner form;
    {
        TGuiBase first(&form);
        EXPECT_EQ(form.Gui, &first);
        EXPECT_EQ(ErrorOf(&form), "TGuiBase: Only one instance of this component is allowed.");
    }
    EXPECT_EQ(ErrorOf(&form), "") << "free again once the first is gone";
}

TEST(GuiBaseTest, TheWindowsHandlersRunFirstThenTheGuiIsFed) {
    GuiRig rig;
    TGuiOwner window;
    std::vector<std::string> log;
    window.OnMouseDown = [&](int b, TGuiShift, int x, int y) {
        log.push_back("window down " + std::to_string(x));
    };
    window.OnKeyDown = [&](int key, TGuiShift) { log.push_back("window key"); };
    auto gui = std::make_unique<TGuiBase>(&window);
    gui->SetCanvas(&rig.canvas);
    gui->SetFonts(&rig.fonts);
    auto* button = new TGuiButton(&gui->Root());
    button->SetBounds({0, 0, 100, 100});
    button->OnClick = [&](TGuiObject*) { log.push_back("gui click"); };
    button->OnKey = [&](TGuiObject*, int key, TGuiShift, int event) {
        log.push_back("gui key " + std::to_string(event) + ":" + std::to_string(key));
    };
    button->OnMouse = [&](TGuiObject*, TGuiPoint, int, TGuiShift, int event) {
        if (event == meDown) log.push_back("gui down");
    };

    platform::Event e;
    e.type = platform::Event::Type::MouseDown;
    e.x = e.y = 50;
    window.Dispatch(e);
    e.type = platform::Event::Type::MouseUp;
    window.Dispatch(e); // a left release is also a click
    e.type = platform::Event::Type::KeyDown;
    e.key = 65;
    window.Dispatch(e);
    e.type = platform::Event::Type::Char;
    e.ch = 'a';
    window.Dispatch(e);
    EXPECT_EQ(log, (std::vector<std::string>{"window down 50", "gui down", "gui click",
                                             "window key", "gui key 0:65", "gui key 2:97"}));

    gui.reset();
    log.clear();
    e.type = platform::Event::Type::KeyDown;
    window.Dispatch(e);
    EXPECT_EQ(log, std::vector<std::string>{"window key"}) << "handlers given back";
    EXPECT_EQ(window.Gui, nullptr);
}

TEST(GuiBaseTest, WindowPixelsBecomeLogicalByTheDeviceScale) {
    platform::headless::RecordingRenderer renderer;
    TGfxDevice device(renderer);
    device.SetWidth(1024);
    device.SetHeight(768);
    ASSERT_TRUE(device.Initialize());
    TGuiOwner window;
    TGuiBase gui(&window);
    EXPECT_EQ(gui.ToLogical(512, 384), (TGuiPoint{512, 384})) << "no device yet: scale 1";
    gui.SetPublisher(&device);
    EXPECT_EQ(gui.ToLogical(512, 384), (TGuiPoint{400, 300}));
    EXPECT_EQ(gui.ToLogical(1023, 767), (TGuiPoint{799, 599})); // 799.2, 599.2
    EXPECT_EQ(gui.ToLogical(3, 2), (TGuiPoint{2, 2}));          // 2.34, 1.56

    auto* button = new TGuiButton(&gui.Root());
    button->SetBounds({390, 290, 410, 310});
    bool clicked = false;
    button->OnClick = [&](TGuiObject*) { clicked = true; };
    window.OnMouseDown(mbLeft, ssLeft, 512, 384);
    window.OnMouseUp(mbLeft, 0, 512, 384);
    window.OnClick();
    EXPECT_TRUE(clicked);
}

TEST(GuiBaseTest, DrawCoversTheScreenAndRestoresTheClip) {
    GuiRig rig;
    TGuiOwner window;
    TGuiBase gui(&window);
    gui.SetCanvas(&rig.canvas);
    gui.Root().SetBounds({5, 5, 10, 10});
    auto* label = new TGuiLabel(&gui.Root());
    label->SetBounds({700, 500, 800, 600});
    label->Bkgrnd.Drawn = true;
    rig.canvas.SetClipRect({10, 10, 20, 20});
    rig.renderer.clips.clear();
    gui.Draw();
    EXPECT_EQ(gui.Root().Bounds(), (TIntRect{0, 0, 800, 600}));
    EXPECT_EQ(rig.canvas.GetClipRect(), (TIntRect{10, 10, 20, 20}));
    EXPECT_FALSE(rig.Quads(0).empty()) << "a control in the far corner is drawn";
    ASSERT_GE(rig.renderer.clips.size(), 2u);
    EXPECT_EQ(rig.renderer.clips[0], (platform::DeviceRect{0, 0, 800, 600}));
}

TEST(GuiBaseTest, UpdateAndFindControlCoverTheWholeTree) {
    TGuiOwner window;
    TGuiBase gui(&window);
    auto* form = new TGuiButton(&gui.Root());
    auto* label = new TGuiLabel(form);
    label->Name = "l_story";
    label->Progressive = true;
    label->ShowDelay = 1;
    label->SetText("typed");
    form->Hide();
    gui.Update();
    gui.Update();
    EXPECT_EQ(label->ShownCount(), 2u) << "hidden controls are updated too";
    EXPECT_EQ(gui.FindControl("L_STORY"), label);
}
