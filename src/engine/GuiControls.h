#pragma once
#include "engine/GfxTypes.h"
#include "engine/GuiTypes.h"
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TGfxCanvas;
class TGfxFonts;
class TGfxImages;
class TGuiObject;
class TGuiControl;
namespace platform {
class Clipboard;
}

// Conversions for SetProperty overrides: false (field untouched) when the value does not
// convert.
bool AssignInteger(const TGuiVariant& value, int& field);
bool AssignColor(const TGuiVariant& value, TGfxColor& field);
bool AssignBoolean(const TGuiVariant& value, bool& field);

// One entry of a property table. The strings are literals of the class that enters them.
struct TGuiProperty {
    std::string_view Name;
    uint8_t Type;
    std::string_view Description;
    uint32_t Tag; // class level in the high half, index within the level in the low half
};

// Tag levels.
constexpr uint32_t kComponentTags = 0x70000, kControlTags = 0x80000, kClassTags = 0xA000;

// Handlers. Sender is the control the event happened to.
using TGuiNotifyEvent = std::function<void(TGuiObject* sender)>;
using TGuiMouseHandler = std::function<void(TGuiObject* sender, TGuiPoint point, int button,
                                            TGuiShift shift, int event)>;
using TGuiKeyHandler = std::function<void(TGuiObject* sender, int key, TGuiShift shift, int event)>;

// What a control tree draws with and talks to; held by the root, borrowed by every control.
struct TGuiContext {
    TGfxCanvas* Canvas = nullptr;
    TGfxImages* Images = nullptr;
    TGfxFonts* Fonts = nullptr;
    platform::Clipboard* Clipboard = nullptr; // edit boxes paste from it
    TKeySets* KeySets = nullptr;              // key-capture edit boxes bind from it
};

// A class name, a one-line description and a table of named, typed properties; the form
// reader sets every control up through this table.
//
// The table is entered by DescribeProperties the first time it is needed, after construction,
// so that each class's override runs (an override calls its base first, then adds its own).
class TGuiObject {
public:
    TGuiObject() = default;
    TGuiObject(const TGuiObject&) = delete;
    TGuiObject& operator=(const TGuiObject&) = delete;
    virtual ~TGuiObject() = default;

    std::string_view ClassName() const;
    std::string_view Description() const;
    const std::vector<TGuiProperty>& Properties() const;
    // First entry whose name matches ignoring case, or none.
    const TGuiProperty* FindProperty(std::string_view name) const;

    // A tag the class does not know gives integer 0.
    virtual TGuiVariant GetProperty(uint32_t tag) const;
    // False when the value does not convert to the property's kind (nothing changes then).
    virtual bool SetProperty(uint32_t tag, const TGuiVariant& value);
    // None for a tag the class does not know.
    virtual TGuiFill* GetFill(uint32_t tag);
    virtual TGuiFont* GetFont(uint32_t tag);
    // Copy into the control's own object; unknown tags are ignored.
    void SetFill(uint32_t tag, const TGuiFill& fill);
    void SetFont(uint32_t tag, const TGuiFont& font);

    // An unknown name is ignored and counts as success; false only when the value does not
    // convert.
    bool SetPropertyByName(std::string_view name, const TGuiVariant& value);
    TGuiVariant GetPropertyByName(std::string_view name) const;
    // None when there is no fill (or font) property of that name.
    TGuiFill* GetFillByName(std::string_view name);
    TGuiFont* GetFontByName(std::string_view name);

protected:
    virtual void DescribeProperties() {}
    void SetClassInfo(std::string_view name, std::string_view description);
    void AddProperty(std::string_view name, uint8_t type, std::string_view description,
                     uint32_t tag);

private:
    void EnsureDescribed() const;

    mutable bool described_ = false;
    mutable std::vector<TGuiProperty> properties_;
    std::string_view className_ = "TGuiObject", description_;
};

// Bounds (relative to the parent), a user tag, visibility and the enabled state.
class TGuiComponent : public TGuiObject {
public:
    const TIntRect& Bounds() const { return bounds_; }
    int Left() const { return bounds_.Left; }
    int Top() const { return bounds_.Top; }
    int Right() const { return bounds_.Right; }
    int Bottom() const { return bounds_.Bottom; }
    int Width() const { return bounds_.Right - bounds_.Left; }
    int Height() const { return bounds_.Bottom - bounds_.Top; }
    // Left and Top move the component keeping its size. Every change goes through
    // BoundsChanging; far-out values saturate at the 32-bit range.
    void SetLeft(int value);
    void SetTop(int value);
    void SetWidth(int value);
    void SetHeight(int value);
    void SetBounds(const TIntRect& rect);

    TGuiVariant Tag; // integer 0 at creation; a form file sets it as text

    bool Visible() const { return visible_; }
    bool Enabled() const { return enabled_; }
    // Showing calls DoShow then OnShow; hiding calls OnHide then DoHide. Both act even when
    // nothing changes, so hiding and showing again makes the parent pick its focus afresh.
    void Show();
    void Hide();
    // Show or Hide, only on a change.
    void SetVisible(bool value);
    // DoEnable or DoDisable on a change.
    void SetEnabled(bool value);

    TGuiNotifyEvent OnShow, OnHide;

    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;

protected:
    void DescribeProperties() override;
    // Lets a class adjust new bounds before they are taken.
    virtual void BoundsChanging(TIntRect& rect) {}
    virtual void DoShow() {}
    virtual void DoHide() {}
    virtual void DoEnable() {}
    virtual void DoDisable() {}

private:
    TIntRect bounds_;
    bool visible_ = true;
    bool enabled_ = true;
};

// A node of the control tree.
//
// Ownership: a parent owns its children. A control created with a parent adds itself at the
// end of the parent's children; deleting a control deletes its children (the last first) and
// takes it out of its parent. A control created without a parent belongs to its creator.
// Event handlers must not delete the control that calls them or its ancestors.
//
// Children at index 0 are topmost: drawn last, hit first.
class TGuiControl : public TGuiComponent {
public:
    explicit TGuiControl(TGuiControl* parent);
    ~TGuiControl() override;

    std::string Name;
    // Standard objects; only classes that list them in their property table use them.
    TGuiFont Font, DisabledFont;
    TGuiFill Bkgrnd, Border, Selected;
    uint32_t DrawFx = fxNone;

    TGuiMouseHandler OnMouse;
    TGuiKeyHandler OnKey;
    TGuiNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave;

    TGuiControl* Parent() const { return parent_; }
    int ChildCount() const { return int(children_.size()); }
    // None outside 0..ChildCount()-1.
    TGuiControl* Child(int index) const;
    int IndexOf(const TGuiControl* child) const;
    // Deletes the children, the last first.
    void ClearChildren();
    // Depth first, pre-order, ignoring case; none when nothing matches.
    TGuiControl* FindControl(std::string_view name);

    // Index 0 of the parent's children, or the last index. The focus stays with the control
    // that had it.
    void BringToFront();
    void SendToBack();

    // Bounds offset by every ancestor's position.
    TIntRect ScreenRect() const;
    // The screen rectangle clipped to the parent's visible rectangle.
    TIntRect VisibleRect() const;
    TGuiPoint ScreenToClient(TGuiPoint p) const;

    bool MouseOver() const { return mouseOver_; }
    // The child that has the focus, or none; FocusIndex is its index, -1 for none.
    TGuiControl* FocusedChild() const { return focused_; }
    int FocusIndex() const { return focused_ ? IndexOf(focused_) : -1; }
    // The focused child of its parent, with the parent focused too, up to the root.
    bool IsFocused() const;
    // Makes this the focused child of its parent, and so on up to the root.
    virtual void SetFocus();

    // A control that is hidden, or whose visible rectangle misses the point, yields none;
    // otherwise the first child from index 0 that yields one, else the control itself.
    virtual TGuiControl* HitTest(TGuiPoint p);
    // Delivery of one mouse event (point in screen pixels) to this control: DoMouse, OnMouse,
    // then click, double-click, enter and leave handlers.
    virtual void MouseEvent(TGuiPoint p, int event, int button, TGuiShift shift);
    // Passed down the focused children; the deepest focused one calls DoKey and OnKey. A hidden
    // or disabled control on the way takes nothing.
    virtual void KeyEvent(int key, int event, TGuiShift shift);

    // Paints the control itself (screen coordinates, clipped to its visible rectangle).
    virtual void Draw() {}
    // Per-frame step.
    virtual void Update() {}
    // Draws this control and then its visible children from the last index to index 0, each
    // clipped to its visible rectangle; nothing when that rectangle is empty.
    void DrawTree();
    // Update on this control and every control under it.
    void UpdateTree();

    // The context of the tree's root; none for a tree without one.
    const TGuiContext* GuiContext() const;
    TGfxCanvas* Canvas() const;
    TGfxImages* Images() const;
    TGfxFonts* Fonts() const;
    TGuiControl* Root();

    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;
    TGuiFill* GetFill(uint32_t tag) override;
    TGuiFont* GetFont(uint32_t tag) override;

protected:
    void DescribeProperties() override;
    // Enters one of "font", "bkgrnd", "border", "selected", "disabledfont".
    void AddStandardProperty(std::string_view lowerName);

    void DoShow() override;
    void DoHide() override;
    virtual void DoMouse(TGuiPoint p, int event, int button, TGuiShift shift) {}
    virtual void DoKey(int key, int event, TGuiShift shift) {}

    // The root's own context; only the root of a tree has one.
    virtual const TGuiContext* OwnContext() const { return nullptr; }
    // Called on the root for every control of its tree that is being destroyed.
    virtual void ForgetControl(TGuiControl* control) {}

    // Font when enabled, DisabledFont when not.
    const TGuiFont& TextFont() const { return Enabled() ? Font : DisabledFont; }
    // The prepared font, or none.
    TGfxFont* PrepareFont(const TGuiFont& font) const;
    // The first visible, enabled child, or none.
    TGuiControl* FirstActiveChild() const;
    // Any ancestor (or this control) hidden.
    bool HiddenOnTheWay() const;

    // Fill helpers in screen coordinates; nothing when the fill is not drawn.
    void FillArea(const TIntRect& r, const TGuiFill& fill, uint32_t drawFx) const;
    void FrameArea(const TIntRect& r, const TGuiFill& fill, uint32_t drawFx) const;

private:
    void AddChild(TGuiControl* child);
    void RemoveChild(TGuiControl* child);

    TGuiControl* parent_;
    std::vector<TGuiControl*> children_;
    TGuiControl* focused_ = nullptr;
    bool mouseOver_ = false;
    bool destroying_ = false;
};

// The invisible full-screen root of the control tree. It keeps the mouse state (last position,
// button and shift, the control under the mouse, the capture holder and the buttons held) and
// routes mouse events.
class TGuiTaskbar : public TGuiControl {
public:
    TGuiTaskbar();
    ~TGuiTaskbar() override;

    TGuiContext Context;

    // Reads one child list of a form file under the root; false when the file cannot be read
    // or a read fails. Controls read before a failure stay.
    bool LoadFromFile(const std::string& fileName);

    // Routing of one mouse event from the window; click and double click reuse the last
    // position, button and shift.
    void RouteMouse(TGuiPoint p, int event, int button, TGuiShift shift);
    void MouseDown(TGuiPoint p, int button, TGuiShift shift) {
        RouteMouse(p, meDown, button, shift);
    }
    void MouseUp(TGuiPoint p, int button, TGuiShift shift) { RouteMouse(p, meUp, button, shift); }
    void MouseMove(TGuiPoint p, TGuiShift shift) { RouteMouse(p, meMove, mbNone, shift); }
    void Click() { RouteMouse(lastPoint_, meClick, lastButton_, lastShift_); }
    void DblClick() { RouteMouse(lastPoint_, meDblClick, lastButton_, lastShift_); }

    TGuiControl* Capture() const { return capture_; }
    TGuiControl* UnderMouse() const { return underMouse_; }
    int ButtonsHeld() const { return buttons_; }

    // The root never yields itself.
    TGuiControl* HitTest(TGuiPoint p) override;

protected:
    void DescribeProperties() override;
    const TGuiContext* OwnContext() const override { return &Context; }
    void ForgetControl(TGuiControl* control) override;

private:
    TGuiPoint lastPoint_;
    int lastButton_ = mbNone;
    TGuiShift lastShift_ = 0;
    TGuiControl* underMouse_ = nullptr;
    TGuiControl* capture_ = nullptr;
    int buttons_ = 0;
    // The two controls of the event being routed, cleared when a handler frees them.
    TGuiControl* target_ = nullptr;
    TGuiControl* receiver_ = nullptr;
};
