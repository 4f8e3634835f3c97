#include "engine/GuiEdit.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "platform/Desktop.h"
#include "platform/VirtualKeys.h"
#include <algorithm>
#include <climits>
#include <vector>

namespace {

enum : uint32_t {
    tagText = kClassTags,
    tagReadOnly,
    tagTextAdjust,
    tagBlinkTicks,
    tagSelector,
    tagMaxLength,
    tagTabOrder,
};

constexpr int kPad = 2; // text inset on every side
constexpr int kCaretWidth = 2;
constexpr int kKeyV = 'V';

bool Printable(char c) { return uint8_t(c) >= 32 && uint8_t(c) <= 126; }

} // namespace

TGuiEdit::TGuiEdit(TGuiControl* parent) : TGuiControl(parent) {
    SetBounds({0, 0, 100, 20});
    Selector.SetColor(0x80D67563);
}

void TGuiEdit::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiEdit", "TGuiEdit is a simple box with editable text.");
    AddStandardProperty("bkgrnd");
    AddStandardProperty("border");
    AddStandardProperty("font");
    AddStandardProperty("disabledfont");
    AddProperty("Text", ptString, "The initial text", tagText);
    AddProperty("ReadOnly", ptBoolean, "Whether the text can be edited by user", tagReadOnly);
    AddProperty("TextAdjust", ptInteger, "The vertical adjustment of visible text", tagTextAdjust);
    AddProperty("BlinkTicks", ptInteger, "The interval at which the selector blinks",
                tagBlinkTicks);
    AddProperty("Selector", ptFill, "The visible style of text selector", tagSelector);
    AddProperty("MaxLength", ptInteger, "The maximum length of editable text", tagMaxLength);
    AddProperty("TabOrder", ptInteger, "The order in which this control is selected by TAB key",
                tagTabOrder);
}

TGuiVariant TGuiEdit::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagText:
        return text_;
    case tagReadOnly:
        return ReadOnly;
    case tagTextAdjust:
        return TextAdjust;
    case tagBlinkTicks:
        return BlinkTicks;
    case tagMaxLength:
        return maxLength_;
    case tagTabOrder:
        return tabOrder_;
    default:
        return TGuiControl::GetProperty(tag);
    }
}

bool TGuiEdit::SetProperty(uint32_t tag, const TGuiVariant& value) {
    int n = 0;
    switch (tag) {
    case tagText:
        SetText(value.ToString());
        return true;
    case tagReadOnly:
        return AssignBoolean(value, ReadOnly);
    case tagTextAdjust:
        return AssignInteger(value, TextAdjust);
    case tagBlinkTicks:
        return AssignInteger(value, BlinkTicks);
    case tagMaxLength:
        if (!AssignInteger(value, n)) return false;
        SetMaxLength(n);
        return true;
    case tagTabOrder:
        if (!AssignInteger(value, n)) return false;
        SetTabOrder(n);
        return true;
    default:
        return TGuiControl::SetProperty(tag, value);
    }
}

TGuiFill* TGuiEdit::GetFill(uint32_t tag) {
    return tag == tagSelector ? &Selector : TGuiControl::GetFill(tag);
}

void TGuiEdit::ChangeText(std::string text, size_t caret) {
    const bool changed = text != text_;
    text_ = std::move(text);
    caret_ = std::min(caret, text_.size());
    if (changed && OnChange) OnChange(this);
}

void TGuiEdit::SetText(std::string text) {
    const size_t end = text.size();
    ChangeText(std::move(text), end);
}

void TGuiEdit::SetMaxLength(int value) {
    maxLength_ = value;
    if (value > 0 && text_.size() > size_t(value))
        ChangeText(text_.substr(0, size_t(value)), caret_);
}

void TGuiEdit::SetTabOrder(int value) {
    tabOrder_ = value;
    if (!Parent()) return;
    // The chain visits value, value + 1, ... and is at most one step per sibling long, so only
    // siblings in that window can be on it. holder[k] is the first sibling (in child order)
    // holding value + k; each is met once, as the chain only climbs.
    const int n = Parent()->ChildCount();
    std::vector<TGuiEdit*> holder(size_t(n) + 1, nullptr);
    for (int i = 0; i < n; ++i) {
        auto* e = dynamic_cast<TGuiEdit*>(Parent()->Child(i));
        if (!e || e == this) continue;
        const int64_t k = int64_t(e->tabOrder_) - value;
        if (k >= 0 && k <= n && !holder[size_t(k)]) holder[size_t(k)] = e;
    }
    for (size_t k = 0; k < holder.size() && holder[k] && int64_t(value) + int64_t(k) < INT_MAX; ++k)
        holder[k]->tabOrder_ = int(int64_t(value) + int64_t(k) + 1);
}

void TGuiEdit::Paste() {
    const TGuiContext* context = GuiContext();
    if (!context || !context->Clipboard) return;
    const std::string raw = context->Clipboard->GetText();
    size_t first = 0, last = raw.size();
    while (first < last && uint8_t(raw[first]) <= ' ') ++first;
    while (last > first && uint8_t(raw[last - 1]) <= ' ') --last;
    std::string pasted;
    for (size_t i = first; i < last; ++i)
        if (Printable(raw[i])) pasted += raw[i];
    std::string text = text_;
    text.insert(caret_, pasted);
    if (maxLength_ > 0 && text.size() > size_t(maxLength_)) text.resize(size_t(maxLength_));
    ChangeText(std::move(text), caret_ + pasted.size());
}

void TGuiEdit::FocusNextByTab() {
    if (!Parent()) return;
    TGuiEdit* next = nullptr;
    TGuiEdit* lowest = nullptr;
    for (int i = 0; i < Parent()->ChildCount(); ++i) {
        auto* e = dynamic_cast<TGuiEdit*>(Parent()->Child(i));
        // A hidden or disabled box could not take the keys that follow.
        if (!e || !e->Visible() || !e->Enabled()) continue;
        if (!lowest || e->tabOrder_ < lowest->tabOrder_) lowest = e;
        if (e != this && e->tabOrder_ > tabOrder_ && (!next || e->tabOrder_ < next->tabOrder_))
            next = e;
    }
    if (TGuiEdit* target = next ? next : lowest) target->SetFocus();
}

void TGuiEdit::DoKey(int key, int event, TGuiShift shift) {
    if (CapturesKeys()) {
        CaptureKey(key, event);
        return;
    }
    if (event == keDown) {
        switch (key) {
        case vk::Back:
            if (!ReadOnly && caret_ > 0)
                ChangeText(std::string(text_).erase(caret_ - 1, 1), caret_ - 1);
            break;
        case vk::Delete:
            if (!ReadOnly && caret_ < text_.size())
                ChangeText(std::string(text_).erase(caret_, 1), caret_);
            break;
        case vk::Left:
            if (caret_ > 0) --caret_;
            break;
        case vk::Right:
            if (caret_ < text_.size()) ++caret_;
            break;
        case vk::Home:
            caret_ = 0;
            break;
        case vk::End:
            caret_ = text_.size();
            break;
        case kKeyV:
            if ((shift & ssCtrl) && !ReadOnly) Paste();
            break;
        default:
            break;
        }
    } else if (event == keChar) {
        if (key == vk::Tab) {
            FocusNextByTab();
        } else if (key >= 32 && key <= 126 && !ReadOnly &&
                   (maxLength_ <= 0 || text_.size() < size_t(maxLength_))) {
            ChangeText(std::string(text_).insert(caret_, 1, char(key)), caret_ + 1);
        }
    }
}

std::bitset<256>* TGuiEdit::SetOf(int code) const {
    const TGuiContext* context = GuiContext();
    if (!context || !context->KeySets || code <= 0 || code > 255) return nullptr;
    if (IsSpecialKeyCode(code)) return &context->KeySets->FreeSpecialKeys;
    if (IsLetterKeyCode(code)) return &context->KeySets->FreeLetterKeys;
    return nullptr;
}

void TGuiEdit::CaptureKey(int key, int event) {
    // A box that shows its key keeps it until a press empties the box; taking a second key
    // would lose the first one from the free sets.
    if (!text_.empty()) return;
    int code = 0;
    if (event == keDown && IsSpecialKeyCode(key)) {
        code = key;
    } else if (event == keChar && key >= 'a' && key <= 'z') {
        code = key - 'a' + 'A';
    } else if (event == keChar && key > 0 && key < 256) {
        code = key;
    }
    // A character whose code names a special key (the apostrophe is Right, the full stop
    // Delete) would bind that key instead; such characters are refused.
    if (code == 0 || (event == keChar && (!IsLetterKeyCode(code) || IsSpecialKeyCode(code))))
        return;
    std::bitset<256>* set = SetOf(code);
    if (set && set->test(size_t(code))) Record(code);
}

void TGuiEdit::Record(int code) {
    std::string text = text_;
    text.insert(caret_, GuiKeyName(code));
    const size_t end = text.size();
    ChangeText(std::move(text), end);
    SetOf(code)->reset(size_t(code));
    keyCode_ = code;
    // The parent picks its focused child again.
    DoHide();
    DoShow();
}

void TGuiEdit::DoMouse(TGuiPoint p, int event, int button, TGuiShift) {
    if (event != meDown || button != mbLeft) return;
    if (CapturesKeys()) {
        if (text_.empty()) return;
        if (std::bitset<256>* set = SetOf(keyCode_)) set->set(size_t(keyCode_));
        ChangeText({}, 0);
        return;
    }
    TGfxFont* font = PrepareFont(TextFont());
    if (!font) return;
    // The caret goes before the first character whose middle lies right of the press.
    const float x = float(p.X) - float(ScreenRect().Left + kPad) + scroll_;
    float left = 0;
    size_t i = 0;
    for (; i < text_.size(); ++i) {
        const float w = font->TextWidth(std::string_view(&text_[i], 1));
        if (left + w / 2 > x) break;
        left += w;
    }
    caret_ = i;
}

void TGuiEdit::Update() {
    ++updates_;
    // An unfocused, empty capture box falls back to the key it recorded, if that key is free.
    if (CapturesKeys() && text_.empty() && !IsFocused() && !GuiKeyName(keyCode_).empty()) {
        std::bitset<256>* set = SetOf(keyCode_);
        if (set && set->test(size_t(keyCode_))) {
            set->reset(size_t(keyCode_));
            ChangeText(GuiKeyName(keyCode_), caret_);
        }
    }
}

void TGuiEdit::Draw() {
    TGfxCanvas* canvas = Canvas();
    if (!canvas) return;
    const TIntRect r = ScreenRect();
    FillArea(r, Bkgrnd, fxBlend);
    const TGuiFont& font = TextFont();
    if (TGfxFont* f = PrepareFont(font)) {
        const TIntRect inner{r.Left + kPad, r.Top + kPad, r.Right - kPad, r.Bottom - kPad};
        const float room = float(inner.Right - inner.Left - kCaretWidth);
        const float caretX = f->TextWidth(std::string_view(text_).substr(0, caret_));
        if (caretX - scroll_ > room) scroll_ = caretX - room;
        if (caretX < scroll_) scroll_ = caretX;
        if (scroll_ < 0) scroll_ = 0;
        const float h = f->TextHeight("");
        const float y = float(r.Top) + (float(Height()) - h) / 2 + float(TextAdjust);
        const TIntRect saved = canvas->GetClipRect();
        canvas->SetClipRect(IntersectRects(saved, inner));
        font.TextOut(Fonts(), text_, float(inner.Left) - scroll_, y);
        const bool blinkOn = BlinkTicks <= 0 || (updates_ / unsigned(BlinkTicks)) % 2 == 0;
        if (IsFocused() && Enabled() && blinkOn) {
            const int x = int(float(inner.Left) + caretX - scroll_);
            FillArea({x, int(y), x + kCaretWidth, int(y + h)}, Selector, fxBlend);
        }
        canvas->SetClipRect(saved);
    }
    FrameArea(r, Border, fxBlend);
}
