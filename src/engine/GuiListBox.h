#pragma once
#include "engine/GuiControls.h"
#include <vector>

class TGfxCanvas;

// The vertical scroll bar of a list box: an up button, a track with a thumb, a down button.
// Not a control of its own; the list box places it along its right edge and passes it the
// presses.
class TGuiScroll {
public:
    static constexpr int kWidth = 14;
    enum TPart : int { spNone, spUp, spDown, spTrackUp, spTrackDown, spThumb };

    TGuiFill Button, Fill, Pressed;
    TGfxColor Arrow = 0xFF404040;

    int Position() const { return position_; }
    int Max() const { return max_; }
    // Position stays within 0..max.
    void SetRange(int max, int page);
    void SetPosition(int position);

    TPart PartAt(const TIntRect& bar, TGuiPoint p) const;
    TPart PressedPart() const { return pressed_; }
    // A press moves by one (buttons) or a page (track), or picks up the thumb.
    void Press(const TIntRect& bar, TGuiPoint p);
    void Drag(const TIntRect& bar, TGuiPoint p);
    void Release() { pressed_ = spNone; }

    void Draw(TGfxCanvas& canvas, const TIntRect& bar) const;
    TIntRect ThumbRect(const TIntRect& bar) const;

private:
    int position_ = 0, max_ = 0, page_ = 1;
    TPart pressed_ = spNone;
    int grab_ = 0; // where in the thumb it was picked up
};

// A list of strings, one of which can be selected with the left button.
class TGuiListBox : public TGuiControl {
public:
    explicit TGuiListBox(TGuiControl* parent);

    std::vector<std::string> Items;
    int ItemSize = 16; // pixels per item
    TGuiFill Indexed;
    TGuiFont IndexedFont;
    int TextAdjust = 0;
    TGfxColor BorderColor = 0xFF7F8C99;
    TGuiScroll Scroll;

    // An index outside the items selects none. Setting it scrolls it into view.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index);
    // Fired when a click selects an item.
    TGuiNotifyEvent OnChange;

    // Items that fit in the box.
    int VisibleCount() const;
    int FirstVisible() const { return Scroll.Position(); }
    // The item under a screen point, or -1: beyond the last item, over the scroll bar and
    // while the box is disabled.
    int ItemAt(TGuiPoint p) const;
    // The item under the mouse now, or -1.
    int HoverItem() const { return Enabled() ? hover_ : -1; }
    bool ScrollShown() const { return int(Items.size()) > VisibleCount(); }
    TIntRect ScrollRect() const;

    // Items as CR LF separated lines (the form file's string list).
    static std::vector<std::string> SplitLines(std::string_view text);
    static std::string JoinLines(const std::vector<std::string>& lines);

    void Draw() override;
    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;
    TGuiFill* GetFill(uint32_t tag) override;
    TGuiFont* GetFont(uint32_t tag) override;

protected:
    void DescribeProperties() override;
    void DoMouse(TGuiPoint p, int event, int button, TGuiShift shift) override;

private:
    void UpdateRange();
    int Step() const { return ItemSize > 0 ? ItemSize : 1; }

    int itemIndex_ = -1;
    int hover_ = -1;
};
