#pragma once
#include "engine/GfxSprite.h"

namespace platform {
class Window;
}
class TGfxDevice;

// The game's own mouse pointer. Its image tells what a click does: "cursor" for the plain
// pointer (hot spot at its top-left), "itemz1".."itemz8" while a super-bonus is armed (the
// picture's point (20, 20) lies under the mouse).
class TCursor : public TAnimatedSprite {
public:
    TCursor(TSpriteEngine* engine, platform::Window& window, const TGfxDevice& device);
    void Move(float Delta) override;

    bool ShowsPointer() const;

private:
    platform::Window& window_;
    const TGfxDevice& device_;
};
