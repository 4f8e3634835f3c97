#include "engine/GuiBase.h"
#include "engine/GfxCanvas.h"
#include "platform/Event.h"
#include <cmath>
#include <stdexcept>

namespace {

TGuiShift ShiftOf(const platform::Event& e) {
    return (e.shift ? ssShift : 0) | (e.ctrl ? ssCtrl : 0) | (e.alt ? ssAlt : 0);
}

int ButtonOf(platform::MouseButton b) {
    switch (b) {
    case platform::MouseButton::Left:
        return mbLeft;
    case platform::MouseButton::Right:
        return mbRight;
    case platform::MouseButton::Middle:
        return mbMiddle;
    }
    return mbNone;
}

TGuiShift ButtonShift(int button) {
    return button == mbLeft     ? ssLeft
           : button == mbRight  ? ssRight
           : button == mbMiddle ? ssMiddle
                                : 0;
}

} // namespace

void TGuiOwner::Dispatch(const platform::Event& e) {
    using T = platform::Event::Type;
    switch (e.type) {
    case T::MouseDown: {
        const int b = ButtonOf(e.button);
        if (OnMouseDown) OnMouseDown(b, ShiftOf(e) | ButtonShift(b), e.x, e.y);
        break;
    }
    case T::MouseUp: {
        const int b = ButtonOf(e.button);
        if (OnMouseUp) OnMouseUp(b, ShiftOf(e), e.x, e.y);
        if (b == mbLeft && OnClick) OnClick();
        break;
    }
    case T::MouseMove:
        if (OnMouseMove) OnMouseMove(ShiftOf(e), e.x, e.y);
        break;
    case T::KeyDown:
        if (OnKeyDown) OnKeyDown(e.key, ShiftOf(e));
        break;
    case T::KeyUp:
        if (OnKeyUp) OnKeyUp(e.key, ShiftOf(e));
        break;
    case T::Char:
        if (OnKeyPress) OnKeyPress(e.ch);
        break;
    default:
        break;
    }
}

TGuiBase::TGuiBase(TGuiOwner* owner) : owner_(owner) {
    if (!owner || !owner->IsForm) throw std::logic_error("TGuiBase: Owner must be TCustomForm.");
    if (owner->Gui)
        throw std::logic_error("TGuiBase: Only one instance of this component is allowed.");
    root_ = std::make_unique<TGuiTaskbar>();
    owner->Gui = this;
    TakeOverHandlers();
}

TGuiBase::~TGuiBase() {
    owner_->OnMouseDown = std::move(saved_.OnMouseDown);
    owner_->OnMouseUp = std::move(saved_.OnMouseUp);
    owner_->OnMouseMove = std::move(saved_.OnMouseMove);
    owner_->OnClick = std::move(saved_.OnClick);
    owner_->OnDblClick = std::move(saved_.OnDblClick);
    owner_->OnKeyDown = std::move(saved_.OnKeyDown);
    owner_->OnKeyUp = std::move(saved_.OnKeyUp);
    owner_->OnKeyPress = std::move(saved_.OnKeyPress);
    owner_->Gui = nullptr;
}

void TGuiBase::TakeOverHandlers() {
    saved_.OnMouseDown = owner_->OnMouseDown;
    saved_.OnMouseUp = owner_->OnMouseUp;
    saved_.OnMouseMove = owner_->OnMouseMove;
    saved_.OnClick = owner_->OnClick;
    saved_.OnDblClick = owner_->OnDblClick;
    saved_.OnKeyDown = owner_->OnKeyDown;
    saved_.OnKeyUp = owner_->OnKeyUp;
    saved_.OnKeyPress = owner_->OnKeyPress;
    // Each wrapper calls the window's handler as it was, then feeds the GUI.
    owner_->OnMouseDown = [this](int button, TGuiShift shift, int x, int y) {
        if (saved_.OnMouseDown) saved_.OnMouseDown(button, shift, x, y);
        MouseDown(button, shift, x, y);
    };
    owner_->OnMouseUp = [this](int button, TGuiShift shift, int x, int y) {
        if (saved_.OnMouseUp) saved_.OnMouseUp(button, shift, x, y);
        MouseUp(button, shift, x, y);
    };
    owner_->OnMouseMove = [this](TGuiShift shift, int x, int y) {
        if (saved_.OnMouseMove) saved_.OnMouseMove(shift, x, y);
        MouseMove(shift, x, y);
    };
    owner_->OnClick = [this] {
        if (saved_.OnClick) saved_.OnClick();
        Click();
    };
    owner_->OnDblClick = [this] {
        if (saved_.OnDblClick) saved_.OnDblClick();
        DblClick();
    };
    owner_->OnKeyDown = [this](int key, TGuiShift shift) {
        if (saved_.OnKeyDown) saved_.OnKeyDown(key, shift);
        KeyDown(key, shift);
    };
    owner_->OnKeyUp = [this](int key, TGuiShift shift) {
        if (saved_.OnKeyUp) saved_.OnKeyUp(key, shift);
        KeyUp(key, shift);
    };
    owner_->OnKeyPress = [this](uint8_t ch) {
        if (saved_.OnKeyPress) saved_.OnKeyPress(ch);
        KeyPress(ch);
    };
}

TGuiPoint TGuiBase::ToLogical(int x, int y) const {
    const TGfxDevice* device = Publisher();
    const float sx = device && device->ScaleX() > 0 ? device->ScaleX() : 1.0f;
    const float sy = device && device->ScaleY() > 0 ? device->ScaleY() : 1.0f;
    return TGuiPoint{int(std::lround(double(x) / sx)), int(std::lround(double(y) / sy))};
}

void TGuiBase::MouseDown(int button, TGuiShift shift, int x, int y) {
    root_->MouseDown(ToLogical(x, y), button, shift);
}

void TGuiBase::MouseUp(int button, TGuiShift shift, int x, int y) {
    root_->MouseUp(ToLogical(x, y), button, shift);
}

void TGuiBase::MouseMove(TGuiShift shift, int x, int y) {
    root_->MouseMove(ToLogical(x, y), shift);
}

void TGuiBase::Draw() {
    TGfxCanvas* canvas = Canvas();
    if (!canvas) return;
    const TIntRect saved = canvas->GetClipRect();
    canvas->SetClipRect({0, 0, 800, 600});
    root_->SetBounds({0, 0, 800, 600});
    root_->DrawTree();
    canvas->SetClipRect(saved);
}
