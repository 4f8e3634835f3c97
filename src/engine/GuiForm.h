#pragma once
#include "engine/GuiControls.h"

// A window: shadow, caption bar, client area with an optional background image. Dragging the
// caption bar with the left button moves the window.
class TGuiForm : public TGuiControl {
public:
    explicit TGuiForm(TGuiControl* parent);

    std::string Caption = "TGuiForm";
    int CaptSize = 20;
    int CaptAdjust = 0;
    TGuiFill CaptActive, CaptUnactive, IconFill;
    TGuiFont FontActive, FontUnactive;
    int IconIndex = -1;
    int IconPattern = 0;
    int IconWidth = 12;
    int IconHeight = 12;
    int ImageIndex = -1; // background image, an index into the image list
    int ImagePattern = 0;
    int ShadowSize = 4;
    TGfxColor ShadowColor = 0x40000000;

    bool Dragging() const { return dragging_; }

    void Draw() override;
    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;
    TGuiFill* GetFill(uint32_t tag) override;
    TGuiFont* GetFont(uint32_t tag) override;

protected:
    void DescribeProperties() override;
    void DoMouse(TGuiPoint p, int event, int button, TGuiShift shift) override;

private:
    bool dragging_ = false;
    TGuiPoint pressPoint_;    // where the drag began, screen pixels
    TGuiPoint pressPosition_; // the window's Left and Top then
};
