#pragma once
#include "engine/GuiControls.h"

// Text on one line or wrapped over several, aligned left, right, centred or justified, and
// optionally typed out a character at a time.
class TGuiLabel : public TGuiControl {
public:
    enum : int { taLeft = 0, taRight = 1, taCenter = 2, taJustify = 3 };

    explicit TGuiLabel(TGuiControl* parent);

    const std::string& Text() const { return text_; }
    // Also restarts a progressive label from its first character.
    void SetText(std::string text);

    bool WordWrap = false;
    int TextAdjust = 0;
    int Alignment = taLeft;
    int LineSpacing = 0;
    bool Progressive = false;
    int ShowDelay = 2; // Update calls per typed character

    // Characters a progressive label shows now.
    size_t ShownCount() const { return shown_; }

    // Where each word of the text is drawn: its position relative to the label's top-left and
    // the characters it shows. Empty without a font.
    struct TPlacedWord {
        float X, Y;
        std::string Text;
    };
    std::vector<TPlacedWord> Layout() const;

    void Draw() override;
    void Update() override;
    TGuiVariant GetProperty(uint32_t tag) const override;
    bool SetProperty(uint32_t tag, const TGuiVariant& value) override;

protected:
    void DescribeProperties() override;

private:
    // A word of the text: where it starts in the text, its characters without line feeds and
    // whether it held one (and so starts a line of its own).
    struct TWord {
        size_t start, end;
        std::string chars;
        bool newLine;
    };
    void CutWords();
    // The characters of a word that are shown, given how many characters of the text are.
    std::string ShownPart(const TWord& w) const;

    std::string text_;
    std::vector<TWord> words_;
    size_t shown_ = 0;
    int ticks_ = 0;
};
