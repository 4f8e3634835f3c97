#pragma once
#include "engine/GuiControls.h"

// A box that a left press and release inside it toggles, with a caption beside it.
class TGuiCheckBox : public TGuiControl {
public:
    explicit TGuiCheckBox(TGuiControl* parent);

    bool Checked() const { return checked_; }
    // Fires OnChange on a change.
    void SetChecked(bool value);
    TGuiNotifyEvent OnChange;

    std::string Caption = "TGuiCheckBox";
    int TextAdjust = 0;
    TGfxColor CheckColor = 0xFFBD4F62;
    int HorizSpace = 0; // between the box and the caption

    bool Armed() const { return armed_; }

    void Draw() override;
    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;

protected:
    void DescribeProperties() override;
    void DoMouse(TGuiPoint p, int event, int button, TGuiShift shift) override;

private:
    bool checked_ = false;
    bool armed_ = false; // pressed inside, not yet released
};
