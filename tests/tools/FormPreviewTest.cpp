#include "tools/FormPreview.h"
#include "engine/GuiButton.h"
#include "engine/GuiForm.h"
#include "engine/GuiLabel.h"
#include "engine/GuiListBox.h"
#include "engine/GuiTestRig.h"
#include <gtest/gtest.h>

TEST(FormPreviewTest, ReadsPicturesAndSteps) {
    TFormPreview p;
    std::string error;
    ASSERT_TRUE(
        ParseFormPreview({"@back=0,0", "scr_a", "@speak=325,30,1.2,1:2", "^", "@page=448,273.5,0.5",
                          "~b_x", "hello=Hi, you=me!", "Label11^533"},
                         p, error))
        << error;
    ASSERT_EQ(p.Pictures.size(), 3u);
    EXPECT_EQ(p.Pictures[0].Image, "back");
    EXPECT_FLOAT_EQ(p.Pictures[0].ScaleY, 1);
    EXPECT_FALSE(p.Pictures[0].OverGui);
    EXPECT_FLOAT_EQ(p.Pictures[1].ScaleX, 1.2f);
    EXPECT_FLOAT_EQ(p.Pictures[1].ScaleY, 1);
    EXPECT_EQ(p.Pictures[1].Pattern, 2);
    EXPECT_FALSE(p.Pictures[1].OverGui) << "before the ^";
    EXPECT_TRUE(p.Pictures[2].OverGui);
    EXPECT_FLOAT_EQ(p.Pictures[2].Y, 273.5f);
    EXPECT_FLOAT_EQ(p.Pictures[2].ScaleY, 0.5f) << "one scale is both";
    EXPECT_EQ(p.Steps,
              (std::vector<std::string>{"scr_a", "~b_x", "hello=Hi, you=me!", "Label11^533"}));

    struct Case {
        const char* word;
        const char* message;
    };
    const Case bad[] = {
        {"@back", "@IMAGE=X,Y"},        {"@=1,2", "@IMAGE=X,Y"},   {"@a=1", "@IMAGE=X,Y"},
        {"@a=1,2,3,4,5", "@IMAGE=X,Y"}, {"@a=x,2", "@IMAGE=X,Y"},  {"@a=1,2,0", "@IMAGE=X,Y"},
        {"@a=1,2:-1", "@IMAGE=X,Y"},    {"-", "names no control"}, {"=text", "names no control"},
        {"Label1^", "NAME^X"},          {"Label1^left", "NAME^X"},
    };
    for (const Case& c : bad) {
        EXPECT_FALSE(ParseFormPreview({c.word}, p, error)) << c.word;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.word << ": " << error;
    }
}

TEST(FormPreviewTest, StepsActOnTheNamedControls) {
    GuiRig rig;
    auto* form = new TGuiForm(&rig.root);
    form->Name = "scr_a";
    form->SetBounds({100, 100, 500, 400});
    form->CaptSize = 0;
    form->Hide();
    auto* label = new TGuiLabel(form);
    label->Name = "hello";
    label->SetBounds({10, 10, 300, 30});
    auto* button = new TGuiButton(form);
    button->Name = "b_go";
    button->SetBounds({10, 50, 100, 80});
    auto* list = new TGuiListBox(form);
    list->Name = "players";
    auto* gone = new TGuiLabel(form);
    gone->Name = "gone";

    TFormPreview p;
    std::string error;
    // The hover step comes first but runs once the window is shown.
    ASSERT_TRUE(ParseFormPreview({"~b_go", "scr_a", "hello=abcd", "hello^100", "b_go=Start",
                                  "players=Ada|Boris", "-gone", "!hello"},
                                 p, error));
    ASSERT_TRUE(ApplyFormPreview(p, rig.root, error)) << error;
    EXPECT_TRUE(form->Visible());
    EXPECT_EQ(rig.root.Child(0), form);
    EXPECT_EQ(label->Text(), "abcd");
    EXPECT_EQ(label->Left(), 100 - 4 * GuiRig::kGlyphWidth / 2) << "centred in its own font";
    EXPECT_EQ(button->Caption, "Start");
    EXPECT_EQ(list->Items, (std::vector<std::string>{"Ada", "Boris"}));
    EXPECT_FALSE(gone->Visible());
    EXPECT_FALSE(label->Enabled());
    EXPECT_TRUE(button->MouseOver());

    ASSERT_TRUE(ParseFormPreview({"scr_a", "nobody=x"}, p, error));
    EXPECT_FALSE(ApplyFormPreview(p, rig.root, error));
    EXPECT_NE(error.find("\"nobody\""), std::string::npos) << error;
}
