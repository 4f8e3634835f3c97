#pragma once
#include "engine/GfxDevice.h"
#include "engine/GuiControls.h"
#include <functional>
#include <memory>
#include <string>

namespace platform {
struct Event;
}
class TGuiBase;

// The window a TGuiBase lives on. The main window owns one of these, fills in its own input
// handlers and passes it to TGuiBase, which wraps each handler so that the window's handler
// runs first and the GUI is fed after it. The window then hands every platform event to
// Dispatch. Positions are window pixels.
struct TGuiOwner {
    bool IsForm = true;      // only a form (the main window) may carry the GUI
    TGuiBase* Gui = nullptr; // the TGuiBase it carries; set by TGuiBase itself

    std::function<void(int button, TGuiShift shift, int x, int y)> OnMouseDown, OnMouseUp;
    std::function<void(TGuiShift shift, int x, int y)> OnMouseMove;
    std::function<void()> OnClick, OnDblClick;
    std::function<void(int key, TGuiShift shift)> OnKeyDown, OnKeyUp;
    std::function<void(uint8_t ch)> OnKeyPress;

    // Calls the handler an event stands for. A left release is also a click, as on the
    // desktop the game was made for; the platform reports no double clicks, so OnDblClick is
    // only called by whoever detects one.
    void Dispatch(const platform::Event& event);
};

// The GUI component of the main window: owns the root of the control tree, converts window
// input to logical positions and feeds the root, and draws and updates the tree. One per
// window; it subscribes to the device like the other device-bound objects.
class TGuiBase : public TGfxSubscriber {
public:
    // Raises std::logic_error "TGuiBase: Owner must be TCustomForm." when owner is missing or
    // not a form, and "TGuiBase: Only one instance of this component is allowed." when the
    // owner already carries one.
    explicit TGuiBase(TGuiOwner* owner);
    // Gives the owner its own handlers back.
    ~TGuiBase() override;
    TGuiBase(const TGuiBase&) = delete;
    TGuiBase& operator=(const TGuiBase&) = delete;

    TGuiTaskbar& Root() { return *root_; }
    TGuiOwner* Owner() const { return owner_; }

    TGfxCanvas* Canvas() const { return root_->Context.Canvas; }
    TGfxImages* Images() const { return root_->Context.Images; }
    TGfxFonts* Fonts() const { return root_->Context.Fonts; }
    void SetCanvas(TGfxCanvas* canvas) { root_->Context.Canvas = canvas; }
    void SetImages(TGfxImages* images) { root_->Context.Images = images; }
    void SetFonts(TGfxFonts* fonts) { root_->Context.Fonts = fonts; }
    // Edit boxes paste from it; borrowed.
    void SetClipboard(platform::Clipboard* clipboard) { root_->Context.Clipboard = clipboard; }
    // Key-capture edit boxes take keys from these sets; borrowed (the shell owns them).
    void SetKeySets(TKeySets* keySets) { root_->Context.KeySets = keySets; }

    TGuiControl* FindControl(std::string_view name) { return root_->FindControl(name); }
    bool LoadFromFile(const std::string& fileName) { return root_->LoadFromFile(fileName); }

    // Draws the whole tree over the full screen, leaving the canvas's clip rectangle as it was.
    void Draw();
    // Update on every control.
    void Update() { root_->UpdateTree(); }

    // Window input, as the owner's wrapped handlers deliver it (window pixels).
    void MouseDown(int button, TGuiShift shift, int x, int y);
    void MouseUp(int button, TGuiShift shift, int x, int y);
    void MouseMove(TGuiShift shift, int x, int y);
    void Click() { root_->Click(); }
    void DblClick() { root_->DblClick(); }
    void KeyDown(int key, TGuiShift shift) { root_->KeyEvent(key, keDown, shift); }
    void KeyUp(int key, TGuiShift shift) { root_->KeyEvent(key, keUp, shift); }
    void KeyPress(uint8_t ch) { root_->KeyEvent(ch, keChar, 0); }

    // Window pixels to logical pixels: divided by the device scale and rounded.
    TGuiPoint ToLogical(int x, int y) const;

    bool DeviceMessage(int message) override { return true; }

private:
    void TakeOverHandlers();

    TGuiOwner* owner_;
    std::unique_ptr<TGuiTaskbar> root_;
    TGuiOwner saved_; // the owner's handlers as they were
};
