#include "engine/GuiButton.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"

namespace {

enum : uint32_t {
    tagOutFill = kClassTags,
    tagCaption,
    tagImageIndex,
    tagNormalGlyph,
    tagDisabledGlyph,
    tagClickedGlyph,
    tagGlyphSpacer,
    tagGlyphWidth,
    tagGlyphHeight,
    tagGlyphPosition,
};

} // namespace

TGuiButton::TGuiButton(TGuiControl* parent) : TGuiControl(parent) {
    SetBounds({0, 0, 90, 24});
    Font.SetColor(0xFFC65D21);
    DisabledFont.SetColor(0xFF5F6B70);
}

void TGuiButton::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiButton", "This component is a clickable button.");
    AddStandardProperty("bkgrnd");
    AddStandardProperty("border");
    AddStandardProperty("font");
    AddStandardProperty("disabledfont");
    AddProperty("OutFill", ptFill, "The fill style of outer border", tagOutFill);
    AddProperty("Caption", ptString, "The caption of the button", tagCaption);
    AddProperty("ImageIndex", ptInteger, "The index of glyph image", tagImageIndex);
    AddProperty("NormalGlyph", ptInteger, "The number of sub-image for normal state",
                tagNormalGlyph);
    AddProperty("DisabledGlyph", ptInteger, "The sub-image number for disabled state",
                tagDisabledGlyph);
    AddProperty("ClickedGlyph", ptInteger, "The sub-image number for clicked glyph",
                tagClickedGlyph);
    AddProperty("GlyphSpacer", ptInteger, "The space between glyph and the text", tagGlyphSpacer);
    AddProperty("GlyphWidth", ptInteger, "The width of button glyph", tagGlyphWidth);
    AddProperty("GlyphHeight", ptInteger, "The height of button glyph", tagGlyphHeight);
    AddProperty("GlyphPosition", ptGlyphPos, "The position of the glyph in relation to text",
                tagGlyphPosition);
}

TGuiVariant TGuiButton::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagCaption:
        return Caption;
    case tagImageIndex:
        return ImageIndex;
    case tagNormalGlyph:
        return NormalGlyph;
    case tagDisabledGlyph:
        return DisabledGlyph;
    case tagClickedGlyph:
        return ClickedGlyph;
    case tagGlyphSpacer:
        return GlyphSpacer;
    case tagGlyphWidth:
        return GlyphWidth;
    case tagGlyphHeight:
        return GlyphHeight;
    case tagGlyphPosition:
        return GlyphPosition;
    default:
        return TGuiControl::GetProperty(tag);
    }
}

bool TGuiButton::SetProperty(uint32_t tag, const TGuiVariant& value) {
    switch (tag) {
    case tagCaption:
        Caption = value.ToString();
        return true;
    case tagImageIndex:
        return AssignInteger(value, ImageIndex);
    case tagNormalGlyph:
        return AssignInteger(value, NormalGlyph);
    case tagDisabledGlyph:
        return AssignInteger(value, DisabledGlyph);
    case tagClickedGlyph:
        return AssignInteger(value, ClickedGlyph);
    case tagGlyphSpacer:
        return AssignInteger(value, GlyphSpacer);
    case tagGlyphWidth:
        return AssignInteger(value, GlyphWidth);
    case tagGlyphHeight:
        return AssignInteger(value, GlyphHeight);
    case tagGlyphPosition:
        return AssignInteger(value, GlyphPosition);
    default:
        return TGuiControl::SetProperty(tag, value);
    }
}

TGuiFill* TGuiButton::GetFill(uint32_t tag) {
    return tag == tagOutFill ? &OutFill : TGuiControl::GetFill(tag);
}

int TGuiButton::CurrentGlyph() const {
    if (pressed_) return ClickedGlyph;
    if (MouseOver()) return DisabledGlyph;
    return NormalGlyph;
}

void TGuiButton::Draw() {
    TGfxCanvas* canvas = Canvas();
    if (!canvas) return;
    const TIntRect r = ScreenRect();
    TGfxImage* image = ImageIndex >= 0 && Images() ? Images()->Items(ImageIndex) : nullptr;
    if (image) {
        const float l = float(r.Left), t = float(r.Top), rt = float(r.Right), b = float(r.Bottom);
        canvas->DrawQuad(image, CurrentGlyph(), TPoint4{{{l, t}, {rt, t}, {rt, b}, {l, b}}}, false,
                         false, TColor4::All(0xFFFFFFFF), fxBlend);
    } else {
        // Outer frame, inner frame, face.
        FrameArea(r, OutFill, DrawFx);
        FrameArea({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1}, Border, DrawFx);
        FillArea({r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, Bkgrnd, DrawFx);
    }
    if (Caption.empty()) return;
    const TGuiFont& font = TextFont();
    if (TGfxFont* f = PrepareFont(font)) {
        const float w = f->TextWidth(Caption), h = f->TextHeight(Caption);
        const float shift = pressed_ ? 1.0f : 0.0f;
        font.TextOut(Fonts(), Caption, float(r.Left) + (float(Width()) - w) / 2 + shift,
                     float(r.Top) + (float(Height()) - h) / 2 + shift);
    }
}

void TGuiButton::DoMouse(TGuiPoint, int event, int button, TGuiShift) {
    if (button != mbLeft) return;
    if (event == meDown) pressed_ = true;
    if (event == meUp) pressed_ = false;
}
