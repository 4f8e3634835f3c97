#include "engine/GuiRadioButton.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include <algorithm>

namespace {

enum : uint32_t {
    tagChecked = kClassTags,
    tagCaption,
    tagTextAdjust,
    tagBorderColor,
    tagCheckColor,
    tagOverColor,
    tagHorizSpace,
    tagGroupIndex,
};

} // namespace

TGuiRadioButton::TGuiRadioButton(TGuiControl* parent) : TGuiControl(parent) {
    SetBounds({0, 0, 120, 15});
    DrawFx = fxBlend;
    Bkgrnd.Drawn = false;
}

void TGuiRadioButton::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiRadioButton", "This component represents a simple radio button");
    AddStandardProperty("bkgrnd");
    AddStandardProperty("font");
    AddStandardProperty("disabledfont");
    AddProperty("Checked", ptBoolean, "Whether the radio button is checked or not", tagChecked);
    AddProperty("Caption", ptString, "The caption for this radio button", tagCaption);
    AddProperty("TextAdjust", ptInteger, "The vertical adjustment of visible caption",
                tagTextAdjust);
    AddProperty("BorderColor", ptColor, "The color of radio button's outer border", tagBorderColor);
    AddProperty("CheckColor", ptColor, "The color of inner circle for checked state",
                tagCheckColor);
    AddProperty("OverColor", ptColor, "The color of inner circle for pressed button", tagOverColor);
    AddProperty("HorizSpace", ptInteger,
                "The horizontal space between outer circe and caption text", tagHorizSpace);
    AddProperty("GroupIndex", ptInteger, "The group to which this button belongs", tagGroupIndex);
}

TGuiVariant TGuiRadioButton::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagChecked:
        return checked_;
    case tagCaption:
        return Caption;
    case tagTextAdjust:
        return TextAdjust;
    case tagBorderColor:
        return int32_t(BorderColor);
    case tagCheckColor:
        return int32_t(CheckColor);
    case tagOverColor:
        return int32_t(OverColor);
    case tagHorizSpace:
        return HorizSpace;
    case tagGroupIndex:
        return GroupIndex;
    default:
        return TGuiControl::GetProperty(tag);
    }
}

bool TGuiRadioButton::SetProperty(uint32_t tag, const TGuiVariant& value) {
    bool b = false;
    switch (tag) {
    case tagChecked:
        if (!AssignBoolean(value, b)) return false;
        SetChecked(b);
        return true;
    case tagCaption:
        Caption = value.ToString();
        return true;
    case tagTextAdjust:
        return AssignInteger(value, TextAdjust);
    case tagBorderColor:
        return AssignColor(value, BorderColor);
    case tagCheckColor:
        return AssignColor(value, CheckColor);
    case tagOverColor:
        return AssignColor(value, OverColor);
    case tagHorizSpace:
        return AssignInteger(value, HorizSpace);
    case tagGroupIndex:
        return AssignInteger(value, GroupIndex);
    default:
        return TGuiControl::SetProperty(tag, value);
    }
}

void TGuiRadioButton::SetChecked(bool value) {
    if (value && Parent()) {
        for (int i = 0; i < Parent()->ChildCount(); ++i) {
            auto* other = dynamic_cast<TGuiRadioButton*>(Parent()->Child(i));
            if (other && other != this && other->GroupIndex == GroupIndex) other->SetChecked(false);
        }
    }
    if (value == checked_) return;
    checked_ = value;
    if (OnChange) OnChange(this);
}

void TGuiRadioButton::DoMouse(TGuiPoint p, int event, int button, TGuiShift) {
    if (button != mbLeft) return;
    const bool inside = RectHolds(ScreenRect(), p);
    if (event == meDown) armed_ = inside;
    if (event == meUp) {
        if (armed_ && (inside || checked_)) SetChecked(true);
        armed_ = false;
    }
}

void TGuiRadioButton::Draw() {
    TGfxCanvas* canvas = Canvas();
    if (!canvas) return;
    const TIntRect r = ScreenRect();
    FillArea(r, Bkgrnd, DrawFx);
    const int side = std::max(0, std::min(Height(), Width()));
    const float radius = float(side) / 2;
    const float cx = float(r.Left) + radius, cy = float(r.Top) + float(Height()) / 2;
    canvas->FillCircle(cx, cy, radius, BorderColor, DrawFx);
    canvas->FillCircle(cx, cy, radius - 1.5f, 0xFFFFFFFF, DrawFx);
    if (armed_)
        canvas->FillCircle(cx, cy, radius - 3, OverColor, DrawFx);
    else if (checked_)
        canvas->FillCircle(cx, cy, radius - 3, CheckColor, DrawFx);
    const TGuiFont& font = TextFont();
    if (TGfxFont* f = PrepareFont(font)) {
        const float y =
            float(r.Top) + (float(Height()) - f->TextHeight("")) / 2 + float(TextAdjust);
        font.TextOut(Fonts(), Caption, float(r.Left + side + HorizSpace), y);
    }
}
