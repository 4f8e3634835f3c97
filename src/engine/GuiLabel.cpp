#include "engine/GuiLabel.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"

namespace {

enum : uint32_t {
    tagText = kClassTags,
    tagWordWrap,
    tagTextAdjust,
    tagAlignment,
    tagLineSpacing,
    tagProgressive,
    tagShowDelay,
};

bool IsSeparator(char c) { return c == ' ' || c == '\r' || c == '\b'; }

// The horizontal inset of the text on each side.
constexpr float kInset = 4;

} // namespace

TGuiLabel::TGuiLabel(TGuiControl* parent) : TGuiControl(parent) {
    SetBounds({0, 0, 100, 20});
    DrawFx = fxBlend;
    Bkgrnd.Drawn = false;
    Border.Drawn = false;
}

void TGuiLabel::DescribeProperties() {
    TGuiControl::DescribeProperties();
    SetClassInfo("TGuiLabel", "TGuiLabel is an advanced component that displays text.");
    AddStandardProperty("bkgrnd");
    AddStandardProperty("border");
    AddStandardProperty("font");
    AddStandardProperty("disabledfont");
    AddProperty("Text", ptString, "The text that will be displayed", tagText);
    AddProperty("WordWrap", ptBoolean,
                "Whether the text can be wrapped to appear on multiple lines.", tagWordWrap);
    AddProperty("TextAdjust", ptInteger, "The vertical adjustment of visible text", tagTextAdjust);
    AddProperty("Alignment", ptAlignment, "The horizontal alignment of text", tagAlignment);
    AddProperty("LineSpacing", ptInteger, "The space in pixels between text lines", tagLineSpacing);
    AddProperty("Progressive", ptBoolean, "Whether to show text as if it was typed by machine",
                tagProgressive);
    AddProperty("ShowDelay", ptInteger, "The typing delay for displaying progressive text",
                tagShowDelay);
}

TGuiVariant TGuiLabel::GetProperty(uint32_t tag) const {
    switch (tag) {
    case tagText:
        return text_;
    case tagWordWrap:
        return WordWrap;
    case tagTextAdjust:
        return TextAdjust;
    case tagAlignment:
        return Alignment;
    case tagLineSpacing:
        return LineSpacing;
    case tagProgressive:
        return Progressive;
    case tagShowDelay:
        return ShowDelay;
    default:
        return TGuiControl::GetProperty(tag);
    }
}

bool TGuiLabel::SetProperty(uint32_t tag, const TGuiVariant& value) {
    switch (tag) {
    case tagText:
        SetText(value.ToString());
        return true;
    case tagWordWrap:
        return AssignBoolean(value, WordWrap);
    case tagTextAdjust:
        return AssignInteger(value, TextAdjust);
    case tagAlignment:
        return AssignInteger(value, Alignment);
    case tagLineSpacing:
        return AssignInteger(value, LineSpacing);
    case tagProgressive:
        return AssignBoolean(value, Progressive);
    case tagShowDelay:
        return AssignInteger(value, ShowDelay);
    default:
        return TGuiControl::SetProperty(tag, value);
    }
}

void TGuiLabel::SetText(std::string text) {
    text_ = std::move(text);
    shown_ = 0;
    ticks_ = 0;
    CutWords();
}

void TGuiLabel::CutWords() {
    words_.clear();
    size_t i = 0;
    while (i < text_.size()) {
        while (i < text_.size() && IsSeparator(text_[i])) ++i;
        if (i == text_.size()) break;
        TWord w{i, i, {}, false};
        for (; i < text_.size() && !IsSeparator(text_[i]); ++i) {
            if (text_[i] == '\n')
                w.newLine = true;
            else
                w.chars += text_[i];
        }
        w.end = i;
        words_.push_back(std::move(w));
    }
}

void TGuiLabel::Update() {
    if (!Progressive || shown_ >= text_.size()) return;
    if (++ticks_ >= ShowDelay) {
        ticks_ = 0;
        ++shown_;
    }
}

std::string TGuiLabel::ShownPart(const TWord& w) const {
    const size_t limit = Progressive ? shown_ : text_.size();
    if (limit >= w.end) return w.chars;
    std::string part;
    for (size_t i = w.start; i < limit; ++i)
        if (text_[i] != '\n') part += text_[i];
    return part;
}

std::vector<TGuiLabel::TPlacedWord> TGuiLabel::Layout() const {
    std::vector<TPlacedWord> placed;
    TGfxFont* font = PrepareFont(TextFont());
    if (!font || words_.empty()) return placed;
    const float space = font->TextWidth(" ");
    const float glyphHeight = font->TextHeight("");
    const float available = float(Width()) - 2 * kInset;
    std::vector<float> widths;
    widths.reserve(words_.size());
    for (const TWord& w : words_) widths.push_back(font->TextWidth(w.chars));

    // Places words [first, last) on one line at height y; justify spreads them over the width.
    auto placeLine = [&](size_t first, size_t last, float y, bool justify) {
        float total = 0;
        for (size_t i = first; i < last; ++i) total += widths[i];
        const size_t count = last - first;
        float gap = space;
        float x = kInset;
        if (justify && count > 1) {
            gap = (available - total) / float(count - 1);
        } else {
            const float lineWidth = total + space * float(count - 1);
            if (Alignment == taRight) x = float(Width()) - kInset - lineWidth;
            if (Alignment == taCenter) x = (float(Width()) - lineWidth) / 2;
        }
        for (size_t i = first; i < last; ++i) {
            placed.push_back({x, y, ShownPart(words_[i])});
            x += widths[i] + gap;
        }
    };

    if (!WordWrap) {
        const float y = (float(Height()) - glyphHeight) / 2 + float(TextAdjust);
        placeLine(0, words_.size(), y, Alignment == taJustify);
        return placed;
    }
    float y = float(TextAdjust);
    size_t first = 0;
    while (first < words_.size()) {
        // A line takes words while their widths (each but the text's last followed by a space)
        // stay below the width; it always takes one, and a line feed word starts a new one.
        size_t last = first;
        float used = 0;
        while (last < words_.size()) {
            if (last > first && words_[last].newLine) break;
            const bool textLast = last + 1 == words_.size();
            const float need = widths[last] + (textLast ? 0 : space);
            if (last > first && used + need >= available) break;
            used += need;
            ++last;
        }
        const bool lastLine = last == words_.size();
        const bool beforeBreak = !lastLine && words_[last].newLine;
        placeLine(first, last, y, Alignment == taJustify && !lastLine && !beforeBreak);
        y += glyphHeight + float(LineSpacing);
        first = last;
    }
    return placed;
}

void TGuiLabel::Draw() {
    const TIntRect r = ScreenRect();
    FillArea(r, Bkgrnd, DrawFx);
    const TGuiFont& font = TextFont();
    for (const TPlacedWord& w : Layout())
        if (!w.Text.empty()) font.TextOut(Fonts(), w.Text, float(r.Left) + w.X, float(r.Top) + w.Y);
    FrameArea(r, Border, DrawFx);
}
