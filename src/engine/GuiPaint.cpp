#include "engine/GuiPaint.h"
#include "engine/GfxCanvas.h"

TGuiPaint::TGuiPaint(TGuiControl* parent) : TGuiControl(parent) {
    SetBounds({0, 0, 120, 120});
    Bkgrnd.SetColor(0xFFFFFFFF);
    Border.SetColor(0xFF7F8C99);
}

void TGuiPaint::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiPaint", "This component can be used to paint on.");
    AddStandardProperty("bkgrnd");
    AddStandardProperty("border");
}

void TGuiPaint::Draw() {
    const TIntRect r = ScreenRect();
    FillArea(r, Bkgrnd, DrawFx);
    if (OnPaint && Canvas()) OnPaint(this, *Canvas(), r);
    FrameArea(r, Border, DrawFx);
}
