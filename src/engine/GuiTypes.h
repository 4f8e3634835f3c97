#pragma once
#include "engine/GfxTypes.h"
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

class TGfxFont;
class TGfxFonts;

// A point in logical screen pixels (or client pixels where a function says so).
struct TGuiPoint {
    int X = 0, Y = 0;
    friend bool operator==(const TGuiPoint&, const TGuiPoint&) = default;
};

// GUI rectangles hold their right and bottom edges in every point test.
inline bool RectHolds(const TIntRect& r, TGuiPoint p) {
    return p.X >= r.Left && p.X <= r.Right && p.Y >= r.Top && p.Y <= r.Bottom;
}
// Nothing to paint: no width or no height.
inline bool RectEmpty(const TIntRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }
TIntRect IntersectRects(const TIntRect& a, const TIntRect& b);

// Modifier and button state that comes with mouse and key events.
using TGuiShift = uint32_t;
constexpr TGuiShift ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                    ssDouble = 64;

// Mouse events, buttons and key events as the controls receive them.
enum : int {
    meDown = 0,
    meUp = 1,
    meMove = 2,
    meClick = 3,
    meDblClick = 4,
    meEnter = 5,
    meLeave = 6,
};
enum : int { mbLeft = 0, mbRight = 1, mbMiddle = 2, mbNone = 3 };
enum : int { keDown = 0, keUp = 1, keChar = 2 };

// Property type codes of the property tables and the form file.
enum : uint8_t {
    ptInteger = 0,
    ptString = 2,
    ptBoolean = 3,
    ptFill = 4,
    ptFont = 5,
    ptDrawFx = 6,
    ptAlignment = 7,
    ptColor = 8,
    ptStrings = 9,
    ptGlyphPos = 10,
};

// Text to number as the form file writes numbers: optional sign, then decimal digits or "$"
// and hexadecimal digits; surrounding spaces are allowed. Decimal values up to 4294967295 are
// taken (colours are written unsigned) and wrap into 32 bits. False when nothing converts.
bool ParseGuiInteger(std::string_view text, int32_t& out);
// "True" / "False" in any letter case, or a number (non-zero is true).
bool ParseGuiBoolean(std::string_view text, bool& out);

// A property value: integer, string or boolean. Conversions between the kinds follow the
// form file's rules; each conversion that can fail says so by its result.
class TGuiVariant {
public:
    enum class TKind : uint8_t { Integer, String, Boolean };

    TGuiVariant() = default; // integer 0
    TGuiVariant(int32_t v) : value_(v) {}
    TGuiVariant(std::string v) : value_(std::move(v)) {}
    TGuiVariant(const char* v) : value_(std::string(v)) {}
    TGuiVariant(bool v) : value_(v) {}

    TKind Kind() const { return TKind(value_.index()); }
    bool ToInteger(int32_t& out) const;
    bool ToBoolean(bool& out) const;
    // Integers in decimal, booleans as "True" / "False".
    std::string ToString() const;
    // The integer, or fallback when the value does not convert.
    int32_t AsInteger(int32_t fallback = 0) const;

    friend bool operator==(const TGuiVariant&, const TGuiVariant&) = default;

private:
    std::variant<int32_t, std::string, bool> value_{int32_t(0)};
};

// How a control fills an area: four corner colours (top-left, top-right, bottom-right,
// bottom-left) and whether the fill is drawn at all.
class TGuiFill {
public:
    static constexpr TGfxColor kDefaultColor = 0xFFD0D0D0;

    bool Drawn = true;

    // 0 outside 0..3.
    TGfxColor Colors(int index) const { return index >= 0 && index < 4 ? colors_.c[index] : 0; }
    void SetColors(int index, TGfxColor color) {
        if (index >= 0 && index < 4) colors_.c[index] = color;
    }
    void SetColor(TGfxColor color) { colors_ = TColor4::All(color); }
    // Top corners one colour, bottom corners another.
    void SetGradient(TGfxColor top, TGfxColor bottom) {
        colors_ = TColor4{{top, top, bottom, bottom}};
    }
    const TColor4& Corners() const { return colors_; }

    friend bool operator==(const TGuiFill&, const TGuiFill&) = default;

private:
    TColor4 colors_ = TColor4::All(kDefaultColor);
};

// Which font of the font list a control writes with, and how.
class TGuiFont {
public:
    int FontIndex = 0;
    TGfxColor TopColor = 0xFFA0A0A0;
    TGfxColor BottomColor = 0xFFFFFFFF;
    double Scale = 1.0;
    uint8_t Style = 0; // the TGfxFont style bits
    double Interleave = 0.0;

    void SetColor(TGfxColor color) { TopColor = BottomColor = color; }
    // Copies scale, style and interleave into the list's font and returns it; none without a
    // font list, without a canvas on it, or with an index outside the list. The list's font is
    // shared, so measure only after preparing.
    TGfxFont* Prepare(TGfxFonts* fonts) const;
    // Draws with the top and bottom colours, alpha blended; nothing when Prepare gives none.
    void TextOut(TGfxFonts* fonts, std::string_view text, float x, float y) const;

    friend bool operator==(const TGuiFont&, const TGuiFont&) = default;
};

// The two sets of keys still free for binding, indexed by key code. The game's shell owns
// them; key-capture edit boxes take keys out and give them back.
struct TKeySets {
    std::bitset<256> FreeLetterKeys;  // upper-case character codes of letters, digits, punctuation
    std::bitset<256> FreeSpecialKeys; // virtual-key codes of the named keys

    // The contents the game starts with.
    static TKeySets Initial();
};

// Whether a code is in the starting letter set: 39, 42..57, 59, 61, 65..93, 96.
bool IsLetterKeyCode(int code);
// Whether a code is one of the named special keys: 9, 16, 17, 32..40, 45, 46.
bool IsSpecialKeyCode(int code);
// The name a key-capture box shows: "Tab", "Shift", "Left" ... for the special keys, the
// character for the other codes of the letter set, empty for everything else.
std::string GuiKeyName(int code);
