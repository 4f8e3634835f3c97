#include "engine/GuiForm.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include <algorithm>
#include <climits>

namespace {

enum : uint32_t {
    tagCaption = kClassTags,
    tagCaptSize,
    tagCaptAdjust,
    tagCaptActive,
    tagCaptUnactive,
    tagFontActive,
    tagFontUnactive,
    tagIconFill,
    tagIconIndex,
    tagIconPattern,
    tagIconWidth,
    tagIconHeight,
    tagImageIndex,
    tagImagePattern,
    tagShadowSize,
    tagShadowColor,
};

int Saturate(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

} // namespace

TGuiForm::TGuiForm(TGuiControl* parent) : TGuiControl(parent) {
    SetBounds({0, 0, 300, 200});
    CaptActive.SetGradient(0xFFFFFFFF, 0xFFF7D3C6);
    CaptUnactive.SetGradient(0xFFE8DFDC, 0xFFE0C2B7);
    FontActive.SetColor(0xFFCE5D29);
    FontUnactive.SetColor(0xFFB34624);
    IconFill.SetColor(0xFFE59F79);
}

void TGuiForm::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiForm", "TGuiForm represents a standard window.");
    AddStandardProperty("bkgrnd");
    AddStandardProperty("border");
    AddProperty("Caption", ptString, "Windows' caption", tagCaption);
    AddProperty("CaptSize", ptInteger, "The height of window's caption", tagCaptSize);
    AddProperty("CaptAdjust", ptInteger, "The vertical adjustment of caption text", tagCaptAdjust);
    AddProperty("CaptActive", ptFill, "The caption's fill style in focused window", tagCaptActive);
    AddProperty("CaptUnactive", ptFill, "The caption's fill style in non-focused window",
                tagCaptUnactive);
    AddProperty("FontActive", ptFont, "The caption's font style in focused window", tagFontActive);
    AddProperty("FontUnactive", ptFont, "The caption's font style in non-focused window",
                tagFontUnactive);
    AddProperty("IconFill", ptFill, "The fill style of simple window's icon", tagIconFill);
    AddProperty("IconIndex", ptInteger, "The index of window's icon", tagIconIndex);
    AddProperty("IconPattern", ptInteger, "The patern number of window's icon", tagIconPattern);
    AddProperty("IconWidth", ptInteger, "The width of window's icon in pixels", tagIconWidth);
    AddProperty("IconHeight", ptInteger, "The height of window's icon in pixels", tagIconHeight);
    AddProperty("ImageIndex", ptInteger, "The image index of window's background", tagImageIndex);
    AddProperty("ImagePattern", ptInteger, "The pattern number of window's background image",
                tagImagePattern);
    AddProperty("ShadowSize", ptInteger, "The size of window's shadow (in pixels)", tagShadowSize);
    AddProperty("ShadowColor", ptColor, "The color of window's shadow", tagShadowColor);
}

TGuiVariant TGuiForm::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagCaption:
        return Caption;
    case tagCaptSize:
        return CaptSize;
    case tagCaptAdjust:
        return CaptAdjust;
    case tagIconIndex:
        return IconIndex;
    case tagIconPattern:
        return IconPattern;
    case tagIconWidth:
        return IconWidth;
    case tagIconHeight:
        return IconHeight;
    case tagImageIndex:
        return ImageIndex;
    case tagImagePattern:
        return ImagePattern;
    case tagShadowSize:
        return ShadowSize;
    case tagShadowColor:
        return int32_t(ShadowColor);
    default:
        return TGuiControl::GetProperty(tag);
    }
}

bool TGuiForm::SetProperty(uint32_t tag, const TGuiVariant& value) {
    switch (tag) {
    case tagCaption:
        Caption = value.ToString();
        return true;
    case tagCaptSize:
        return AssignInteger(value, CaptSize);
    case tagCaptAdjust:
        return AssignInteger(value, CaptAdjust);
    case tagIconIndex:
        return AssignInteger(value, IconIndex);
    case tagIconPattern:
        return AssignInteger(value, IconPattern);
    case tagIconWidth:
        return AssignInteger(value, IconWidth);
    case tagIconHeight:
        return AssignInteger(value, IconHeight);
    case tagImageIndex:
        return AssignInteger(value, ImageIndex);
    case tagImagePattern:
        return AssignInteger(value, ImagePattern);
    case tagShadowSize:
        return AssignInteger(value, ShadowSize);
    case tagShadowColor:
        return AssignColor(value, ShadowColor);
    default:
        return TGuiControl::SetProperty(tag, value);
    }
}

TGuiFill* TGuiForm::GetFill(uint32_t tag) {
    switch (tag) {
    case tagCaptActive:
        return &CaptActive;
    case tagCaptUnactive:
        return &CaptUnactive;
    case tagIconFill:
        return &IconFill;
    default:
        return TGuiControl::GetFill(tag);
    }
}

TGuiFont* TGuiForm::GetFont(uint32_t tag) {
    switch (tag) {
    case tagFontActive:
        return &FontActive;
    case tagFontUnactive:
        return &FontUnactive;
    default:
        return TGuiControl::GetFont(tag);
    }
}

void TGuiForm::Draw() {
    TGfxCanvas* canvas = Canvas();
    if (!canvas) return;
    const TIntRect r = ScreenRect();
    // The shadow lies inside the bounds, since nothing may paint outside them.
    const int shadow = std::clamp(ShadowSize, 0, std::max(0, std::min(Width(), Height())));
    const TIntRect body{r.Left, r.Top, r.Right - shadow, r.Bottom - shadow};
    if (shadow > 0)
        canvas->FillRect(float(r.Left + shadow), float(r.Top + shadow), float(r.Right),
                         float(r.Bottom), ShadowColor, fxBlend);

    const int capt = std::clamp(CaptSize, 0, std::max(0, body.Bottom - body.Top));
    const TIntRect client{body.Left, body.Top + capt, body.Right, body.Bottom};
    FillArea(client, Bkgrnd, DrawFx);
    if (ImageIndex >= 0) {
        if (TGfxImage* image = Images() ? Images()->Items(ImageIndex) : nullptr) {
            const float l = float(client.Left), t = float(client.Top), rt = float(client.Right),
                        b = float(client.Bottom);
            canvas->DrawQuad(image, ImagePattern, TPoint4{{{l, t}, {rt, t}, {rt, b}, {l, b}}},
                             false, false, TColor4::All(0xFFFFFFFF), fxBlend);
        }
    }

    if (capt > 0) {
        const bool active = IsFocused();
        FillArea({body.Left, body.Top, body.Right, body.Top + capt},
                 active ? CaptActive : CaptUnactive, DrawFx);
        const int iconW = std::clamp(IconWidth, 0, capt * 4),
                  iconH = std::clamp(IconHeight, 0, capt);
        const int iconX = body.Left + 4, iconY = body.Top + (capt - iconH) / 2;
        TGfxImage* icon = IconIndex >= 0 && Images() ? Images()->Items(IconIndex) : nullptr;
        if (icon) {
            const float l = float(iconX), t = float(iconY), rt = float(iconX + iconW),
                        b = float(iconY + iconH);
            canvas->DrawQuad(icon, IconPattern, TPoint4{{{l, t}, {rt, t}, {rt, b}, {l, b}}}, false,
                             false, TColor4::All(0xFFFFFFFF), fxBlend);
        } else {
            FillArea({iconX, iconY, iconX + iconW, iconY + iconH}, IconFill, fxBlend);
        }
        const TGuiFont& font = active ? FontActive : FontUnactive;
        if (TGfxFont* f = PrepareFont(font)) {
            const float h = f->TextHeight(Caption);
            font.TextOut(Fonts(), Caption, float(iconX + iconW + 4),
                         float(body.Top) + (float(capt) - h) / 2 + float(CaptAdjust));
        }
    }
    FrameArea(body, Border, DrawFx);
}

void TGuiForm::DoMouse(TGuiPoint p, int event, int button, TGuiShift) {
    if (event == meDown && button == mbLeft) {
        const TIntRect r = ScreenRect();
        if (CaptSize > 0 && RectHolds(r, p) && int64_t(p.Y) < int64_t(r.Top) + CaptSize) {
            dragging_ = true;
            pressPoint_ = p;
            pressPosition_ = {Left(), Top()};
        }
    } else if (event == meMove && dragging_) {
        SetLeft(Saturate(int64_t(pressPosition_.X) + p.X - pressPoint_.X));
        SetTop(Saturate(int64_t(pressPosition_.Y) + p.Y - pressPoint_.Y));
    } else if (event == meUp && button == mbLeft) {
        dragging_ = false;
    }
}
