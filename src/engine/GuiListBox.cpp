#include "engine/GuiListBox.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include <algorithm>

namespace {

enum : uint32_t {
    tagItems = kClassTags,
    tagItemSize,
    tagIndexed,
    tagItemIndex,
    tagTextAdjust,
    tagIndexedFont,
    tagBorderColor,
    tagScrollButton,
    tagScrollFill,
    tagScrollPressed,
    tagScrollArrow,
};

void PaintFill(TGfxCanvas& canvas, const TIntRect& r, const TGuiFill& fill) {
    if (!fill.Drawn || RectEmpty(r)) return;
    const float l = float(r.Left), t = float(r.Top), rt = float(r.Right), b = float(r.Bottom);
    canvas.FillQuad(TPoint4{{{l, t}, {rt, t}, {rt, b}, {l, b}}}, fill.Corners(), fxBlend);
}

} // namespace

// ---- TGuiScroll

void TGuiScroll::SetRange(int max, int page) {
    max_ = std::max(0, max);
    page_ = std::max(1, page);
    SetPosition(position_);
}

void TGuiScroll::SetPosition(int position) { position_ = std::clamp(position, 0, max_); }

TIntRect TGuiScroll::ThumbRect(const TIntRect& bar) const {
    const int w = bar.Right - bar.Left;
    const int trackTop = bar.Top + w, trackBottom = bar.Bottom - w;
    const int track = std::max(0, trackBottom - trackTop);
    const int total = max_ + page_;
    const int size =
        std::clamp(int(int64_t(track) * page_ / std::max(1, total)), std::min(8, track), track);
    const int offset = max_ > 0 ? int(int64_t(track - size) * position_ / max_) : 0;
    return TIntRect{bar.Left, trackTop + offset, bar.Right, trackTop + offset + size};
}

TGuiScroll::TPart TGuiScroll::PartAt(const TIntRect& bar, TGuiPoint p) const {
    if (!RectHolds(bar, p)) return spNone;
    const int w = bar.Right - bar.Left;
    if (p.Y < bar.Top + w) return spUp;
    if (p.Y >= bar.Bottom - w) return spDown;
    const TIntRect thumb = ThumbRect(bar);
    if (p.Y < thumb.Top) return spTrackUp;
    if (p.Y >= thumb.Bottom) return spTrackDown;
    return spThumb;
}

void TGuiScroll::Press(const TIntRect& bar, TGuiPoint p) {
    pressed_ = PartAt(bar, p);
    switch (pressed_) {
    case spUp:
        SetPosition(position_ - 1);
        break;
    case spDown:
        SetPosition(position_ + 1);
        break;
    case spTrackUp:
        SetPosition(position_ - page_);
        break;
    case spTrackDown:
        SetPosition(position_ + page_);
        break;
    case spThumb:
        grab_ = p.Y - ThumbRect(bar).Top;
        break;
    default:
        break;
    }
}

void TGuiScroll::Drag(const TIntRect& bar, TGuiPoint p) {
    if (pressed_ != spThumb || max_ <= 0) return;
    const int w = bar.Right - bar.Left;
    const TIntRect thumb = ThumbRect(bar);
    const int free = (bar.Bottom - w) - (bar.Top + w) - (thumb.Bottom - thumb.Top);
    if (free <= 0) return;
    const int top = p.Y - grab_ - (bar.Top + w);
    SetPosition(int((int64_t(top) * max_ + free / 2) / free));
}

void TGuiScroll::Draw(TGfxCanvas& canvas, const TIntRect& bar) const {
    const int w = bar.Right - bar.Left;
    const TIntRect up{bar.Left, bar.Top, bar.Right, bar.Top + w};
    const TIntRect down{bar.Left, bar.Bottom - w, bar.Right, bar.Bottom};
    PaintFill(canvas, {bar.Left, bar.Top + w, bar.Right, bar.Bottom - w}, Fill);
    PaintFill(canvas, up, pressed_ == spUp ? Pressed : Button);
    PaintFill(canvas, down, pressed_ == spDown ? Pressed : Button);
    PaintFill(canvas, ThumbRect(bar), pressed_ == spThumb ? Pressed : Button);
    const float cx = float(bar.Left) + float(w) / 2, a = float(w) / 4;
    const float upY = float(up.Top) + float(w) / 2, downY = float(down.Top) + float(w) / 2;
    canvas.FillTriangle({cx, upY - a}, {cx + a, upY + a / 2}, {cx - a, upY + a / 2}, Arrow, Arrow,
                        Arrow, fxBlend);
    canvas.FillTriangle({cx - a, downY - a / 2}, {cx + a, downY - a / 2}, {cx, downY + a}, Arrow,
                        Arrow, Arrow, fxBlend);
}

// ---- TGuiListBox

TGuiListBox::TGuiListBox(TGuiControl* parent) : TGuiControl(parent) {
    SetBounds({0, 0, 120, 100});
    DrawFx = fxBlend;
    Bkgrnd.SetColor(0xFFFFFFFF);
    Selected.SetColor(0x40D67563);
    Indexed.SetColor(0xFFD67563);
    IndexedFont.SetColor(0xFFFFFFFF);
    Scroll.Button.SetColor(0xFFE0E0E0);
    Scroll.Fill.SetColor(0xFFF2F2F2);
    Scroll.Pressed.SetColor(0xFFB8B8B8);
}

void TGuiListBox::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiListBox", "TGuiListBox is a simple set of multiple selectable strings");
    AddStandardProperty("bkgrnd");
    AddStandardProperty("selected");
    AddStandardProperty("font");
    AddProperty("Items", ptStrings, "The list of displayed strings", tagItems);
    AddProperty("ItemSize", ptInteger, "The size of individual item in the list", tagItemSize);
    AddProperty("Indexed", ptFill, "The fill-style of a selected item", tagIndexed);
    AddProperty("ItemIndex", ptInteger, "The index of currently selected item", tagItemIndex);
    AddProperty("TextAdjust", ptInteger, "The vertical text adjustment", tagTextAdjust);
    AddProperty("IndexedFont", ptFont, "The font to be used with the selected item",
                tagIndexedFont);
    AddProperty("BorderColor", ptColor, "The color of control's border", tagBorderColor);
    AddProperty("ScrollButton", ptFill, "The fill-style of scrollbar's buttons", tagScrollButton);
    AddProperty("ScrollFill", ptFill, "The fill-style of scrollbar's scrolling area",
                tagScrollFill);
    AddProperty("ScrollPressed", ptFill, "The fill-style scrollbar's pressed buttons",
                tagScrollPressed);
    AddProperty("ScrollArrow", ptColor, "The color of scrollbar's arrows", tagScrollArrow);
}

std::vector<std::string> TGuiListBox::SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string TGuiListBox::JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

TGuiVariant TGuiListBox::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagItems:
        return JoinLines(Items);
    case tagItemSize:
        return ItemSize;
    case tagItemIndex:
        return itemIndex_;
    case tagTextAdjust:
        return TextAdjust;
    case tagBorderColor:
        return int32_t(BorderColor);
    case tagScrollArrow:
        return int32_t(Scroll.Arrow);
    default:
        return TGuiControl::GetProperty(tag);
    }
}

bool TGuiListBox::SetProperty(uint32_t tag, const TGuiVariant& value) {
    int n = 0;
    switch (tag) {
    case tagItems:
        Items = SplitLines(value.ToString());
        return true;
    case tagItemSize:
        return AssignInteger(value, ItemSize);
    case tagItemIndex:
        if (!AssignInteger(value, n)) return false;
        SetItemIndex(n);
        return true;
    case tagTextAdjust:
        return AssignInteger(value, TextAdjust);
    case tagBorderColor:
        return AssignColor(value, BorderColor);
    case tagScrollArrow:
        return AssignColor(value, Scroll.Arrow);
    default:
        return TGuiControl::SetProperty(tag, value);
    }
}

TGuiFill* TGuiListBox::GetFill(uint32_t tag) {
    switch (tag) {
    case tagIndexed:
        return &Indexed;
    case tagScrollButton:
        return &Scroll.Button;
    case tagScrollFill:
        return &Scroll.Fill;
    case tagScrollPressed:
        return &Scroll.Pressed;
    default:
        return TGuiControl::GetFill(tag);
    }
}

TGuiFont* TGuiListBox::GetFont(uint32_t tag) {
    return tag == tagIndexedFont ? &IndexedFont : TGuiControl::GetFont(tag);
}

int TGuiListBox::VisibleCount() const { return std::max(1, (Height() - 2) / Step()); }

void TGuiListBox::UpdateRange() {
    Scroll.SetRange(int(Items.size()) - VisibleCount(), VisibleCount());
}

void TGuiListBox::SetItemIndex(int index) {
    itemIndex_ = index;
    UpdateRange();
    if (index < 0 || index >= int(Items.size())) return;
    if (index < Scroll.Position()) Scroll.SetPosition(index);
    if (index >= Scroll.Position() + VisibleCount()) Scroll.SetPosition(index - VisibleCount() + 1);
}

TIntRect TGuiListBox::ScrollRect() const {
    const TIntRect r = ScreenRect();
    return TIntRect{r.Right - 1 - TGuiScroll::kWidth, r.Top + 1, r.Right - 1, r.Bottom - 1};
}

int TGuiListBox::ItemAt(TGuiPoint p) const {
    if (!Enabled()) return -1;
    const TIntRect r = ScreenRect();
    if (!RectHolds(r, p)) return -1;
    if (ScrollShown() && p.X >= ScrollRect().Left) return -1;
    const int64_t item = (int64_t(p.Y) - r.Top - 1) / Step() + FirstVisible();
    return item >= 0 && item < int64_t(Items.size()) ? int(item) : -1;
}

void TGuiListBox::DoMouse(TGuiPoint p, int event, int button, TGuiShift) {
    UpdateRange();
    switch (event) {
    case meDown:
        if (button != mbLeft) break;
        if (ScrollShown() && Scroll.PartAt(ScrollRect(), p) != TGuiScroll::spNone) {
            Scroll.Press(ScrollRect(), p);
        } else if (const int item = ItemAt(p); item >= 0) {
            itemIndex_ = item;
            if (OnChange) OnChange(this);
        }
        break;
    case meMove:
        Scroll.Drag(ScrollRect(), p);
        hover_ = ItemAt(p);
        break;
    case meEnter:
        hover_ = ItemAt(p);
        break;
    case meUp:
        if (button == mbLeft) Scroll.Release();
        break;
    case meLeave:
        hover_ = -1;
        break;
    default:
        break;
    }
}

void TGuiListBox::Draw() {
    TGfxCanvas* canvas = Canvas();
    if (!canvas) return;
    UpdateRange();
    const TIntRect r = ScreenRect();
    FillArea(r, Bkgrnd, DrawFx);
    const int textRight = ScrollShown() ? ScrollRect().Left : r.Right - 1;
    const TIntRect saved = canvas->GetClipRect();
    canvas->SetClipRect(IntersectRects(saved, {r.Left + 1, r.Top + 1, textRight, r.Bottom - 1}));
    const int last = std::min(int(Items.size()), FirstVisible() + VisibleCount() + 1);
    for (int i = FirstVisible(); i < last; ++i) {
        const int top = r.Top + 1 + (i - FirstVisible()) * Step();
        const TIntRect row{r.Left + 1, top, textRight, top + Step()};
        const bool selected = i == itemIndex_;
        if (selected)
            FillArea(row, Indexed, DrawFx);
        else if (i == HoverItem())
            FillArea(row, Selected, DrawFx);
        const TGuiFont& font = selected ? IndexedFont : Font;
        if (TGfxFont* f = PrepareFont(font)) {
            const float y =
                float(top) + (float(Step()) - f->TextHeight("")) / 2 + float(TextAdjust);
            font.TextOut(Fonts(), Items[size_t(i)], float(row.Left + 3), y);
        }
    }
    canvas->SetClipRect(saved);
    if (ScrollShown()) Scroll.Draw(*canvas, ScrollRect());
    canvas->FrameRect(float(r.Left), float(r.Top), float(r.Right), float(r.Bottom), BorderColor,
                      fxBlend);
}
