#pragma once
#include "engine/GuiControls.h"

// One of a group of buttons of which one is checked: checking it unchecks the sibling radio
// buttons of the same GroupIndex.
class TGuiRadioButton : public TGuiControl {
public:
    explicit TGuiRadioButton(TGuiControl* parent);

    bool Checked() const { return checked_; }
    // Fires OnChange on a change; true unchecks the group's other buttons.
    void SetChecked(bool value);
    TGuiNotifyEvent OnChange;

    std::string Caption = "TGuiRadioButton";
    int TextAdjust = 0;
    TGfxColor BorderColor = 0xFFD82F3A;
    TGfxColor CheckColor = 0xFFB99D7F;
    TGfxColor OverColor = 0x80FC97B2; // inner circle while pressed
    int HorizSpace = 2;
    int GroupIndex = 0;

    bool Armed() const { return armed_; }

    void Draw() override;
    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;

protected:
    void DescribeProperties() override;
    void DoMouse(TGuiPoint p, int event, int button, TGuiShift shift) override;

private:
    bool checked_ = false;
    bool armed_ = false;
};
