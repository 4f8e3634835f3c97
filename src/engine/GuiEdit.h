#pragma once
#include "engine/GuiControls.h"

// A one-line box of editable text with a blinking caret.
//
// With Tag 1 the box captures one key instead: it takes a free key out of the context's
// TKeySets (named special keys on key down, letters and digits as characters), shows its name
// and remembers its code; a left press gives the key back and empties the box for the next one.
class TGuiEdit : public TGuiControl {
public:
    explicit TGuiEdit(TGuiControl* parent);

    const std::string& Text() const { return text_; }
    // Also puts the caret after the last character.
    void SetText(std::string text);
    size_t Caret() const { return caret_; }
    void SetCaret(size_t position) { caret_ = std::min(position, text_.size()); }

    bool ReadOnly = false;
    int TextAdjust = 0;
    int BlinkTicks = 8; // Update calls per caret phase; 0 keeps the caret on
    TGuiFill Selector;

    int MaxLength() const { return maxLength_; }
    // 0 or less: no limit. A longer text is cut and the caret pulled back.
    void SetMaxLength(int value);
    int TabOrder() const { return tabOrder_; }
    // A sibling edit box holding the same order moves on to the next one, and so on down the
    // line, so the orders stay unique.
    void SetTabOrder(int value);

    // Fired whenever the text changes.
    TGuiNotifyEvent OnChange;

    // Key capture: Tag converts to 1.
    bool CapturesKeys() const { return Tag.AsInteger() == 1; }
    // The key recorded in capture mode, 0 for none.
    int KeyCode() const { return keyCode_; }
    void SetKeyCode(int code) { keyCode_ = code; }

    void Draw() override;
    void Update() override;
    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;
    TGuiFill* GetFill(uint32_t tag) override;

protected:
    void DescribeProperties() override;
    void DoKey(int key, int event, TGuiShift shift) override;
    void DoMouse(TGuiPoint p, int event, int button, TGuiShift shift) override;

private:
    void ChangeText(std::string text, size_t caret);
    void Paste();
    void FocusNextByTab();
    void CaptureKey(int key, int event);
    void Record(int code);
    // The set a code belongs to: the special keys first, as the game's key table reads them.
    std::bitset<256>* SetOf(int code) const;

    std::string text_;
    size_t caret_ = 0;
    int maxLength_ = 0;
    int tabOrder_ = 0;
    int keyCode_ = 0;
    unsigned updates_ = 0;
    float scroll_ = 0; // pixels of text scrolled out on the left, kept from the last Draw
};
