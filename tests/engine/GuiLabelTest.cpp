#include "engine/GuiLabel.h"
#include "GuiTestRig.h"

namespace {

// Word positions as "text@x,y" (x, y relative to the label).
std::string Placed(const TGuiLabel& label) {
    std::string s;
    for (const auto& w : label.Layout()) {
        if (!s.empty()) s += ' ';
        s += w.Text + "@" + std::to_string(int(w.X)) + "," + std::to_string(int(w.Y));
    }
    return s;
}

struct LabelRig : GuiRig {
    TGuiLabel* label = new TGuiLabel(&root);
};

} // namespace

TEST(GuiLabelTest, OneLineAlignments) {
    // Characters are 8 pixels wide and 16 high; the label is 100 by 20.
    struct Case {
        int alignment;
        const char* placed;
    };
    const Case cases[] = {
        {TGuiLabel::taLeft, "ab@4,2 cd@28,2"},   // 4 pixels in
        {TGuiLabel::taRight, "ab@56,2 cd@80,2"}, // 4 pixels from the right edge
        {TGuiLabel::taCenter, "ab@30,2 cd@54,2"},
        {TGuiLabel::taJustify, "ab@4,2 cd@80,2"}, // spread over the width less 8
    };
    for (const Case& c : cases) {
        LabelRig rig;
        rig.label->SetText("ab  \r\b cd"); // a run of separators counts as one
        rig.label->Alignment = c.alignment;
        EXPECT_EQ(Placed(*rig.label), c.placed) << c.alignment;
    }
    LabelRig rig;
    rig.label->SetText("solo");
    rig.label->Alignment = TGuiLabel::taJustify;
    rig.label->TextAdjust = 3;
    EXPECT_EQ(Placed(*rig.label), "solo@4,5") << "one word has nothing to spread";
}

TEST(GuiLabelTest, WordWrapFillsLinesThatFit) {
    // Width 60: 52 pixels for text; a word is 16 and a space 8.
    struct Case {
        const char* text;
        int alignment;
        const char* placed;
    };
    const Case cases[] = {
        {"aa bb cc dd", TGuiLabel::taLeft, "aa@4,0 bb@28,0 cc@4,18 dd@28,18"},
        {"aa bb cc dd ee", TGuiLabel::taJustify,
         "aa@4,0 bb@40,0 cc@4,18 dd@40,18 ee@4,36"}, // the last line is set left
        {"aa bb\r\ncc dd ee ff", TGuiLabel::taJustify,
         "aa@4,0 bb@28,0 cc@4,18 dd@40,18 ee@4,36 ff@28,36"}, // before a line feed: set left
        {"aa bb", TGuiLabel::taRight, "aa@16,0 bb@40,0"},
        {"wwwwwwwwww aa", TGuiLabel::taLeft, "wwwwwwwwww@4,0 aa@4,18"}, // too wide: a line alone
        {"\n\naa", TGuiLabel::taLeft, "aa@4,0"},
    };
    for (const Case& c : cases) {
        LabelRig rig;
        rig.label->SetBounds({0, 0, 60, 100});
        rig.label->WordWrap = true;
        rig.label->LineSpacing = 2;
        rig.label->Alignment = c.alignment;
        rig.label->SetText(c.text);
        EXPECT_EQ(Placed(*rig.label), c.placed) << c.text;
    }
}

TEST(GuiLabelTest, ProgressiveTextIsTypedOutAndRestartsWithNewText) {
    LabelRig rig;
    rig.label->Progressive = true;
    rig.label->ShowDelay = 2;
    rig.label->SetText("abc de");
    auto shown = [&] {
        std::string s;
        for (const auto& w : rig.label->Layout()) s += w.Text + "|";
        return s;
    };
    EXPECT_EQ(shown(), "||");
    for (int i = 0; i < 4; ++i) rig.label->Update();
    EXPECT_EQ(shown(), "ab||");
    for (int i = 0; i < 4; ++i) rig.label->Update();
    EXPECT_EQ(shown(), "abc||") << "the space counts as a character";
    for (int i = 0; i < 2; ++i) rig.label->Update();
    EXPECT_EQ(shown(), "abc|d|");
    EXPECT_EQ(rig.label->Layout()[1].X, 36) << "words keep their final places while typing";
    for (int i = 0; i < 40; ++i) rig.label->Update();
    EXPECT_EQ(rig.label->ShownCount(), 6u);
    rig.label->SetText("new");
    EXPECT_EQ(rig.label->ShownCount(), 0u);
    EXPECT_TRUE(rig.Glyphs(*rig.label).empty());
}

TEST(GuiLabelTest, DrawsBackgroundTextAndBorderInTheEnabledOrDisabledFont) {
    LabelRig rig;
    rig.label->SetBounds({100, 200, 200, 220});
    rig.label->SetText("Hi");
    rig.label->Font.SetColor(0xFF0000FF);
    rig.label->DisabledFont.SetColor(0xFF00FF00);
    auto glyphs = rig.Glyphs(*rig.label);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_FLOAT_EQ(glyphs[0].x, 104);
    EXPECT_FLOAT_EQ(glyphs[0].y, 202);
    EXPECT_EQ(glyphs[0].color, Dev(0xFF0000FF));
    EXPECT_TRUE(rig.Quads(0).empty()) << "background and border are not drawn at first";

    rig.label->SetEnabled(false);
    rig.label->Bkgrnd.Drawn = true;
    rig.label->Bkgrnd.SetColor(0x80FFFFFF);
    rig.label->Border.Drawn = true;
    rig.Draw(*rig.label);
    const auto batches = rig.Drawn();
    ASSERT_EQ(batches.size(), 3u) << "background, text, border";
    EXPECT_EQ(batches[0].texture, 0u);
    EXPECT_EQ(batches[0].drawFx, fxBlend) << "the label's DrawFx";
    EXPECT_EQ(batches[1].vertices[0].color, Dev(0xFF00FF00)) << "the disabled font";
    EXPECT_EQ(batches[2].kind, platform::PrimitiveKind::Lines);
}
