#include "engine/GuiControls.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "engine/GuiForm.h"
#include "engine/GuiForms.h"
#include "engine/TextUtil.h"
#include <algorithm>
#include <climits>

namespace {

int Saturate(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// Tags of the component and control levels.
enum : uint32_t {
    tagLeft = kComponentTags,
    tagTop,
    tagWidth,
    tagHeight,
    tagTag,
    tagVisible,
    tagEnabled,
};
enum : uint32_t {
    tagName = kControlTags,
    tagDrawFx,
    tagFont,
    tagBkgrnd,
    tagBorder,
    tagSelected,
    tagDisabledFont,
};

} // namespace

bool AssignInteger(const TGuiVariant& value, int& field) {
    int32_t n;
    if (!value.ToInteger(n)) return false;
    field = n;
    return true;
}

bool AssignColor(const TGuiVariant& value, TGfxColor& field) {
    int32_t n;
    if (!value.ToInteger(n)) return false;
    field = TGfxColor(uint32_t(n));
    return true;
}

bool AssignBoolean(const TGuiVariant& value, bool& field) { return value.ToBoolean(field); }

// ---- TGuiObject

void TGuiObject::EnsureDescribed() const {
    if (described_) return;
    described_ = true;
    // Describing only enters table entries and names; it changes no state a caller sees.
    const_cast<TGuiObject*>(this)->DescribeProperties();
}

std::string_view TGuiObject::ClassName() const {
    EnsureDescribed();
    return className_;
}

std::string_view TGuiObject::Description() const {
    EnsureDescribed();
    return description_;
}

const std::vector<TGuiProperty>& TGuiObject::Properties() const {
    EnsureDescribed();
    return properties_;
}

const TGuiProperty* TGuiObject::FindProperty(std::string_view name) const {
    for (const TGuiProperty& p : Properties())
        if (SameText(p.Name, name)) return &p;
    return nullptr;
}

void TGuiObject::SetClassInfo(std::string_view name, std::string_view description) {
    className_ = name;
    description_ = description;
}

void TGuiObject::AddProperty(std::string_view name, uint8_t type, std::string_view description,
                             uint32_t tag) {
    properties_.push_back(TGuiProperty{name, type, description, tag});
}

TGuiVariant TGuiObject::GetProperty(uint32_t) const { return TGuiVariant(int32_t(0)); }
bool TGuiObject::SetProperty(uint32_t, const TGuiVariant&) { return true; }
TGuiFill* TGuiObject::GetFill(uint32_t) { return nullptr; }
TGuiFont* TGuiObject::GetFont(uint32_t) { return nullptr; }

void TGuiObject::SetFill(uint32_t tag, const TGuiFill& fill) {
    if (TGuiFill* own = GetFill(tag)) *own = fill;
}

void TGuiObject::SetFont(uint32_t tag, const TGuiFont& font) {
    if (TGuiFont* own = GetFont(tag)) *own = font;
}

bool TGuiObject::SetPropertyByName(std::string_view name, const TGuiVariant& value) {
    const TGuiProperty* p = FindProperty(name);
    return p ? SetProperty(p->Tag, value) : true;
}

TGuiVariant TGuiObject::GetPropertyByName(std::string_view name) const {
    const TGuiProperty* p = FindProperty(name);
    return p ? GetProperty(p->Tag) : TGuiVariant(int32_t(0));
}

TGuiFill* TGuiObject::GetFillByName(std::string_view name) {
    const TGuiProperty* p = FindProperty(name);
    return p && p->Type == ptFill ? GetFill(p->Tag) : nullptr;
}

TGuiFont* TGuiObject::GetFontByName(std::string_view name) {
    const TGuiProperty* p = FindProperty(name);
    return p && p->Type == ptFont ? GetFont(p->Tag) : nullptr;
}

// ---- TGuiComponent

void TGuiComponent::DescribeProperties() {
    TGuiObject::DescribeProperties();
    SetClassInfo("TGuiComponent", "TGuiComponent generic class");
    AddProperty("Left", ptInteger, "The horizontal position of component in pixels", tagLeft);
    AddProperty("Top", ptInteger, "The vertical position of component in pixels", tagTop);
    AddProperty("Width", ptInteger, "The horizontal size of component in pixels", tagWidth);
    AddProperty("Height", ptInteger, "The vertical size of component in pixels", tagHeight);
    AddProperty("Tag", ptString, "User-defined attribute", tagTag);
    AddProperty("Visible", ptBoolean, "Whether this component is visible or not", tagVisible);
    AddProperty("Enabled", ptBoolean, "Whether this component can receive and respond to events",
                tagEnabled);
}

void TGuiComponent::SetBounds(const TIntRect& rect) {
    TIntRect r = rect;
    BoundsChanging(r);
    bounds_ = r;
}

void TGuiComponent::SetLeft(int value) {
    const TIntRect& b = bounds_;
    SetBounds({value, b.Top, Saturate(int64_t(value) + Width()), b.Bottom});
}

void TGuiComponent::SetTop(int value) {
    const TIntRect& b = bounds_;
    SetBounds({b.Left, value, b.Right, Saturate(int64_t(value) + Height())});
}

void TGuiComponent::SetWidth(int value) {
    const TIntRect& b = bounds_;
    SetBounds({b.Left, b.Top, Saturate(int64_t(b.Left) + value), b.Bottom});
}

void TGuiComponent::SetHeight(int value) {
    const TIntRect& b = bounds_;
    SetBounds({b.Left, b.Top, b.Right, Saturate(int64_t(b.Top) + value)});
}

void TGuiComponent::Show() {
    visible_ = true;
    DoShow();
    if (OnShow) OnShow(this);
}

void TGuiComponent::Hide() {
    visible_ = false;
    if (OnHide) OnHide(this);
    DoHide();
}

void TGuiComponent::SetVisible(bool value) {
    if (value == visible_) return;
    if (value)
        Show();
    else
        Hide();
}

void TGuiComponent::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    if (value)
        DoEnable();
    else
        DoDisable();
}

TGuiVariant TGuiComponent::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagLeft:
        return Left();
    case tagTop:
        return Top();
    case tagWidth:
        return Width();
    case tagHeight:
        return Height();
    case tagTag:
        return Tag;
    case tagVisible:
        return visible_;
    case tagEnabled:
        return enabled_;
    default:
        return TGuiObject::GetProperty(tag);
    }
}

bool TGuiComponent::SetProperty(uint32_t tag, const TGuiVariant& value) {
    int32_t n = 0;
    bool b = false;
    switch (tag) {
    case tagLeft:
    case tagTop:
    case tagWidth:
    case tagHeight:
        if (!value.ToInteger(n)) return false;
        if (tag == tagLeft) SetLeft(n);
        if (tag == tagTop) SetTop(n);
        if (tag == tagWidth) SetWidth(n);
        if (tag == tagHeight) SetHeight(n);
        return true;
    case tagTag:
        Tag = value;
        return true;
    case tagVisible:
        if (!value.ToBoolean(b)) return false;
        SetVisible(b);
        return true;
    case tagEnabled:
        if (!value.ToBoolean(b)) return false;
        SetEnabled(b);
        return true;
    default:
        return TGuiObject::SetProperty(tag, value);
    }
}

// ---- TGuiControl

TGuiControl::TGuiControl(TGuiControl* parent) : parent_(parent) {
    if (parent_) parent_->AddChild(this);
}

TGuiControl::~TGuiControl() {
    destroying_ = true;
    ClearChildren();
    Root()->ForgetControl(this);
    if (parent_) parent_->RemoveChild(this);
}

void TGuiControl::AddChild(TGuiControl* child) {
    children_.push_back(child);
    if (!focused_) focused_ = child;
}

void TGuiControl::RemoveChild(TGuiControl* child) {
    const auto it = std::find(children_.begin(), children_.end(), child);
    if (it == children_.end()) return;
    children_.erase(it);
    if (focused_ == child) focused_ = destroying_ ? nullptr : FirstActiveChild();
}

TGuiControl* TGuiControl::Child(int index) const {
    return index >= 0 && index < ChildCount() ? children_[size_t(index)] : nullptr;
}

int TGuiControl::IndexOf(const TGuiControl* child) const {
    const auto it = std::find(children_.begin(), children_.end(), child);
    return it == children_.end() ? -1 : int(it - children_.begin());
}

void TGuiControl::ClearChildren() {
    // Each child takes itself out of the list as it goes.
    while (!children_.empty()) delete children_.back();
}

TGuiControl* TGuiControl::FindControl(std::string_view name) {
    if (SameText(Name, name)) return this;
    for (TGuiControl* c : children_)
        if (TGuiControl* found = c->FindControl(name)) return found;
    return nullptr;
}

void TGuiControl::BringToFront() {
    if (!parent_) return;
    auto& list = parent_->children_;
    const auto it = std::find(list.begin(), list.end(), this);
    if (it != list.end()) std::rotate(list.begin(), it, it + 1);
}

void TGuiControl::SendToBack() {
    if (!parent_) return;
    auto& list = parent_->children_;
    const auto it = std::find(list.begin(), list.end(), this);
    if (it != list.end()) std::rotate(it, it + 1, list.end());
}

TIntRect TGuiControl::ScreenRect() const {
    int64_t dx = 0, dy = 0;
    for (const TGuiControl* p = parent_; p; p = p->parent_) {
        dx += p->Left();
        dy += p->Top();
    }
    const TIntRect& b = Bounds();
    return TIntRect{Saturate(b.Left + dx), Saturate(b.Top + dy), Saturate(b.Right + dx),
                    Saturate(b.Bottom + dy)};
}

TIntRect TGuiControl::VisibleRect() const {
    const TIntRect own = ScreenRect();
    return parent_ ? IntersectRects(own, parent_->VisibleRect()) : own;
}

TGuiPoint TGuiControl::ScreenToClient(TGuiPoint p) const {
    const TIntRect r = ScreenRect();
    return TGuiPoint{Saturate(int64_t(p.X) - r.Left), Saturate(int64_t(p.Y) - r.Top)};
}

bool TGuiControl::IsFocused() const {
    for (const TGuiControl* c = this; c->parent_; c = c->parent_)
        if (c->parent_->focused_ != c) return false;
    return true;
}

void TGuiControl::SetFocus() {
    for (TGuiControl* c = this; c->parent_; c = c->parent_) c->parent_->focused_ = c;
}

TGuiControl* TGuiControl::FirstActiveChild() const {
    for (TGuiControl* c : children_)
        if (c->Visible() && c->Enabled()) return c;
    return nullptr;
}

bool TGuiControl::HiddenOnTheWay() const {
    for (const TGuiControl* c = this; c; c = c->parent_)
        if (!c->Visible()) return true;
    return false;
}

void TGuiControl::DoShow() {
    if (parent_ && !parent_->focused_) parent_->focused_ = parent_->FirstActiveChild();
}

void TGuiControl::DoHide() {
    if (parent_ && parent_->focused_ == this) parent_->focused_ = parent_->FirstActiveChild();
}

TGuiControl* TGuiControl::HitTest(TGuiPoint p) {
    if (!Visible() || !RectHolds(VisibleRect(), p)) return nullptr;
    for (TGuiControl* c : children_)
        if (TGuiControl* hit = c->HitTest(p)) return hit;
    return this;
}

void TGuiControl::MouseEvent(TGuiPoint p, int event, int button, TGuiShift shift) {
    if ((event == meClick || event == meDblClick) && HiddenOnTheWay()) return;
    if (event == meEnter) mouseOver_ = true;
    if (event == meLeave) mouseOver_ = false;
    DoMouse(p, event, button, shift);
    if (OnMouse) OnMouse(this, p, button, shift, event);
    switch (event) {
    case meClick:
        if (Enabled() && OnClick && RectHolds(ScreenRect(), p)) OnClick(this);
        break;
    case meDblClick:
        if (Enabled() && OnDblClick && RectHolds(ScreenRect(), p)) OnDblClick(this);
        break;
    case meEnter:
        if (OnMouseEnter) OnMouseEnter(this);
        break;
    case meLeave:
        if (OnMouseLeave) OnMouseLeave(this);
        break;
    default:
        break;
    }
}

void TGuiControl::KeyEvent(int key, int event, TGuiShift shift) {
    if (!Visible() || !Enabled()) return;
    if (focused_) {
        focused_->KeyEvent(key, event, shift);
        return;
    }
    DoKey(key, event, shift);
    if (OnKey) OnKey(this, key, shift, event);
}

void TGuiControl::DrawTree() {
    TGfxCanvas* canvas = Canvas();
    if (!canvas) return;
    const TIntRect visible = VisibleRect();
    if (RectEmpty(visible)) return;
    const TIntRect saved = canvas->GetClipRect();
    canvas->SetClipRect(visible);
    Draw();
    canvas->SetClipRect(saved);
    // Index 0 is painted last, on top. A Draw that adds or frees children is not expected;
    // the index check keeps a shrinking list safe.
    for (int i = ChildCount() - 1; i >= 0; --i) {
        if (i >= ChildCount()) continue;
        TGuiControl* c = children_[size_t(i)];
        if (c->Visible()) c->DrawTree();
    }
}

void TGuiControl::UpdateTree() {
    Update();
    for (int i = 0; i < ChildCount(); ++i) children_[size_t(i)]->UpdateTree();
}

TGuiControl* TGuiControl::Root() {
    TGuiControl* c = this;
    while (c->parent_) c = c->parent_;
    return c;
}

const TGuiContext* TGuiControl::GuiContext() const {
    const TGuiControl* c = this;
    while (c->parent_) c = c->parent_;
    return c->OwnContext();
}

TGfxCanvas* TGuiControl::Canvas() const {
    const TGuiContext* c = GuiContext();
    return c ? c->Canvas : nullptr;
}

TGfxImages* TGuiControl::Images() const {
    const TGuiContext* c = GuiContext();
    return c ? c->Images : nullptr;
}

TGfxFonts* TGuiControl::Fonts() const {
    const TGuiContext* c = GuiContext();
    return c ? c->Fonts : nullptr;
}

TGfxFont* TGuiControl::PrepareFont(const TGuiFont& font) const { return font.Prepare(Fonts()); }

void TGuiControl::FillArea(const TIntRect& r, const TGuiFill& fill, uint32_t drawFx) const {
    TGfxCanvas* canvas = Canvas();
    if (!canvas || !fill.Drawn || RectEmpty(r)) return;
    const float l = float(r.Left), t = float(r.Top), rt = float(r.Right), b = float(r.Bottom);
    canvas->FillQuad(TPoint4{{{l, t}, {rt, t}, {rt, b}, {l, b}}}, fill.Corners(), drawFx);
}

void TGuiControl::FrameArea(const TIntRect& r, const TGuiFill& fill, uint32_t drawFx) const {
    TGfxCanvas* canvas = Canvas();
    if (!canvas || !fill.Drawn || RectEmpty(r)) return;
    const float l = float(r.Left), t = float(r.Top), rt = float(r.Right), b = float(r.Bottom);
    canvas->FrameQuad(TPoint4{{{l, t}, {rt, t}, {rt, b}, {l, b}}}, fill.Corners(), drawFx);
}

void TGuiControl::DescribeProperties() {
    TGuiComponent::DescribeProperties();
    SetClassInfo("TGuiControl", "TGuiControl generic class");
    AddProperty("Name", ptString, "The unique name of control", tagName);
    AddProperty("DrawFx", ptDrawFx, "Drawing effect used with this control", tagDrawFx);
}

void TGuiControl::AddStandardProperty(std::string_view lowerName) {
    struct Standard {
        std::string_view key, name;
        uint8_t type;
        std::string_view description;
        uint32_t tag;
    };
    static constexpr Standard kStandard[] = {
        {"font", "Font", ptFont, "The font of the displayed text", tagFont},
        {"bkgrnd", "Bkgrnd", ptFill, "How to fill the background of this control", tagBkgrnd},
        {"border", "Border", ptFill, "The fill style of control's border", tagBorder},
        {"selected", "Selected", ptFill, "How to fill the control when it's selected", tagSelected},
        {"disabledfont", "DisabledFont", ptFont, "The text font when the control is disabled",
         tagDisabledFont},
    };
    for (const Standard& s : kStandard)
        if (s.key == lowerName) AddProperty(s.name, s.type, s.description, s.tag);
}

TGuiVariant TGuiControl::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagName:
        return Name;
    case tagDrawFx:
        return int32_t(DrawFx);
    default:
        return TGuiComponent::GetProperty(tag);
    }
}

bool TGuiControl::SetProperty(uint32_t tag, const TGuiVariant& value) {
    switch (tag) {
    case tagName:
        Name = value.ToString();
        return true;
    case tagDrawFx: {
        int32_t n;
        if (!value.ToInteger(n)) return false;
        DrawFx = uint32_t(n);
        return true;
    }
    default:
        return TGuiComponent::SetProperty(tag, value);
    }
}

TGuiFill* TGuiControl::GetFill(uint32_t tag) {
    switch (tag) {
    case tagBkgrnd:
        return &Bkgrnd;
    case tagBorder:
        return &Border;
    case tagSelected:
        return &Selected;
    default:
        return TGuiComponent::GetFill(tag);
    }
}

TGuiFont* TGuiControl::GetFont(uint32_t tag) {
    switch (tag) {
    case tagFont:
        return &Font;
    case tagDisabledFont:
        return &DisabledFont;
    default:
        return TGuiComponent::GetFont(tag);
    }
}

// ---- TGuiTaskbar

TGuiTaskbar::TGuiTaskbar() : TGuiControl(nullptr) { SetBounds({0, 0, 800, 600}); }

TGuiTaskbar::~TGuiTaskbar() {
    // Free the tree while the mouse state it points into is still ours.
    ClearChildren();
}

void TGuiTaskbar::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiTaskbar", "The invisible container of all windows");
}

bool TGuiTaskbar::LoadFromFile(const std::string& fileName) {
    return LoadGuiForms(*this, fileName);
}

TGuiControl* TGuiTaskbar::HitTest(TGuiPoint p) {
    TGuiControl* hit = TGuiControl::HitTest(p);
    return hit == this ? nullptr : hit;
}

void TGuiTaskbar::ForgetControl(TGuiControl* control) {
    if (underMouse_ == control) underMouse_ = nullptr;
    if (capture_ == control) capture_ = nullptr;
    if (target_ == control) target_ = nullptr;
    if (receiver_ == control) receiver_ = nullptr;
}

void TGuiTaskbar::RouteMouse(TGuiPoint p, int event, int button, TGuiShift shift) {
    lastPoint_ = p;
    lastButton_ = button;
    lastShift_ = shift;
    target_ = HitTest(p);
    receiver_ = capture_ ? capture_ : target_;

    if (event == meDown) {
        if (target_) {
            if (buttons_ == 0) {
                target_->SetFocus();
                capture_ = target_;
            }
            if (dynamic_cast<TGuiForm*>(capture_)) capture_->SetFocus();
        }
        ++buttons_;
    } else if (event == meUp) {
        // A release whose press never reached us (it began outside the window) counts nothing.
        buttons_ = std::max(0, buttons_ - 1);
        if (buttons_ == 0) capture_ = nullptr;
    }

    const bool free = buttons_ == 0;
    if (free && target_ != underMouse_ && target_) target_->MouseEvent(p, meEnter, mbNone, shift);
    if (receiver_ && receiver_->Enabled()) receiver_->MouseEvent(p, event, button, shift);
    if (free && target_ != underMouse_) {
        if (underMouse_) underMouse_->MouseEvent(p, meLeave, mbNone, shift);
        underMouse_ = target_;
    }
    target_ = receiver_ = nullptr;
}
