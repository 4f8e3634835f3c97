#pragma once
#include "engine/GuiControls.h"

// A progress bar: a bar whose length follows Theta between MinValue and MaxValue, with an
// optional caption.
class TGuiGauge : public TGuiControl {
public:
    enum : int { taLeft = 0, taRight = 1, taCenter = 2 };

    explicit TGuiGauge(TGuiControl* parent);

    std::string Caption = "Gauge";
    int Theta = 50; // kept as set; the bar clamps it to the range
    int MinValue = 0;
    int MaxValue = 100;
    bool ShowText = true;
    int Alignment = taLeft;

    // Pixels of the bar for the current Theta.
    int BarLength() const;

    void Draw() override;
    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;

protected:
    void DescribeProperties() override;
};
