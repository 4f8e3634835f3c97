#include "engine/GuiGauge.h"
#include "GuiTestRig.h"

TEST(GuiGaugeTest, TheBarFollowsThetaWithinTheRange) {
    struct Case {
        int theta, min, max, length;
    };
    const Case cases[] = {
        {50, 0, 100, 60},   {0, 0, 100, 0},
        {100, 0, 100, 120}, {175, 0, 250, 84},
        {-5, 0, 100, 0},    {500, 0, 100, 120},
        {30, 20, 40, 60},   {7, 7, 7, 0},
        {1, 5, 0, 0},       {INT32_MAX, INT32_MIN, INT32_MAX, 120},
    };
    for (const Case& c : cases) {
        TGuiGauge gauge(nullptr); // 120 wide
        gauge.Theta = c.theta;
        gauge.MinValue = c.min;
        gauge.MaxValue = c.max;
        EXPECT_EQ(gauge.BarLength(), c.length) << c.theta << " in " << c.min << ".." << c.max;
    }
}

TEST(GuiGaugeTest, DrawsTheBarInTheSelectedFillAndTheAlignedCaption) {
    GuiRig rig;
    auto* gauge = new TGuiGauge(&rig.root);
    gauge->SetBounds({100, 100, 220, 120});
    gauge->Theta = 25;
    gauge->Selected.SetColor(0xFF00FF00);
    gauge->Caption = "Vol";
    bool bar = false;
    for (const auto& q : (rig.Draw(*gauge), rig.Quads(0)))
        bar |= q.color == Dev(0xFF00FF00) && q.x == 100 && q.right == 130;
    EXPECT_TRUE(bar);
    struct Case {
        int alignment;
        float x;
    };
    for (const Case& c : {Case{0, 104}, Case{1, 192}, Case{2, 148}}) {
        gauge->Alignment = c.alignment;
        EXPECT_FLOAT_EQ(rig.Glyphs(*gauge)[0].x, c.x) << c.alignment;
    }
    gauge->ShowText = false;
    EXPECT_TRUE(rig.Glyphs(*gauge).empty());
}
