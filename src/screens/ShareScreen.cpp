#include "screens/ShareScreen.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxFonts.h"
#include "engine/GfxImageUpload.h"
#include "engine/TextUtil.h"
#include "platform/Desktop.h"
#include "screens/BitCodec.h"
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

// Neither the layout nor a link file is anywhere near this.
constexpr size_t kMaxTextBytes = 1 << 20;

// Countdowns beyond an hour are a damaged number, not a wish.
constexpr int kMaxCountdownSeconds = 3600;

bool FileExists(const std::string& name) {
    std::error_code ec;
    return !name.empty() && fs::exists(name, ec);
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string text(kMaxTextBytes + 1, '\0');
    file.read(text.data(), std::streamsize(text.size()));
    text.resize(size_t(file.gcount()));
    if (file.bad() || text.size() > kMaxTextBytes) return std::nullopt;
    return text;
}

std::string_view StripLeadingSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return s;
}

// A line as the layout reader takes it: without leading spaces and without the CR of a file
// written on Windows.
class TLayoutLines {
public:
    TLayoutLines(std::string_view text, uint8_t& valid) : text_(text), valid_(valid) {}

    std::optional<std::string_view> Line() {
        if (!valid_ || done_) return Invalid();
        const size_t end = text_.find('\n');
        std::string_view line = text_.substr(0, end);
        if (end == std::string_view::npos) {
            if (text_.empty()) return Invalid();
            done_ = true;
        } else {
            text_.remove_prefix(end + 1);
        }
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        return StripLeadingSpaces(line);
    }

    // k decimal integers separated by single spaces; further tokens are not read.
    bool Numbers(std::initializer_list<int*> out) {
        const auto line = Line();
        if (!line) return false;
        if (line->empty()) {
            Invalid();
            return false;
        }
        std::string_view rest = *line;
        for (int* value : out) {
            const size_t space = rest.find(' ');
            const auto n = BitCodec::ParseDecimal(rest.substr(0, space));
            if (!n) {
                Invalid();
                return false;
            }
            *value = *n;
            rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
        }
        return true;
    }

    // A file name (backslashes taken as folder separators); it must name an existing file
    // unless `mustExist` is false.
    std::string Name(const std::function<bool(const std::string&)>& exists, bool mustExist = true) {
        const auto line = Line();
        if (!line) return {};
        std::string name(*line);
        for (char& ch : name)
            if (ch == '\\') ch = '/';
        if (mustExist && (name.empty() || !exists(name))) Invalid();
        return name;
    }

    std::nullopt_t Invalid() {
        valid_ = 0;
        return std::nullopt;
    }

private:
    std::string_view text_;
    uint8_t& valid_;
    bool done_ = false;
};

int TextureSideFor(int side) {
    int texture = 256;
    while (texture < side && texture < kMaxTextureSide) texture *= 2;
    return texture;
}

std::shared_ptr<TGfxImage> LoadPicture(const std::string& file, int width, int height,
                                       int textureSide) {
    auto image = std::make_shared<TGfxImage>();
    image->Name = file;
    image->TextureWidth = image->TextureHeight = textureSide;
    image->PatternWidth = width;
    image->PatternHeight = height;
    image->PatternCount = 1;
    if (!image->LoadFromFile(file)) return nullptr;
    return image;
}

} // namespace

TShareScreen::TShareScreen(TGfxDevice* device) { SetPublisher(device); }

TShareScreen::~TShareScreen() { ReleasePictures(); }

bool TShareScreen::ParseLayout(std::string_view text,
                               const std::function<bool(const std::string&)>& exists) {
    Valid = 1;
    Buttons.clear();
    TLayoutLines in(text, Valid);
    in.Numbers({&ButtonCount});
    if (Valid && ButtonCount < 1) in.Invalid();
    BackgroundFile = in.Name(exists);
    for (int i = 0; Valid && i < ButtonCount - 1; ++i) {
        TButton b;
        in.Numbers({&b.HoverX, &b.HoverY, &b.HoverExtra1, &b.HoverExtra2});
        in.Numbers({&b.X, &b.Y, &b.Width, &b.Height});
        b.NormalFile = in.Name(exists);
        b.HoverFile = in.Name(exists);
        b.Target = in.Name(exists);
        b.Active = 1;
        b.CountdownX = b.X;
        b.CountdownY = b.Y;
        b.CountdownExtra1 = b.Height;
        b.CountdownExtra2 = b.Width;
        b.CountdownFile = b.NormalFile;
        if (Valid) AddButton(std::move(b));
    }
    if (Valid) {
        TButton b;
        in.Numbers({&b.HoverX, &b.HoverY, &b.HoverExtra1, &b.HoverExtra2});
        in.Numbers({&b.X, &b.Y, &b.Width, &b.Height});
        in.Numbers({&b.CountdownX, &b.CountdownY, &b.CountdownExtra1, &b.CountdownExtra2});
        b.NormalFile = in.Name(exists);
        b.HoverFile = in.Name(exists);
        b.CountdownFile = in.Name(exists);
        b.Target = ExitTarget;
        b.Active = 0;
        if (Valid) AddButton(std::move(b));
    }
    int seconds = 0, c1 = 0, c2 = 0, c3 = 0;
    in.Numbers({&CountdownX, &CountdownY});
    in.Numbers({&seconds});
    if (Valid && (seconds < 0 || seconds > kMaxCountdownSeconds)) in.Invalid();
    Countdown = Valid ? seconds * 10 : 0;
    in.Numbers({&c1, &c2, &c3});
    CountdownColour = uint32_t(c1) + uint32_t(c2) * 256u + uint32_t(c3) * 65536u + 0xFF000000u;
    const std::string fixed = in.Name(exists, false);
    FixedFontSize = Valid && fixed == "TRUE" ? 1 : 0;
    if (FixedFontSize) in.Numbers({&FontSize});
    if (!Valid) Countdown = 0;
    return Valid;
}

bool TShareScreen::LoadLayout(TGfxFonts* fonts, const std::string& path) {
    ReleasePictures();
    Background.reset();
    Buttons.clear();
    Valid = 0;
    if (!FileExists(path)) return false;
    const auto text = ReadSmallFile(path);
    if (!text || !ParseLayout(*text, FileExists) || !LoadPictures()) {
        Valid = 0;
        Countdown = 0;
        return false;
    }
    if (fonts) ApplyFontScale(*fonts);
    return true;
}

bool TShareScreen::LoadPictures() {
    auto background = LoadPicture(BackgroundFile, 800, 600, 1024);
    if (!background) return false;
    Background = std::make_unique<TGfxImage>(std::move(*background));
    std::map<std::string, std::shared_ptr<TGfxImage>> loaded;
    for (TButton& b : Buttons) {
        const int side = TextureSideFor(std::max(b.Width, b.Height));
        auto picture = [&](const std::string& file) {
            const std::string key =
                file + "|" + std::to_string(b.Width) + "x" + std::to_string(b.Height);
            auto& slot = loaded[key];
            if (!slot) slot = LoadPicture(file, b.Width, b.Height, side);
            return slot;
        };
        b.NormalPicture = picture(b.NormalFile);
        b.HoverPicture = picture(b.HoverFile);
        b.CountdownPicture = picture(b.CountdownFile);
        if (!b.NormalPicture || !b.HoverPicture || !b.CountdownPicture) return false;
    }
    return true;
}

void TShareScreen::ApplyFontScale(TGfxFonts& fonts) const {
    TGfxFont* font = fonts.Find(FontName);
    if (!font || font->Scale == 0) return;
    // The width "A" has at scale 1; the scale is then the wanted width over it, so the
    // result does not depend on the scale the font had before.
    const float unscaled = font->TextWidth("A") / font->Scale;
    if (unscaled <= 0) return;
    if (FixedFontSize) {
        font->Scale = float(FontSize) / unscaled;
        return;
    }
    for (const TButton& b : Buttons)
        if (!b.IsExit()) font->Scale = 0.6f * float(b.Height) / unscaled;
}

bool TShareScreen::Enter() {
    if (!Valid) Countdown = 0;
    return Valid != 0;
}

void TShareScreen::SwitchOff() {
    Countdown = 0;
    Valid = 0;
}

void TShareScreen::TickCountdown() {
    if (Countdown > 0) --Countdown;
}

void TShareScreen::UpdateHover(int mouseX, int mouseY, int deviceWidth, int deviceHeight) {
    const double x = deviceWidth > 0 ? mouseX / (deviceWidth / 800.0) : mouseX;
    const double y = deviceHeight > 0 ? mouseY / (deviceHeight / 600.0) : mouseY;
    for (TButton& b : Buttons)
        b.Hover = x >= b.X && x <= double(b.X) + b.Width && y >= b.Y && y <= double(b.Y) + b.Height;
}

void TShareScreen::Draw(TGfxCanvas& canvas, TGfxImage* image, int x, int y) {
    if (!image) return;
    if (image->Texture(0) == 0) {
        if (!Publisher() || !Publisher()->Running()) return;
        UploadImage(*image, Publisher()->Renderer());
    }
    canvas.DrawPattern(image, 0, float(x), float(y), fxBlend);
}

void TShareScreen::DrawScreen(TGfxCanvas& canvas, TGfxFonts* fonts) {
    Draw(canvas, Background.get(), 0, 0);
    for (TButton& b : Buttons) DrawButton(canvas, b);
    DrawCountdown(canvas, fonts);
}

void TShareScreen::DrawButton(TGfxCanvas& canvas, TButton& b) {
    if (!b.Visible) return;
    TGfxImage* picture = b.NormalPicture.get();
    int x = b.X, y = b.Y;
    if (!b.Active && b.IsExit()) {
        picture = b.CountdownPicture.get();
        x = b.CountdownX;
        y = b.CountdownY;
    } else if (b.Active && b.Hover) {
        picture = b.HoverPicture.get();
        x = b.HoverX;
        y = b.HoverY;
    }
    Draw(canvas, picture, x, y);
}

void TShareScreen::DrawCountdown(TGfxCanvas& canvas, TGfxFonts* fonts) {
    if (Countdown == 0)
        for (TButton& b : Buttons)
            if (b.IsExit()) b.Active = 1;
    if (Countdown <= 0 || !fonts) return;
    TGfxFont* font = fonts->Find(FontName);
    if (!font || !fonts->Canvas) return;
    // Fonts are loaded afresh whenever the device starts again (a display change); the
    // layout's scale is put back on each time.
    ApplyFontScale(*fonts);
    const std::string text = std::to_string(ShownSeconds());
    const float left = float(CountdownX) - font->TextWidth(text) / 2;
    const float top = float(CountdownY) - font->TextHeight(text) / 2;
    font->TextOut(text, left, top, CountdownColour);
}

bool TShareScreen::Click(platform::Shell& shell) {
    bool close = false;
    for (const TButton& b : Buttons) {
        if (!b.Hover) continue;
        if (b.IsExit())
            close = true;
        else
            OpenFile(shell, b.Target);
    }
    return close;
}

bool TShareScreen::OpenLink(platform::Shell& shell) { return OpenFile(shell, LinkFile); }

bool TShareScreen::OpenFile(platform::Shell& shell, const std::string& fileName) {
    if (!FileExists(fileName)) return false;
    if (EndsWithText(fileName, ".url")) {
        if (const auto text = ReadSmallFile(fileName)) {
            const std::string url = ShortcutUrl(*text);
            if (!url.empty()) return shell.Open(url);
        }
    }
    return shell.Open(fileName);
}

std::string TShareScreen::ShortcutUrl(std::string_view text) {
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = StripLeadingSpaces(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.remove_suffix(1);
        if (line.size() < 4 || !SameText(line.substr(0, 4), "URL=")) continue;
        const std::string_view url = line.substr(4);
        bool plain = !url.empty();
        for (char ch : url)
            if (uint8_t(ch) <= 32 || ch == 127) plain = false;
        if (!plain) continue;
        const std::string lower = LowerCase(url);
        const size_t scheme = lower.find("://");
        if (scheme == std::string::npos) {
            // Our own shortcut names a page of the installation by its relative path.
            if (FileExists(std::string(url))) return std::string(url);
            continue;
        }
        if (lower.starts_with("http://") || lower.starts_with("https://") ||
            lower.starts_with("file://"))
            return std::string(url);
    }
    return {};
}

bool TShareScreen::DeviceMessage(int message) {
    if (message == msgDeviceLost || message == msgDeviceRelease) ReleasePictures();
    return true;
}

void TShareScreen::ReleasePictures() {
    TGfxDevice* device = Publisher();
    if (!device) return;
    auto release = [&](TGfxImage* image) {
        if (image) ReleaseImage(*image, device->Renderer());
    };
    release(Background.get());
    for (TButton& b : Buttons) {
        release(b.NormalPicture.get());
        release(b.HoverPicture.get());
        release(b.CountdownPicture.get());
    }
}
