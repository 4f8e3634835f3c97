#include "shell/Unit1.h"
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
}

TForm1::~TForm1() { FormDestroy(); }

std::bitset<256> TForm1::InitialLetterKeys() {
    std::bitset<256> keys;
    keys.set(39);
    for (int k = 42; k <= 57; ++k) keys.set(k);
    keys.set(59);
    keys.set(61);
    for (int k = 65; k <= 93; ++k) keys.set(k);
    keys.set(96);
    return keys;
}

std::bitset<256> TForm1::InitialSpecialKeys() {
    std::bitset<256> keys;
    for (int k : {9, 16, 17, 45, 46}) keys.set(k);
    for (int k = 32; k <= 40; ++k) keys.set(k);
    return keys;
}

bool TForm1::IsSpecialKey(int code) {
    return code == 9 || code == 16 || code == 17 || (code >= 32 && code <= 40) || code == 45 ||
           code == 46;
}

bool TForm1::FormCreate() {
    // 2. Game-state defaults.
    LevelTimeLeft = -1.0;
    PulseCounter = 0;

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
    DisplayModes = BuildDisplayModes(Platform.window().DisplayModes());

    // 5. Sound; without a device the game goes on silently.
    Sound.Start();

    // 6-7. Settings defaults and key bindings.
    FreeLetterKeys = InitialLetterKeys();
    FreeSpecialKeys = InitialSpecialKeys();
    FullScreen = 0, Antialias = 1, VSync = 0, ShowHowToPlay = 1, ShowStory = 1;
    MusicVolume = 250, SoundVolume = 250, ProfileIndex = 0;
    KeyBindings = DefaultKeyBindings = {vk::Right, vk::Left, vk::Space, vk::Up};

    // 8. The 800x600 mode when the display has it.
    const int mode = FindDisplayMode(DisplayModes, "800x600");
    if (mode >= 0) {
        FullScreen = 0;
        DisplayModeIndex = mode;
        if (!ApplyDisplaySettings()) return false;
    }
    if (!Device.Running()) return false;

    // 10. Bound keys are no longer free.
    const std::bitset<256> letters = InitialLetterKeys();
    for (int code : KeyBindings) {
        if (IsSpecialKey(code)) {
            FreeSpecialKeys.reset(size_t(code));
        } else {
            const int upper = code >= 'a' && code <= 'z' ? code - 32 : code;
            if (upper >= 0 && upper < 256 && letters.test(size_t(upper)))
                FreeLetterKeys.reset(size_t(upper));
        }
    }

    // 11. Centre the window; canvas and device follow the settings.
    if (Device.Windowed()) {
        int sw = 0, sh = 0;
        Platform.window().GetScreenSize(sw, sh);
        Platform.window().SetPosition(int(std::lround(sw / 2.0 - Device.Width() / 2.0)),
                                      int(std::lround(sh / 2.0 - Device.Height() / 2.0)));
    } else {
        Platform.window().SetPosition(0, 0);
    }
    MyCanvas.Antialias = Antialias != 0;
    Device.SetVSync(VSync != 0);

    // 12. Sprites.
    SpriteEngine = std::make_unique<TSpriteEngine>();
    SpriteEngine->Images = &Images;
    SpriteEngine->SetCanvas(&MyCanvas);

    // 14-15. Music, effects, and the game's own pointer instead of the system's.
    Sound.LoadMusic(MusicVolume);
    Sound.LoadEffects();
    Platform.window().ShowSystemCursor(false);

    // 16. Particles draw image 9 of the list.
    Particles = std::make_unique<TXParticleManager>(&MyCanvas, Random);
    Particles->SetImage(Images.Items(9));
    Particles->LoadFromResDb(Archive);
    Particles->LoadFromResDb(Archive2);

    // 17-18. Cursor; the developer console exists only with its switch file.
    Cursor = new TCursor(SpriteEngine.get(), Platform.window(), Device);
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
    }
    Sound.Shutdown();
    Particles.reset();
    Device.Finalize();
}

void TForm1::Run(long maxPasses) { loop_.Run(maxPasses); }

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
    if (DisplayModeIndex < 0 || DisplayModeIndex >= int(DisplayModes.size())) DisplayModeIndex = 0;
    if (!DisplayModes.empty()) {
        const TDisplayModeEntry& e = DisplayModes[size_t(DisplayModeIndex)];
        Device.SetWidth(e.Width());
        Device.SetHeight(e.Height());
    }
    Device.SetWindowed(FullScreen == 0);
    MyCanvas.Antialias = Antialias != 0;
    Device.SetVSync(VSync != 0);
    if (!Device.Running() && !Device.Initialize()) {
        Platform.messageBox().ShowError("Kelvora", kDeviceError);
        States.ScreenState = 32;
        loop_.Terminate();
        return false;
    }
    return true;
}

float TForm1::MoveDelta() {
    const uint64_t now = Platform.clock().TickCount();
    const bool advanced = !firstFrame_ && now > lastFrameTick_;
    firstFrame_ = false;
    lastFrameTick_ = now;
    return advanced ? 0.001f : 0.0f;
}

void TForm1::RunSpritePasses(bool collide, bool free, bool draw, bool move) {
    if (!SpriteEngine) return;
    if (collide) SpriteEngine->Collision();
    if (free) SpriteEngine->Dead();
    if (draw) SpriteEngine->Draw();
    if (move) SpriteEngine->Move(MoveDelta());
}

void TForm1::DrawEffects() {
    if (!Particles) return;
    for (int i = 0; i < Particles->Count(); ++i) {
        TXParticleSystem* fx = Particles->Items(i);
        if (fx && fx->Name != "dontpaint") fx->Draw(MyCanvas, 0, 0);
    }
}

void TForm1::DeviceRender() {
    const int rate = Timer.FrameRate();
    SpeedFactor = rate > 0 ? std::pow(70.0 / rate, 2) : 1.2;
    if (SpeedFactor > 1.2) SpeedFactor = 1.2;
    SpeedFactor = std::fabs(SpeedFactor);

    const float delta = 0.001f; // advance step of the particles at 10 x Delta
    switch (States.ScreenState) {
    case 3:
        RunSpritePasses(true, true, true, true);
        if (Particles) Particles->Update(10 * delta);
        DrawEffects();
        if (Cursor) Cursor->Draw();
        break;
    default:
        if (TGfxImage* back = Images.Find("back")) MyCanvas.DrawPattern(back, 0, 0, 0, fxBlend);
        RunSpritePasses(true, true, true, true);
        if (Particles) Particles->Update(10 * delta);
        DrawEffects();
        if (Cursor) Cursor->Draw();
        break;
    }
}

void TForm1::Frame() {
    Device.Render(0, true);
    Device.Flip();
}

void TForm1::TimerTimer() {
    States.TickState(States.ScreenState);
    std::fill(std::begin(KeyReleased), std::end(KeyReleased), uint8_t(0));
}

void TForm1::Timer1Timer() {
    if (States.ScreenState == 13 && LevelTimeLeft > 0) LevelTimeLeft -= 0.1;
    if (States.ScreenState == 32 && ExitCountdown > 0) --ExitCountdown;
}

void TForm1::Timer3Timer() {
    if (--PulseCounter < 0) PulseCounter = 5;
    if (FlaskGrown) ++FlaskTimer;
}

bool TForm1::FormCloseQuery() {
    const uint8_t s = States.ScreenState;
    switch (s) {
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
        return ExitCountdown == 0;
    default:
        return false;
    }
}

void TForm1::HandleEvent(const platform::Event& e) {
    using Type = platform::Event::Type;
    Device.HandleEvent(e);
    switch (e.type) {
    case Type::CloseRequest:
        if (FormCloseQuery()) loop_.Terminate();
        break;
    case Type::KeyDown:
        KeyHeld[e.key & 0xFF] = 1;
        break;
    case Type::KeyUp:
        KeyHeld[e.key & 0xFF] = 0;
        KeyReleased[e.key & 0xFF] = 1;
        break;
    case Type::MouseDown:
        if (!SwapLocked) MouseHeld = 1;
        if (e.button == platform::MouseButton::Right) RightButtonHeld = 1;
        break;
    case Type::MouseUp:
        MouseHeld = 0;
        RightButtonHeld = 0;
        break;
    case Type::Hidden:
    case Type::Minimized:
        if (States.ScreenState == 13) States.EnterState(18);
        break;
    default:
        break;
    }
}

void TForm1::DefineStates() {
    // 3: the intro logo fades in and out, then the menu or the first-player screen.
    States.Define(3, {[this] {
                          StateTicks = 0;
                          logo_ = SpriteEngine ? new TMenuSprite(SpriteEngine.get(), 270, 250, "logo")
                                               : nullptr;
                      },
                      [this] {
                          if (logo_) {
                              if (StateTicks > 30 && StateTicks <= 80 && logo_->Alpha < 250)
                                  logo_->SetAlpha(logo_->Alpha + 5);
                              if (StateTicks > 220 && StateTicks <= 270 && logo_->Alpha > 5)
                                  logo_->SetAlpha(logo_->Alpha - 5);
                          }
                          ++StateTicks;
                          Frame();
                          if (StateTicks >= 280) {
                              States.LeaveState(3);
                              States.EnterState(ProfileCount > 0 ? 4 : 1);
                          }
                      },
                      [this] {
                          if (logo_) logo_->Dead();
                          logo_ = nullptr;
                      }});
    // Menu states draw their frame until the screens arrive.
    for (uint8_t s : {uint8_t(1), uint8_t(4)})
        States.Define(s, {nullptr, [this] { Frame(); }, nullptr});
}
