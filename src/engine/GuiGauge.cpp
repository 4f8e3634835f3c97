#include "engine/GuiGauge.h"
#include "engine/GfxFonts.h"
#include <algorithm>

namespace {

enum : uint32_t {
    tagCaption = kClassTags,
    tagTheta,
    tagMinValue,
    tagMaxValue,
    tagShowText,
    tagAlignment,
};

} // namespace

TGuiGauge::TGuiGauge(TGuiControl* parent) : TGuiControl(parent) {
    SetBounds({0, 0, 120, 20});
    Bkgrnd.SetColor(0xFFF2F2F2);
    Border.SetColor(0xFF7F8C99);
    Selected.SetGradient(0xFFF0B39A, 0xFFD67563);
}

void TGuiGauge::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiGauge", "This component is a simple progress bar");
    AddStandardProperty("bkgrnd");
    AddStandardProperty("border");
    AddStandardProperty("selected");
    AddStandardProperty("font");
    AddStandardProperty("disabledfont");
    AddProperty("Caption", ptString, "The caption of gauge", tagCaption);
    AddProperty("Theta", ptInteger, "The current position of gauge", tagTheta);
    AddProperty("MinValue", ptInteger, "The minimal allowed value for the gauge", tagMinValue);
    AddProperty("MaxValue", ptInteger, "The maximum allowed value for the gauge", tagMaxValue);
    AddProperty("ShowText", ptBoolean, "The visible style of text selector", tagShowText);
    AddProperty("Alignment", ptAlignment, "The alignment of gauge's caption", tagAlignment);
}

TGuiVariant TGuiGauge::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagCaption:
        return Caption;
    case tagTheta:
        return Theta;
    case tagMinValue:
        return MinValue;
    case tagMaxValue:
        return MaxValue;
    case tagShowText:
        return ShowText;
    case tagAlignment:
        return Alignment;
    default:
        return TGuiControl::GetProperty(tag);
    }
}

bool TGuiGauge::SetProperty(uint32_t tag, const TGuiVariant& value) {
    switch (tag) {
    case tagCaption:
        Caption = value.ToString();
        return true;
    case tagTheta:
        return AssignInteger(value, Theta);
    case tagMinValue:
        return AssignInteger(value, MinValue);
    case tagMaxValue:
        return AssignInteger(value, MaxValue);
    case tagShowText:
        return AssignBoolean(value, ShowText);
    case tagAlignment:
        return AssignInteger(value, Alignment);
    default:
        return TGuiControl::SetProperty(tag, value);
    }
}

int TGuiGauge::BarLength() const {
    const int64_t range = int64_t(MaxValue) - MinValue;
    if (range <= 0 || Width() <= 0) return 0;
    const int64_t at = std::clamp<int64_t>(int64_t(Theta) - MinValue, 0, range);
    return int(at * Width() / range);
}

void TGuiGauge::Draw() {
    const TIntRect r = ScreenRect();
    FillArea(r, Bkgrnd, DrawFx);
    FillArea({r.Left, r.Top, r.Left + BarLength(), r.Bottom}, Selected, DrawFx);
    FrameArea(r, Border, DrawFx);
    if (!ShowText) return;
    const TGuiFont& font = TextFont();
    if (TGfxFont* f = PrepareFont(font)) {
        const float w = f->TextWidth(Caption);
        float x = float(r.Left) + 4;
        if (Alignment == taRight) x = float(r.Right) - 4 - w;
        if (Alignment == taCenter) x = float(r.Left) + (float(Width()) - w) / 2;
        font.TextOut(Fonts(), Caption, x, float(r.Top) + (float(Height()) - f->TextHeight("")) / 2);
    }
}
