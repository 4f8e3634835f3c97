#pragma once
#include "engine/GfxCanvas.h"
#include "engine/GfxDb.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GfxKeyboard.h"
#include "engine/GfxSprite.h"
#include "engine/GfxTimers.h"
#include "engine/Random.h"
#include "engine/XParticles.h"
#include "screens/StateMachine.h"
#include "shell/DisplayModes.h"
#include "shell/MainLoop.h"
#include "shell/WindowTimer.h"
#include "sound/SoundSystem.h"
#include <bitset>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class Platform;
class Renderer;
class Audio;
} // namespace platform
class TCursor;
class TMenuSprite;

// The main window: owns everything that lives for the whole run, runs the start-up
// sequence, turns frame-timer ticks into screen-state ticks and runs the two 100 ms clocks.
class TForm1 {
public:
    TForm1(platform::Platform& platform, platform::Renderer& renderer, platform::Audio& audio);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // The start-up sequence; false when the device cannot start (the window then closes).
    bool FormCreate();
    void FormDestroy();
    // Runs the main loop until the window closes (or for maxPasses passes, for tests).
    void Run(long maxPasses = 0);
    bool Closed() const { return loop_.Terminated(); }

    // Components, in creation order.
    platform::Platform& Platform;
    TGfxDevice Device;
    TGfxTimer Timer;
    TGfxCanvas MyCanvas;
    TGfxImages Images;
    TGfxFonts Fonts;
    TResDb Archive, Archive2, Archive3;
    TGfxKeyboard Keyboard;
    TTimer Timer1, Timer3;
    TSoundSystem Sound;
    TRandom Random{1};
    std::unique_ptr<TSpriteEngine> SpriteEngine;
    std::unique_ptr<TXParticleManager> Particles;
    TCursor* Cursor = nullptr; // owned by SpriteEngine
    TStateMachine States;

    // Shell state.
    double SpeedFactor = 1.2;
    int PulseCounter = 0;
    uint8_t FlaskGrown = 0;
    int FlaskTimer = 0;
    double LevelTimeLeft = -1.0;
    int ExitCountdown = 0;
    int StateTicks = 0;
    std::vector<TDisplayModeEntry> DisplayModes;
    int DisplayModeIndex = 0;
    std::vector<int> KeyBindings, DefaultKeyBindings;
    std::bitset<256> FreeLetterKeys, FreeSpecialKeys;
    uint8_t FullScreen = 0, Antialias = 1, VSync = 0, ShowHowToPlay = 1, ShowStory = 1;
    int MusicVolume = 250, SoundVolume = 250;
    std::string PlayerName;
    int ProfileIndex = 0, ProfileCount = 0;
    bool ConsoleEnabled = false;

    // Input tables, read once per frame.
    uint8_t KeyHeld[256] = {};
    uint8_t KeyReleased[256] = {};
    uint8_t MouseHeld = 0;
    uint8_t RightButtonHeld = 0;
    uint8_t SwapLocked = 0;

    // Handlers.
    void DeviceInitialize(bool& success);
    void DeviceRender();
    void TimerTimer();
    void Timer1Timer();
    void Timer3Timer();
    // What closing the window does in the current state; true lets it close.
    bool FormCloseQuery();
    void HandleEvent(const platform::Event& event);
    void PlayEffect(std::string_view name) { Sound.PlayEffect(name, SoundVolume); }
    // Applies the selected display mode; false (after the error box) when the device fails.
    bool ApplyDisplaySettings();
    // The Delta that sprites move by this frame: 0.001 when the tick count advanced.
    float MoveDelta();

    static std::bitset<256> InitialLetterKeys();
    static std::bitset<256> InitialSpecialKeys();
    static bool IsSpecialKey(int code);

private:
    void DefineStates();
    void Frame(); // render, GUI update, present
    void RunSpritePasses(bool collide, bool free, bool draw, bool move);
    void DrawEffects();

    platform::Renderer& renderer_;
    TMainLoop loop_;
    uint64_t lastFrameTick_ = 0;
    bool firstFrame_ = true;
    TMenuSprite* logo_ = nullptr;
};
