#pragma once
#include "engine/GfxDevice.h"
#include "engine/GfxImage.h"
#include "engine/GfxTypes.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class Shell;
}
class TGfxCanvas;
class TGfxFonts;

// The exit screen (state 32): a background, picture buttons that open files (links), and an
// exit button that works only once a countdown has run out. Its layout is the text file
// "wdata/config.ini"; without it, or with anything in it missing or unreadable, the screen is
// not valid and quitting closes the window at once.
//
// The shell creates one at start-up and calls LoadLayout; on entering state 32, Enter (close at
// once when it says so); each Timer1 tick in state 32, TickCountdown; each frame in state 32,
// UpdateHover and DrawScreen; on a left press in state 32, Click (close when it says so). The
// window may close in state 32 only when CanClose. Closing the window runs OpenLink.
class TShareScreen : public TGfxSubscriber {
public:
    static constexpr const char* LayoutFile = "wdata/config.ini";
    static constexpr const char* LinkFile = "play.url";
    static constexpr const char* ExitTarget = "exit";
    static constexpr const char* FontName = "sharetext";

    struct TButton {
        uint8_t Hover = 0;
        uint8_t Active = 0; // a link from the start; the exit button once the countdown is over
        uint8_t Visible = 1;
        int HoverX = 0, HoverY = 0, HoverExtra1 = 0, HoverExtra2 = 0; // the extras are unused
        int X = 0, Y = 0, Width = 0, Height = 0;
        int CountdownX = 0, CountdownY = 0, CountdownExtra1 = 0, CountdownExtra2 = 0;
        std::string Target; // ExitTarget, or the file a click opens
        std::string HoverFile, NormalFile, CountdownFile;
        // The three pictures, loaded once instead of at every draw.
        std::shared_ptr<TGfxImage> NormalPicture, HoverPicture, CountdownPicture;

        bool IsExit() const { return Target == ExitTarget; }
    };

    explicit TShareScreen(TGfxDevice* device = nullptr);
    ~TShareScreen() override;

    uint8_t Valid = 0;
    int ButtonCount = 0;
    std::vector<TButton> Buttons; // file order; the last is the exit button
    std::string BackgroundFile;
    int Countdown = 0; // tenths of a second
    uint8_t FixedFontSize = 0;
    int FontSize = 0;
    std::unique_ptr<TGfxImage> Background;
    int CountdownX = 0, CountdownY = 0;
    TGfxColor CountdownColour = 0xFFFFFFFF;

    // Reads a layout text (the file's bytes) into the fields and buttons, checking every named
    // file with `exists`; loads no picture. Any line missing, empty where numbers belong, with a
    // token that is not a decimal integer or with too few numbers, or a name that is empty or
    // does not exist makes the layout invalid. Returns Valid.
    bool ParseLayout(std::string_view text, const std::function<bool(const std::string&)>& exists);
    // The whole start-up read: the file, its pictures (one that does not decode makes the
    // layout invalid too) and the scale of the font "sharetext" when fonts are given.
    bool LoadLayout(TGfxFonts* fonts, const std::string& path = LayoutFile);
    // Fixed size: "A" gets FontSize pixels; otherwise 0.6 x the button height of the last
    // link button. Without link buttons and without a fixed size the scale stays.
    void ApplyFontScale(TGfxFonts& fonts) const;

    void AddButton(TButton button) { Buttons.push_back(std::move(button)); }

    // Entering state 32: false when the screen is not valid (the countdown is then 0 and the
    // window should close at once).
    bool Enter();
    // The console's EXIT: no countdown, no screen.
    void SwitchOff();
    void TickCountdown();
    bool CanClose() const { return Countdown == 0; }
    // The whole seconds the countdown shows (rounded up, so 5 s show 6 for the first tenth);
    // 0 when it is over.
    int ShownSeconds() const { return Countdown > 0 ? Countdown / 10 + 1 : 0; }

    // The mouse in window pixels, scaled to the 800x600 screen by the device size.
    void UpdateHover(int mouseX, int mouseY, int deviceWidth, int deviceHeight);
    void DrawScreen(TGfxCanvas& canvas, TGfxFonts* fonts);
    void DrawButton(TGfxCanvas& canvas, TButton& button);
    // Also puts the layout's scale back on "sharetext" (a device restart reloads the fonts).
    void DrawCountdown(TGfxCanvas& canvas, TGfxFonts* fonts);
    // A left press: every hovered button in list order; links open their file. True when the
    // exit button was hovered (the window is to be asked to close).
    bool Click(platform::Shell& shell);

    // "play.url" through the shell, if it exists.
    static bool OpenLink(platform::Shell& shell);
    // A file through the shell, if it exists. A ".url" shortcut (an "URL=" line) opens its
    // address instead, as the desktops this game runs on do not read such files themselves.
    static bool OpenFile(platform::Shell& shell, const std::string& fileName);
    // The http, https or file address of a ".url" shortcut's text, or empty.
    static std::string ShortcutUrl(std::string_view text);

    bool DeviceMessage(int message) override;

private:
    bool LoadPictures();
    void Draw(TGfxCanvas& canvas, TGfxImage* image, int x, int y);
    void ReleasePictures();
};
