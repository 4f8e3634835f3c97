#include "engine/GuiTypes.h"
#include "engine/GfxFonts.h"
#include "engine/TextUtil.h"
#include <algorithm>
#include <cmath>

TIntRect IntersectRects(const TIntRect& a, const TIntRect& b) {
    return TIntRect{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
                    std::min(a.Bottom, b.Bottom)};
}

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

bool ParseGuiInteger(std::string_view text, int32_t& out) {
    std::string_view s = Trim(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    if (s.empty()) return false;
    uint64_t value = 0;
    if (s.front() == '$') {
        s.remove_prefix(1);
        if (s.empty() || s.size() > 8) return false;
        for (char c : s) {
            const int d = HexDigit(c);
            if (d < 0) return false;
            value = value * 16 + uint64_t(d);
        }
    } else {
        for (char c : s) {
            if (c < '0' || c > '9') return false;
            value = value * 10 + uint64_t(c - '0');
            if (value > 0xFFFFFFFFull) return false;
        }
    }
    if (negative && value > 0x80000000ull) return false;
    out = negative ? int32_t(-int64_t(value)) : int32_t(uint32_t(value));
    return true;
}

bool ParseGuiBoolean(std::string_view text, bool& out) {
    const std::string_view s = Trim(text);
    if (SameText(s, "True")) {
        out = true;
        return true;
    }
    if (SameText(s, "False")) {
        out = false;
        return true;
    }
    int32_t n;
    if (!ParseGuiInteger(s, n)) return false;
    out = n != 0;
    return true;
}

bool TGuiVariant::ToInteger(int32_t& out) const {
    switch (Kind()) {
    case TKind::Integer:
        out = std::get<int32_t>(value_);
        return true;
    case TKind::Boolean:
        out = std::get<bool>(value_) ? 1 : 0;
        return true;
    case TKind::String:
        return ParseGuiInteger(std::get<std::string>(value_), out);
    }
    return false;
}

bool TGuiVariant::ToBoolean(bool& out) const {
    switch (Kind()) {
    case TKind::Integer:
        out = std::get<int32_t>(value_) != 0;
        return true;
    case TKind::Boolean:
        out = std::get<bool>(value_);
        return true;
    case TKind::String:
        return ParseGuiBoolean(std::get<std::string>(value_), out);
    }
    return false;
}

std::string TGuiVariant::ToString() const {
    switch (Kind()) {
    case TKind::Integer:
        return std::to_string(std::get<int32_t>(value_));
    case TKind::Boolean:
        return std::get<bool>(value_) ? "True" : "False";
    case TKind::String:
        return std::get<std::string>(value_);
    }
    return {};
}

int32_t TGuiVariant::AsInteger(int32_t fallback) const {
    int32_t v;
    return ToInteger(v) ? v : fallback;
}

TGfxFont* TGuiFont::Prepare(TGfxFonts* fonts) const {
    if (!fonts || !fonts->Canvas) return nullptr;
    TGfxFont* font = fonts->Items(FontIndex);
    if (!font) return nullptr;
    // A damaged form file can carry any double; keep the shared font drawable.
    font->Scale = std::isfinite(Scale) ? float(Scale) : 1.0f;
    font->Style = Style;
    font->Interleave = std::isfinite(Interleave) ? float(Interleave) : 0.0f;
    return font;
}

void TGuiFont::TextOut(TGfxFonts* fonts, std::string_view text, float x, float y) const {
    if (TGfxFont* font = Prepare(fonts))
        font->TextOutEx(text, x, y, TopColor, BottomColor, fxBlend);
}

TKeySets TKeySets::Initial() {
    TKeySets sets;
    for (int code = 0; code < 256; ++code) {
        sets.FreeLetterKeys[code] = IsLetterKeyCode(code);
        sets.FreeSpecialKeys[code] = IsSpecialKeyCode(code);
    }
    return sets;
}

bool IsLetterKeyCode(int code) {
    return code == 39 || (code >= 42 && code <= 57) || code == 59 || code == 61 ||
           (code >= 65 && code <= 93) || code == 96;
}

bool IsSpecialKeyCode(int code) {
    return code == 9 || code == 16 || code == 17 || (code >= 32 && code <= 40) || code == 45 ||
           code == 46;
}

std::string GuiKeyName(int code) {
    struct Named {
        int code;
        const char* name;
    };
    static constexpr Named kNames[] = {
        {9, "Tab"},       {16, "Shift"}, {17, "Ctrl"},   {32, "Space"},  {33, "PageUp"},
        {34, "PageDown"}, {35, "End"},   {36, "Home"},   {37, "Left"},   {38, "Up"},
        {39, "Right"},    {40, "Down"},  {45, "Insert"}, {46, "Delete"},
    };
    for (const Named& n : kNames)
        if (n.code == code) return n.name;
    if (IsLetterKeyCode(code)) return std::string(1, char(code));
    return {};
}
