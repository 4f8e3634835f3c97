#include "engine/GuiTypes.h"
#include "GuiTestRig.h"

TEST(GuiTypesTest, NumbersConvertFromDecimalAndDollarHexadecimal) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"42", true, 42},
        {"-1", true, -1},
        {"+7", true, 7},
        {" 12 ", true, 12},
        {"$FF", true, 255},
        {"$ff", true, 255},
        {"-$10", true, -16},
        {"$FFFFFFFF", true, -1},
        {"4294967295", true, -1}, // colours are written unsigned
        {"-2147483648", true, INT32_MIN},
        {"4294967296", false, 0},
        {"-2147483649", false, 0},
        {"$100000000", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"12a", false, 0},
        {"1.5", false, 0},
        {"0x10", false, 0},
        {"True", false, 0},
    };
    for (const Case& c : cases) {
        int32_t v = 0;
        EXPECT_EQ(ParseGuiInteger(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(GuiTypesTest, BooleansAreWordsInAnyCaseOrNumbers) {
    struct Case {
        const char* text;
        bool ok, value;
    };
    const Case cases[] = {{"True", true, true},  {"FALSE", true, false}, {"tRuE", true, true},
                          {"0", true, false},    {"-3", true, true},     {"$10", true, true},
                          {"yes", false, false}, {"", false, false},     {"Truth", false, false}};
    for (const Case& c : cases) {
        bool v = false;
        EXPECT_EQ(ParseGuiBoolean(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

TEST(GuiTypesTest, VariantsConvertBetweenKinds) {
    int32_t n = -5;
    bool b = false;
    EXPECT_TRUE(TGuiVariant(true).ToInteger(n));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(TGuiVariant(7).ToBoolean(b));
    EXPECT_TRUE(b);
    EXPECT_EQ(TGuiVariant(-12).ToString(), "-12");
    EXPECT_EQ(TGuiVariant(false).ToString(), "False");
    EXPECT_FALSE(TGuiVariant("abc").ToInteger(n));
    EXPECT_EQ(n, 1) << "a failed conversion leaves the output alone";
    EXPECT_EQ(TGuiVariant("abc").AsInteger(9), 9);
    EXPECT_EQ(TGuiVariant().Kind(), TGuiVariant::TKind::Integer);
    EXPECT_NE(TGuiVariant("1"), TGuiVariant(1)) << "equality compares kind and value";
}

TEST(GuiTypesTest, FillColoursOutsideTheCornersReadAsZero) {
    TGuiFill fill;
    EXPECT_TRUE(fill.Drawn);
    EXPECT_EQ(fill.Colors(0), 0xFFD0D0D0u);
    fill.SetGradient(1, 2);
    EXPECT_EQ(fill.Colors(1), 1u);
    EXPECT_EQ(fill.Colors(3), 2u);
    EXPECT_EQ(fill.Colors(4), 0u);
    EXPECT_EQ(fill.Colors(-1), 0u);
    fill.SetColor(5);
    EXPECT_EQ(fill.Corners(), TColor4::All(5));
}

TEST(GuiTypesTest, FontPrepareCopiesTheLookOrGivesNone) {
    GuiRig rig;
    TGuiFont font;
    font.Scale = 2;
    font.Style = 4;
    font.Interleave = 1.5;
    TGfxFont* f = font.Prepare(&rig.fonts);
    ASSERT_EQ(f, rig.fonts.Items(0));
    EXPECT_FLOAT_EQ(f->Scale, 2);
    EXPECT_EQ(f->Style, 4u);
    EXPECT_FLOAT_EQ(f->Interleave, 1.5f);
    EXPECT_EQ(font.Prepare(nullptr), nullptr);
    font.FontIndex = 1;
    EXPECT_EQ(font.Prepare(&rig.fonts), nullptr) << "outside the list";
    TGfxFonts noCanvas(&rig.device, nullptr);
    noCanvas.Add();
    font.FontIndex = 0;
    EXPECT_EQ(font.Prepare(&noCanvas), nullptr);
    font.TextOut(&noCanvas, "safe", 0, 0); // draws nothing instead of raising
}

TEST(GuiTypesTest, FontTextOutUsesBothColoursAndAlphaBlending) {
    GuiRig rig;
    TGuiFont font;
    font.TopColor = 0xFF0000FF;
    font.BottomColor = 0xFF00FF00;
    font.TextOut(&rig.fonts, "AB", 10, 20);
    const auto batches = rig.Drawn();
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].drawFx, fxBlend);
    ASSERT_EQ(batches[0].vertices.size(), 8u);
    EXPECT_EQ(batches[0].vertices[0].color, Dev(0xFF0000FF));
    EXPECT_EQ(batches[0].vertices[3].color, Dev(0xFF00FF00));
    EXPECT_FLOAT_EQ(batches[0].vertices[4].x + 0.5f, 18);
}

TEST(GuiTypesTest, KeySetsAndKeyNames) {
    const TKeySets sets = TKeySets::Initial();
    EXPECT_EQ(sets.FreeLetterKeys.count(), 1u + 16 + 1 + 1 + 29 + 1);
    EXPECT_EQ(sets.FreeSpecialKeys.count(), 14u);
    struct Case {
        int code;
        const char* name;
    };
    const Case cases[] = {{9, "Tab"},     {16, "Shift"},    {17, "Ctrl"},  {32, "Space"},
                          {33, "PageUp"}, {34, "PageDown"}, {35, "End"},   {36, "Home"},
                          {37, "Left"},   {38, "Up"},       {39, "Right"}, {40, "Down"},
                          {45, "Insert"}, {46, "Delete"},   {65, "A"},     {48, "0"},
                          {59, ";"},      {93, "]"},        {96, "`"},     {13, ""},
                          {97, ""},       {200, ""},        {0, ""}};
    for (const Case& c : cases) EXPECT_EQ(GuiKeyName(c.code), c.name) << c.code;
}
