#include "engine/GuiCheckBox.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include <algorithm>

namespace {

enum : uint32_t {
    tagChecked = kClassTags,
    tagCaption,
    tagTextAdjust,
    tagCheckColor,
    tagHorizSpace,
};

} // namespace

TGuiCheckBox::TGuiCheckBox(TGuiControl* parent) : TGuiControl(parent) {
    SetBounds({0, 0, 100, 15});
    Bkgrnd.SetColor(0xFFFFFFFF);
    Border.SetColor(0xFF7F8C99);
    Selected.SetColor(0xFFF7D3C6);
}

void TGuiCheckBox::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiCheckBox", "This component represents a simple checkable box");
    AddStandardProperty("bkgrnd");
    AddStandardProperty("border");
    AddStandardProperty("selected");
    AddStandardProperty("font");
    AddStandardProperty("disabledfont");
    AddProperty("Checked", ptBoolean, "Whether this box is checked or not", tagChecked);
    AddProperty("Caption", ptString, "The caption for this check button", tagCaption);
    AddProperty("TextAdjust", ptInteger, "The vertical adjustment of visible caption",
                tagTextAdjust);
    AddProperty("CheckColor", ptColor, "The color of inner circle for checked state",
                tagCheckColor);
    AddProperty("HorizSpace", ptInteger, "The horizontal space between check box and caption text",
                tagHorizSpace);
}

TGuiVariant TGuiCheckBox::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagChecked:
        return checked_;
    case tagCaption:
        return Caption;
    case tagTextAdjust:
        return TextAdjust;
    case tagCheckColor:
        return int32_t(CheckColor);
    case tagHorizSpace:
        return HorizSpace;
    default:
        return TGuiControl::GetProperty(tag);
    }
}

bool TGuiCheckBox::SetProperty(uint32_t tag, const TGuiVariant& value) {
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
    case tagCheckColor:
        return AssignColor(value, CheckColor);
    case tagHorizSpace:
        return AssignInteger(value, HorizSpace);
    default:
        return TGuiControl::SetProperty(tag, value);
    }
}

void TGuiCheckBox::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    if (OnChange) OnChange(this);
}

void TGuiCheckBox::DoMouse(TGuiPoint p, int event, int button, TGuiShift) {
    if (button != mbLeft) return;
    const bool inside = RectHolds(ScreenRect(), p);
    if (event == meDown) armed_ = inside;
    if (event == meUp) {
        if (armed_ && inside) SetChecked(!checked_);
        armed_ = false;
    }
}

void TGuiCheckBox::Draw() {
    const TIntRect r = ScreenRect();
    const int side = std::max(0, std::min(Height(), Width()));
    const TIntRect box{r.Left, r.Top + (Height() - side) / 2, r.Left + side,
                       r.Top + (Height() - side) / 2 + side};
    FillArea(box, armed_ || MouseOver() ? Selected : Bkgrnd, DrawFx);
    FrameArea(box, Border, DrawFx);
    if (checked_ && side > 6) {
        TGuiFill mark;
        mark.SetColor(CheckColor);
        FillArea({box.Left + 3, box.Top + 3, box.Right - 3, box.Bottom - 3}, mark, fxBlend);
    }
    const TGuiFont& font = TextFont();
    if (TGfxFont* f = PrepareFont(font)) {
        const float y =
            float(r.Top) + (float(Height()) - f->TextHeight("")) / 2 + float(TextAdjust);
        font.TextOut(Fonts(), Caption, float(box.Right + HorizSpace), y);
    }
}
