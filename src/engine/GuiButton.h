#pragma once
#include "engine/GuiControls.h"

// A clickable button: an image in one of three patterns (normal, hovered, pressed) or, without
// an image, plain fills; the caption centred on top.
class TGuiButton : public TGuiControl {
public:
    explicit TGuiButton(TGuiControl* parent);

    TGuiFill OutFill;
    std::string Caption = "Button1";
    int ImageIndex = -1;
    int NormalGlyph = 0;
    int DisabledGlyph = 1; // the pattern shown while the mouse is over the button
    int ClickedGlyph = 0;
    // Stored for the form file; drawing stretches the image over the whole button.
    int GlyphSpacer = 4;
    int GlyphWidth = 18;
    int GlyphHeight = 18;
    int GlyphPosition = 0;

    bool Pressed() const { return pressed_; }
    // The pattern Draw uses now.
    int CurrentGlyph() const;

    void Draw() override;
    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;
    TGuiFill* GetFill(uint32_t tag) override;

protected:
    void DescribeProperties() override;
    void DoMouse(TGuiPoint p, int event, int button, TGuiShift shift) override;

private:
    bool pressed_ = false;
};
