#pragma once
#include "board/GameWorld.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxDb.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImages.h"
#include "engine/GfxKeyboard.h"
#include "engine/GfxSprite.h"
#include "engine/GfxTimers.h"
#include "engine/GuiBase.h"
#include "engine/GuiTypes.h"
#include "engine/Random.h"
#include "engine/XParticles.h"
#include "screens/StateMachine.h"
#include "shell/DisplayModes.h"
#include "shell/FormHooks.h"
#include "shell/FrameRecipe.h"
#include "shell/GameState.h"
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
class TGuiControl;
class TGuiEdit;
class TShellHooks;
class TShareScreen;

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

    platform::Platform& Platform;
    // Everything of the session that crosses the game's parts; Reset() gives a fresh game.
    TGameState Game;

    // Components, in creation order.
    TGfxDevice Device;
    TGfxTimer Timer;
    TGfxCanvas MyCanvas;
    TGfxImages Images;
    TGfxFonts Fonts;
    TResDb Archive, Archive2, Archive3;
    TGuiOwner GuiOwner;
    std::unique_ptr<TGuiBase> GuiBase;
    TKeySets KeySets;
    TGfxKeyboard Keyboard;
    TTimer Timer1, Timer3;
    TSoundSystem Sound;
    TRandom Random{1};
    std::unique_ptr<TSpriteEngine> SpriteEngine;
    std::unique_ptr<TXParticleManager> Particles;
    TCursor* Cursor = nullptr; // owned by SpriteEngine
    TStateMachine States{Game.ScreenState};
    // What sprites reach of the window; filled once the engine exists.
    TGameWorld World;
    // Behaviour that the screens and level objects plug in.
    TFormHooks Hooks;

    int StateTicks = 0;
    bool ConsoleEnabled = false;
    int ExitCountdown = 0; // without an exit screen object
    std::unique_ptr<TShareScreen> ShareScreen;
    // Ends the main loop: the window closes.
    void Terminate() { loop_.Terminate(); }
    // Seeds the game generator at start-up; the clock when not set.
    bool FixedSeed = false;

    // Handlers.
    void DeviceInitialize(bool& success);
    void DeviceRender();
    void TimerTimer();
    void Timer1Timer();
    void Timer3Timer();
    // What closing the window does in the current state; true lets it close.
    bool FormCloseQuery();
    void HandleEvent(const platform::Event& event);
    void PlayEffect(std::string_view name) { Sound.PlayEffect(name, Game.SoundVolume); }
    // Applies the selected display mode; false (after the error box) when the device fails.
    bool ApplyDisplaySettings();
    // Windowed: centred on the screen, to the nearest pixel; full screen: at (0, 0).
    void PlaceWindow();
    // The Delta that sprites move by this frame: 0.001 when the tick count advanced.
    float MoveDelta();

    // Screen helpers: controls are looked up by name at the moment of use.
    TGuiControl* Control(std::string_view name) const;
    void ShowForm(std::string_view name);
    void HideForm(std::string_view name);
    bool FormVisible(std::string_view name) const;
    void SetLabel(std::string_view name, const std::string& text);
    void SetCursorVisible(bool visible);
    // Puts the plain pointer back at scale 1 (dropping whatever item it carried).
    void ResetCursor();
    // "cursor" or the image of the item being carried.
    std::string CursorImage() const;

    // The common tick body: render, GUI update, present. Without GUI: render and present.
    void Frame();
    void RenderAndPresent();
    bool Released(int key) const { return Game.KeyReleased[key & 0xFF] != 0; }

    // Level flow.
    void LevelStart();
    void PlayTick();
    void StageCompleteTick();

    // Runs a button's click action as a click would (a disabled button ignores it).
    void Click(std::string_view name);
    // The usual transition between two states.
    void Go(uint8_t from, uint8_t to);
    // Counts a label's number up towards score; true once it has reached it.
    bool CountUp(std::string_view label, int score);

    static bool IsSpecialKey(int code);

    // Last frame's steps, for tests and the runner's state dump.
    const std::vector<TFrameStep>& LastFrameSteps() const { return lastSteps_; }

private:
    void DefineStates();
    void WireHooks();
    void WireScreens();
    void BindPersistenceButtons();
    void DefineMenuStates();
    void DefinePlayStates();
    void BindButtons();
    void OnButton(std::string_view name, std::function<void()> action);
    void UpdateOptionFrames();
    void SetCheckFrames(std::string_view name, bool on);
    void UpdateSoundControls();
    void UpdateGraphicsControls();
    // Key-capture box 0..2 of the controls screen, or none.
    TGuiEdit* KeyEdit(int i) const;
    void LoadKeyEdits();
    void StoreKeyEdits();
    void RunStep(TFrameStep step, float delta);
    void DrawEffects();
    void DrawOverlay();
    void DrawComboBanner();
    void DrawCentred(int font, const std::string& text, float cx, float y, TGfxColor colour);

    platform::Renderer& renderer_;
    TMainLoop loop_;
    uint64_t lastFrameTick_ = 0;
    bool firstFrame_ = true;
    TMenuSprite* logo_ = nullptr;
    std::vector<TFrameStep> lastSteps_;
    std::unique_ptr<TShellHooks> shellHooks_;
};
