#include "platform/sdl/SdlPlatform.h"
#include "platform/Cp1252.h"
#include "platform/ScancodeMap.h"
#include "platform/VirtualKeys.h"
#include "platform/curl/CurlHttp.h"
#include <SDL.h>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <memory>

namespace platform::sdl {
namespace {

class SdlClock final : public Clock {
public:
    uint64_t TickCount() override { return SDL_GetTicks64(); }
    uint64_t PerformanceCounter() override { return SDL_GetPerformanceCounter(); }
    uint64_t PerformanceFrequency() override { return SDL_GetPerformanceFrequency(); }
    void Sleep(uint32_t ms) override { SDL_Delay(ms); }
};

struct WindowDeleter {
    void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
};

class SdlWindow final : public Window {
public:
    bool Open(const WindowConfig& config) override {
        if (window_) return true;
        Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI;
        if (config.fullScreen) flags |= SDL_WINDOW_FULLSCREEN;
        window_.reset(SDL_CreateWindow(config.title.c_str(), SDL_WINDOWPOS_CENTERED,
                                       SDL_WINDOWPOS_CENTERED, config.width, config.height,
                                       flags));
        if (!window_) {
            std::fprintf(stderr, "kelvora: cannot create the window: %s\n", SDL_GetError());
            return false;
        }
        SDL_StartTextInput();
        return true;
    }
    void Close() override { window_.reset(); }
    bool IsOpen() const override { return window_ != nullptr; }
    SDL_Window* native() const { return window_.get(); }

    bool PollEvent(Event& event) override {
        while (pending_.empty()) {
            SDL_Event e;
            if (!SDL_PollEvent(&e)) return false;
            Translate(e);
        }
        event = pending_.front();
        pending_.pop_front();
        return true;
    }

    void SetTitle(const std::string& title) override {
        if (window_) SDL_SetWindowTitle(window_.get(), title.c_str());
    }
    void SetClientSize(int width, int height) override {
        if (!window_) return;
        SDL_DisplayMode mode;
        if (SDL_GetWindowFlags(window_.get()) & SDL_WINDOW_FULLSCREEN &&
            SDL_GetWindowDisplayMode(window_.get(), &mode) == 0) {
            mode.w = width;
            mode.h = height;
            SDL_SetWindowDisplayMode(window_.get(), &mode);
        }
        SDL_SetWindowSize(window_.get(), width, height);
    }
    void GetClientSize(int& width, int& height) const override {
        width = height = 0;
        if (window_) SDL_GetWindowSize(window_.get(), &width, &height);
    }
    void SetFullScreen(bool fullScreen) override {
        if (window_) SDL_SetWindowFullscreen(window_.get(), fullScreen ? Uint32(SDL_WINDOW_FULLSCREEN) : 0u);
    }
    void SetPosition(int left, int top) override {
        if (window_) SDL_SetWindowPosition(window_.get(), left, top);
    }
    void GetScreenSize(int& width, int& height) const override {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
            width = mode.w;
            height = mode.h;
        } else {
            width = 800;
            height = 600;
        }
    }
    void ShowSystemCursor(bool show) override { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }
    void GetMousePosition(int& x, int& y) const override { SDL_GetMouseState(&x, &y); }

    std::vector<DisplayMode> DisplayModes() const override {
        std::vector<DisplayMode> modes;
        SDL_DisplayMode desktop;
        const Uint32 format =
            SDL_GetDesktopDisplayMode(0, &desktop) == 0 ? desktop.format : Uint32(SDL_PIXELFORMAT_UNKNOWN);
        const int count = SDL_GetNumDisplayModes(0);
        for (int i = 0; i < count; ++i) {
            SDL_DisplayMode mode;
            if (SDL_GetDisplayMode(0, i, &mode) != 0) break;
            if (format != SDL_PIXELFORMAT_UNKNOWN && mode.format != format) continue;
            DisplayMode m{mode.w, mode.h};
            bool seen = false;
            for (const auto& known : modes) seen = seen || known == m;
            if (!seen) modes.push_back(m);
        }
        return modes;
    }

private:
    void Push(Event e) {
        const SDL_Keymod mod = SDL_GetModState();
        e.shift = (mod & KMOD_SHIFT) != 0;
        e.ctrl = (mod & KMOD_CTRL) != 0;
        e.alt = (mod & KMOD_ALT) != 0;
        pending_.push_back(e);
    }

    static MouseButton Button(Uint8 b) {
        return b == SDL_BUTTON_RIGHT ? MouseButton::Right
               : b == SDL_BUTTON_MIDDLE ? MouseButton::Middle
                                        : MouseButton::Left;
    }

    void Translate(const SDL_Event& e) {
        Event out;
        switch (e.type) {
        case SDL_QUIT:
            out.type = Event::Type::CloseRequest;
            Push(out);
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            out.key = VirtualKeyFromScancode(e.key.keysym.scancode);
            if (out.key == 0) break;
            out.type = e.type == SDL_KEYDOWN ? Event::Type::KeyDown : Event::Type::KeyUp;
            out.repeat = e.key.repeat != 0;
            Push(out);
            // Control characters arrive as text on the desktop the game was made for;
            // edit boxes rely on them.
            if (e.type == SDL_KEYDOWN &&
                (out.key == vk::Back || out.key == vk::Tab || out.key == vk::Return ||
                 out.key == vk::Escape)) {
                Event ch;
                ch.type = Event::Type::Char;
                ch.ch = static_cast<uint8_t>(out.key);
                Push(ch);
            }
            break;
        }
        case SDL_TEXTINPUT:
            for (char c : Utf8ToCp1252(e.text.text)) {
                Event ch;
                ch.type = Event::Type::Char;
                ch.ch = static_cast<uint8_t>(c);
                Push(ch);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            out.type = e.type == SDL_MOUSEBUTTONDOWN ? Event::Type::MouseDown : Event::Type::MouseUp;
            out.button = Button(e.button.button);
            out.x = e.button.x;
            out.y = e.button.y;
            Push(out);
            break;
        case SDL_MOUSEMOTION:
            out.type = Event::Type::MouseMove;
            out.x = e.motion.x;
            out.y = e.motion.y;
            Push(out);
            break;
        case SDL_MOUSEWHEEL:
            out.type = Event::Type::MouseWheel;
            out.wheel = e.wheel.y;
            Push(out);
            break;
        case SDL_RENDER_TARGETS_RESET:
            out.type = Event::Type::RenderTargetsReset;
            Push(out);
            break;
        case SDL_RENDER_DEVICE_RESET:
            out.type = Event::Type::RenderDeviceReset;
            Push(out);
            break;
        case SDL_WINDOWEVENT:
            TranslateWindowEvent(e.window);
            break;
        default:
            break;
        }
    }

    void TranslateWindowEvent(const SDL_WindowEvent& w) {
        Event out;
        switch (w.event) {
        case SDL_WINDOWEVENT_CLOSE: out.type = Event::Type::CloseRequest; break;
        case SDL_WINDOWEVENT_HIDDEN: out.type = Event::Type::Hidden; break;
        case SDL_WINDOWEVENT_SHOWN: out.type = Event::Type::Shown; break;
        case SDL_WINDOWEVENT_MINIMIZED: out.type = Event::Type::Minimized; break;
        case SDL_WINDOWEVENT_RESTORED: out.type = Event::Type::Restored; break;
        case SDL_WINDOWEVENT_FOCUS_LOST: out.type = Event::Type::FocusLost; break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: out.type = Event::Type::FocusGained; break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            out.type = Event::Type::Resized;
            out.x = w.data1;
            out.y = w.data2;
            break;
        default: return;
        }
        Push(out);
    }

    std::unique_ptr<SDL_Window, WindowDeleter> window_;
    std::deque<Event> pending_;
};

class SdlKeyboard final : public KeyboardDevice {
public:
    explicit SdlKeyboard(SdlWindow& window) : window_(window) {}
    bool Acquire(bool foreground) override {
        foreground_ = foreground;
        acquired_ = window_.IsOpen() && (!foreground_ || HasFocus());
        return acquired_;
    }
    void Release() override { acquired_ = false; }
    bool ReadState(uint8_t (&state)[256]) override {
        if (!acquired_ || (foreground_ && !HasFocus())) {
            acquired_ = false;
            return false;
        }
        int count = 0;
        const Uint8* keys = SDL_GetKeyboardState(&count);
        std::memset(state, 0, sizeof state);
        for (int sc = 0; sc < count; ++sc)
            if (keys[sc]) {
                const int vk = VirtualKeyFromScancode(sc);
                if (vk > 0) state[vk] = 0x80;
            }
        return true;
    }

private:
    bool HasFocus() const {
        return window_.native() && (SDL_GetWindowFlags(window_.native()) & SDL_WINDOW_INPUT_FOCUS);
    }
    SdlWindow& window_;
    bool acquired_ = false;
    bool foreground_ = true;
};

class SdlMessageBox final : public MessageBox {
public:
    explicit SdlMessageBox(SdlWindow& window) : window_(window) {}
    void ShowError(const std::string& title, const std::string& text) override {
        const std::string utf8 = Cp1252ToUtf8(text);
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, Cp1252ToUtf8(title).c_str(),
                                     utf8.c_str(), window_.native()) != 0)
            std::fprintf(stderr, "kelvora: %s\n", utf8.c_str()); // no desktop to show it on
    }
    void ShowInfo(const std::string& title, const std::string& text) override {
        const std::string utf8 = Cp1252ToUtf8(text);
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, Cp1252ToUtf8(title).c_str(),
                                     utf8.c_str(), window_.native()) != 0)
            std::fprintf(stderr, "kelvora: %s\n", utf8.c_str());
    }

private:
    SdlWindow& window_;
};

class SdlClipboard final : public Clipboard {
public:
    std::string GetText() override {
        if (!SDL_HasClipboardText()) return {};
        char* text = SDL_GetClipboardText();
        if (!text) return {};
        std::string out = Utf8ToCp1252(text);
        SDL_free(text);
        return out;
    }
};

class SdlShell final : public Shell {
public:
    bool Open(const std::string& target) override {
        std::string url = Cp1252ToUtf8(target);
        if (url.find("://") == std::string::npos) {
            std::error_code ec;
            const auto path = std::filesystem::absolute(url, ec);
            if (ec) return false;
            url = "file://" + path.string();
        }
        return SDL_OpenURL(url.c_str()) == 0;
    }
};

class SdlPlatform final : public Platform {
public:
    SdlPlatform() : keyboard_(window_), messageBox_(window_) {}
    ~SdlPlatform() override {
        window_.Close();
        SDL_Quit();
    }
    Clock& clock() override { return clock_; }
    Window& window() override { return window_; }
    KeyboardDevice& keyboard() override { return keyboard_; }
    MessageBox& messageBox() override { return messageBox_; }
    Clipboard& clipboard() override { return clipboard_; }
    Shell& shell() override { return shell_; }
    Http& http() override { return http_; }
    SdlWindow& sdlWindow() { return window_; }

private:
    SdlClock clock_;
    SdlWindow window_;
    SdlKeyboard keyboard_;
    SdlMessageBox messageBox_;
    SdlClipboard clipboard_;
    SdlShell shell_;
    curl::CurlHttp http_;
};

} // namespace

std::unique_ptr<Platform> CreateSdlPlatform() {
    // A signal ends the process as usual; only the window's close button asks the game.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "kelvora: SDL cannot start: %s\n", SDL_GetError());
        return nullptr;
    }
    return std::make_unique<SdlPlatform>();
}

SDL_Window* NativeWindow(Platform& platform) {
    auto* sdl = dynamic_cast<SdlPlatform*>(&platform);
    return sdl ? sdl->sdlWindow().native() : nullptr;
}

} // namespace platform::sdl
