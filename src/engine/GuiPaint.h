#pragma once
#include "engine/GuiControls.h"

// An area to paint on: a background and a border, and whatever OnPaint draws between them.
class TGuiPaint : public TGuiControl {
public:
    explicit TGuiPaint(TGuiControl* parent);

    // Called after the background, clipped to the area; rect is in screen pixels.
    std::function<void(TGuiPaint* sender, TGfxCanvas& canvas, const TIntRect& rect)> OnPaint;

    void Draw() override;

protected:
    void DescribeProperties() override;
};
