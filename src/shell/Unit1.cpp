#include "shell/Unit1.h"
#include "shell/ShellHooks.h"
#include "objects/LevelClock.h"
#include "screens/ShareScreen.h"
#include "engine/GuiControls.h"
#include "engine/GuiLabel.h"
#include "engine/TextUtil.h"
#include "objects/Cursor.h"
#include "objects/MenuSprite.h"
#include "platform/Audio.h"
#include "platform/Platform.h"
#include "platform/Renderer.h"
#include "platform/VirtualKeys.h"
#include <algorithm>
#include <cmath>
#include <filesystem>

namespace {

constexpr const char* kDeviceError = "Failed to initialize device!";

} // namespace

TForm1::TForm1(platform::Platform& platform, platform::Renderer& renderer, platform::Audio& audio)
    : Platform(platform), Device(renderer, &platform.window()), Timer(platform.clock()),
      MyCanvas(&Device), Images(&Device), Fonts(&Device, &MyCanvas),
      Keyboard(&platform.keyboard()), Sound(audio), renderer_(renderer),
      loop_(platform, Timer) {
    Device.SetWidth(800);
    Device.SetHeight(600);
    Timer.SetSpeed(1200.0);
    Timer.SetMaxFPS(100);
    Timer.Enabled = false;
    MyCanvas.SetVertexCache(4096);
    MyCanvas.Antialias = false;
    MyCanvas.Dithering = true;
    for (TResDb* db : {&Archive, &Archive2, &Archive3}) db->OpenMode = opReadOnly;
    Archive.SetFileName("Data/data.fgg");
    Archive2.SetFileName("Data/gdata.fgg");
    Archive3.SetFileName("Data/data1.fgg");

    // The window's own input handlers run first; the GUI is fed after them.
    GuiOwner.OnKeyDown = [this](int key, TGuiShift) { Game.KeyHeld[key & 0xFF] = 1; };
    GuiOwner.OnKeyUp = [this](int key, TGuiShift) {
        Game.KeyHeld[key & 0xFF] = 0;
        Game.KeyReleased[key & 0xFF] = 1;
    };
    GuiOwner.OnMouseDown = [this](int button, TGuiShift, int x, int y) {
        if (!Game.SwapLocked) Game.MouseHeld = 1;
        if (button == mbRight) Game.RightButtonHeld = 1;
        if (Game.ScreenState == 32 && button == mbLeft && Hooks.ExitScreenPress) {
            const TGuiPoint p = GuiBase ? GuiBase->ToLogical(x, y) : TGuiPoint{x, y};
            Hooks.ExitScreenPress(p.X, p.Y);
        }
    };
    GuiOwner.OnMouseUp = [this](int, TGuiShift, int, int) {
        Game.MouseHeld = 0;
        Game.RightButtonHeld = 0;
    };
    GuiBase = std::make_unique<TGuiBase>(&GuiOwner);
    GuiBase->SetCanvas(&MyCanvas);
    GuiBase->SetImages(&Images);
    GuiBase->SetFonts(&Fonts);
    GuiBase->SetClipboard(&platform.clipboard());
    GuiBase->SetKeySets(&KeySets);

    Timer1.Interval = 100;
    Timer3.Interval = 100;
    Timer3.SetEnabled(true);

    Device.OnInitialize = [this](TGfxDevice&, bool& success) { DeviceInitialize(success); };
    Device.OnRender = [this](TGfxDevice&) { DeviceRender(); };
    Timer.OnTimer = [this] { TimerTimer(); };
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer3.OnTimer = [this] { Timer3Timer(); };
    loop_.AddTimer(Timer1);
    loop_.AddTimer(Timer3);
    loop_.OnWindowEvent = [this](const platform::Event& e) { HandleEvent(e); };
    DefineStates();
    WireHooks();
}

TForm1::~TForm1() { FormDestroy(); }

bool TForm1::IsSpecialKey(int code) {
    return code == 9 || code == 16 || code == 17 || (code >= 32 && code <= 40) || code == 45 ||
           code == 46;
}

bool TForm1::FormCreate() {
    // 1-2. Game-state defaults (the layouts and story texts are tables of their own).
    Game.Reset();
    if (!FixedSeed) Random.Seed(Platform.clock().TickCount());

    // 3. The device; nothing else starts without it.
    platform::WindowConfig config;
    config.title = "Kelvora";
    if (!Platform.window().Open(config) || !Device.Initialize()) {
        Platform.messageBox().ShowError("Kelvora", kDeviceError);
        loop_.Terminate();
        return false;
    }

    // 4. Keyboard and display modes.
    Keyboard.Initialize();
    Game.DisplayModes = BuildDisplayModes(Platform.window().DisplayModes());

    // 5. Sound; without a device the game goes on silently.
    Sound.Start();

    // 6-7. Settings defaults, high scores, key bindings, then the stored settings.
    Game.FreeLetterKeys = TGameState::InitialLetterKeys();
    Game.FreeSpecialKeys = TGameState::InitialSpecialKeys();
    Game.FullScreen = 0, Game.Antialias = 1, Game.VSync = 0, Game.ShowHowToPlay = 1;
    Game.ShowStory = 1, Game.MusicVolume = 250, Game.SoundVolume = 250, Game.ProfileIndex = 0;
    Game.SetScore(0);
    if (Hooks.ResetHighScores) Hooks.ResetHighScores();
    Game.KeyBindings = Game.DefaultKeyBindings = TGameState::InitialKeyBindings();
    if (Hooks.LoadSettings) Hooks.LoadSettings();

    // 8. The 800x600 mode when the display has it.
    const int mode = FindDisplayMode(Game.DisplayModes, "800x600");
    if (mode >= 0) {
        Game.FullScreen = 0;
        Game.DisplayModeIndex = mode;
        if (!ApplyDisplaySettings()) return false;
    }
    if (!Device.Running()) return false;

    // 9. The screens and their buttons.
    GuiBase->LoadFromFile("Data/gfx.fgg");
    BindButtons();

    // 10. Bound keys are no longer free.
    const std::bitset<256> letters = TGameState::InitialLetterKeys();
    for (int code : Game.KeyBindings) {
        if (IsSpecialKey(code)) {
            Game.FreeSpecialKeys.reset(size_t(code));
        } else {
            const int upper = code >= 'a' && code <= 'z' ? code - 32 : code;
            if (upper >= 0 && upper < 256 && letters.test(size_t(upper)))
                Game.FreeLetterKeys.reset(size_t(upper));
        }
    }
    KeySets.FreeLetterKeys = Game.FreeLetterKeys;
    KeySets.FreeSpecialKeys = Game.FreeSpecialKeys;

    // 11. Centre the window; canvas and device follow the settings.
    PlaceWindow();
    MyCanvas.Antialias = Game.Antialias != 0;
    Device.SetVSync(Game.VSync != 0);

    // 12. Sprites.
    SpriteEngine = std::make_unique<TSpriteEngine>();
    SpriteEngine->Images = &Images;
    SpriteEngine->SetCanvas(&MyCanvas);

    // 14-15. Music, effects, and the game's own pointer instead of the system's.
    Sound.LoadMusic(Game.MusicVolume);
    Sound.LoadEffects();
    Platform.window().ShowSystemCursor(false);

    // 16. Particles draw image 9 of the list.
    Particles = std::make_unique<TXParticleManager>(&MyCanvas, Random);
    Particles->SetImage(Images.Items(9));
    Particles->LoadFromResDb(Archive);
    Particles->LoadFromResDb(Archive2);

    // 17. Cursor.
    Cursor = new TCursor(SpriteEngine.get(), Platform.window(), Device);
    World.State = &Game;
    World.Engine = SpriteEngine.get();
    World.Images = &Images;
    World.Fonts = &Fonts;
    World.Canvas = &MyCanvas;
    World.Particles = Particles.get();
    World.Rng = &Random;
    World.Sound = &Sound;
    World.Cursor = Cursor;
    World.Gui = GuiBase.get();
    ShareScreen = std::make_unique<TShareScreen>(&Device);
    ShareScreen->LoadLayout(&Fonts);

    // 18. The developer console exists only with its switch file.
    for (std::string& line : Game.ConsoleLines) line.clear();
    Game.ConsoleAction = -1;
    std::error_code ec;
    ConsoleEnabled = std::filesystem::exists("console.ini", ec);

    // 19.
    States.EnterState(3);
    return true;
}

void TForm1::FormDestroy() {
    if (SpriteEngine) {
        SpriteEngine.reset();
        Cursor = nullptr;
        logo_ = nullptr;
        World = TGameWorld{};
    }
    Sound.Shutdown();
    ShareScreen.reset();
    Particles.reset();
    Device.Finalize();
}

void TForm1::Run(long maxPasses) { loop_.Run(maxPasses); }

void TForm1::PlaceWindow() {
    if (Device.Windowed()) {
        int sw = 0, sh = 0;
        Platform.window().GetScreenSize(sw, sh);
        Platform.window().SetPosition(int(std::lround(sw / 2.0 - Device.Width() / 2.0)),
                                      int(std::lround(sh / 2.0 - Device.Height() / 2.0)));
    } else {
        Platform.window().SetPosition(0, 0);
    }
}

void TForm1::DeviceInitialize(bool& success) {
    // Images first: fonts of an archive load only when its images did.
    bool ok = Images.LoadFromResDb(Archive);
    ok = ok && Fonts.LoadFromResDb(Archive);
    bool ok2 = Images.LoadFromResDb(Archive2);
    ok2 = ok2 && Fonts.LoadFromResDb(Archive2);
    const bool ok3 = Fonts.LoadFromResDb(Archive3);
    success = ok && ok2 && ok3;
    Timer.Enabled = success;
    if (Particles) Particles->SetImage(Images.Items(9));
}

bool TForm1::ApplyDisplaySettings() {
    auto& modes = Game.DisplayModes;
    if (Game.DisplayModeIndex < 0 || Game.DisplayModeIndex >= int(modes.size()))
        Game.DisplayModeIndex = 0;
    if (!modes.empty()) {
        const TDisplayModeEntry& e = modes[size_t(Game.DisplayModeIndex)];
        Device.SetWidth(e.Width());
        Device.SetHeight(e.Height());
    }
    Device.SetWindowed(Game.FullScreen == 0);
    Platform.window().SetFullScreen(Game.FullScreen != 0);
    Platform.window().SetClientSize(Device.Width(), Device.Height());
    if (Device.Windowed()) {
        int sw = 0, sh = 0;
        Platform.window().GetScreenSize(sw, sh);
        Platform.window().SetPosition((sw - Device.Width()) / 2, (sh - Device.Height()) / 2);
    }
    MyCanvas.Antialias = Game.Antialias != 0;
    Device.SetVSync(Game.VSync != 0);
    if (!Device.Running() && !Device.Initialize()) {
        Platform.messageBox().ShowError("Kelvora", kDeviceError);
        Game.ScreenState = 32;
        loop_.Terminate();
        return false;
    }
    return true;
}

void TForm1::TimerTimer() {
    States.TickState(Game.ScreenState);
    Game.KeyReleased.fill(0);
}

void TForm1::Timer1Timer() {
    RunLevelClock(Game);
    if (Game.ScreenState == 32) {
        if (ShareScreen) ShareScreen->TickCountdown();
        else if (ExitCountdown > 0) --ExitCountdown;
    }
}

void TForm1::Timer3Timer() {
    if (--Game.PulseCounter < 0) Game.PulseCounter = 5;
    if (Game.FlaskGrown) ++Game.FlaskTimer;
}

bool TForm1::FormCloseQuery() {
    switch (Game.ScreenState) {
    case 4: case 5: case 7: case 8: case 9: case 10: case 15: case 20: case 21: case 26:
    case 27: case 28:
        States.Go(11);
        return false;
    case 18:
        States.Go(0);
        return false;
    case 13:
        States.EnterState(0);
        return false;
    case 32:
        return ShareScreen ? ShareScreen->CanClose() : ExitCountdown == 0;
    default:
        return false;
    }
}

void TForm1::HandleEvent(const platform::Event& e) {
    using Type = platform::Event::Type;
    Device.HandleEvent(e);
    switch (e.type) {
    case Type::CloseRequest:
        if (FormCloseQuery()) {
            if (Hooks.OpenExitLink) Hooks.OpenExitLink();
            loop_.Terminate();
        }
        break;
    case Type::Hidden:
    case Type::Minimized:
        if (Game.ScreenState == 13) States.EnterState(18);
        break;
    default:
        GuiOwner.Dispatch(e);
        break;
    }
}

TGuiControl* TForm1::Control(std::string_view name) const {
    return GuiBase ? GuiBase->FindControl(name) : nullptr;
}

void TForm1::ShowForm(std::string_view name) {
    if (TGuiControl* c = Control(name)) {
        c->Show();
        c->BringToFront();
    }
}

void TForm1::HideForm(std::string_view name) {
    if (TGuiControl* c = Control(name)) {
        c->Hide();
        c->SendToBack();
    }
}

bool TForm1::FormVisible(std::string_view name) const {
    const TGuiControl* c = Control(name);
    return c && c->Visible();
}

void TForm1::SetLabel(std::string_view name, const std::string& text) {
    if (auto* label = dynamic_cast<TGuiLabel*>(Control(name))) label->SetText(text);
}

void TForm1::SetCursorVisible(bool visible) {
    if (Cursor) Cursor->Visible = visible;
}

void TForm1::ResetCursor() {
    if (!Cursor) return;
    Cursor->SetImageName("cursor");
    Cursor->ScaleX = Cursor->ScaleY = 1.0f;
}

std::string TForm1::CursorImage() const { return Cursor ? Cursor->ImageName : "cursor"; }

void TForm1::Frame() {
    Device.Render(0, true);
    if (GuiBase) GuiBase->Update();
    Device.Flip();
}

void TForm1::RenderAndPresent() {
    Device.Render(0, true);
    Device.Flip();
}
