#include "objects/Cursor.h"
#include "engine/GfxDevice.h"
#include "engine/TextUtil.h"
#include "platform/Window.h"

TCursor::TCursor(TSpriteEngine* engine, platform::Window& window, const TGfxDevice& device)
    : TAnimatedSprite(engine), window_(window), device_(device) {
    SetName("cursor");
    SetImageName("cursor");
    SetZ(1000);
    DoAnimate = false;
    CollideMode = 1;
    CanCollide = false;
}

bool TCursor::ShowsPointer() const { return SameText(ImageName, "cursor"); }

void TCursor::Move(float Delta) {
    TAnimatedSprite::Move(Delta);
    int mx = 0, my = 0;
    window_.GetMousePosition(mx, my);
    const float sx = device_.ScaleX() > 0 ? device_.ScaleX() : 1.0f;
    const float sy = device_.ScaleY() > 0 ? device_.ScaleY() : 1.0f;
    if (ShowsPointer()) {
        X = float(mx) / sx;
        Y = float(my) / sy;
    } else {
        X = float(mx - 20) / sx;
        Y = float(my - 20) / sy;
    }
}
