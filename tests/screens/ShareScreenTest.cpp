#include "screens/ShareScreen.h"
#include "engine/GfxCanvas.h"
#include "engine/GfxDevice.h"
#include "engine/GfxFonts.h"
#include "engine/PictureFile.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingRenderer.h"
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <set>

namespace fs = std::filesystem;

namespace {

// One link button (two lines of numbers, three names) and the exit button, then the
// countdown lines.
std::string Layout(const std::string& font = "FALSE") {
    return "2\n"
           "back.png\n"
           "  95 195 0 0\n"
           "100 200 64 32\n"
           "link.png\n"
           "link_hover.png\n"
           "page.html\n"
           "395 495 0 0\n"
           "400 500 128 48\n"
           "420 510 0 0\n"
           "exit.png\n"
           "exit_hover.png\n"
           "exit_wait.png\n"
           "700 40\n"
           "5\n"
           "255 128 1\n" +
           font + "\n";
}

const std::set<std::string> kFiles = {"back.png", "link.png",       "link_hover.png", "page.html",
                                      "exit.png", "exit_hover.png", "exit_wait.png"};
bool InFiles(const std::string& name) { return kFiles.count(name) > 0; }

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

} // namespace

TEST(ShareScreenTest, ReadsTheLayout) {
    TShareScreen screen;
    ASSERT_TRUE(screen.ParseLayout(Layout(), InFiles));
    EXPECT_EQ(screen.ButtonCount, 2);
    ASSERT_EQ(screen.Buttons.size(), 2u);
    const auto& link = screen.Buttons[0];
    EXPECT_EQ(link.HoverX, 95);
    EXPECT_EQ(link.HoverY, 195);
    EXPECT_EQ(link.X, 100);
    EXPECT_EQ(link.Height, 32);
    EXPECT_EQ(link.Target, "page.html");
    EXPECT_EQ(link.Active, 1);
    EXPECT_EQ(link.CountdownFile, "link.png");
    EXPECT_EQ(link.CountdownX, 100);
    const auto& exit = screen.Buttons[1];
    EXPECT_TRUE(exit.IsExit());
    EXPECT_EQ(exit.Active, 0);
    EXPECT_EQ(exit.CountdownX, 420);
    EXPECT_EQ(exit.CountdownFile, "exit_wait.png");
    EXPECT_EQ(screen.BackgroundFile, "back.png");
    EXPECT_EQ(screen.CountdownX, 700);
    EXPECT_EQ(screen.Countdown, 50);
    EXPECT_EQ(screen.CountdownColour, 0xFF0180FFu);
    EXPECT_EQ(screen.FixedFontSize, 0);

    ASSERT_TRUE(screen.ParseLayout(Layout("TRUE\n18"), InFiles));
    EXPECT_EQ(screen.FixedFontSize, 1);
    EXPECT_EQ(screen.FontSize, 18);
    // Lines from Windows read the same.
    std::string crlf;
    for (char ch : Layout()) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    EXPECT_TRUE(screen.ParseLayout(crlf, InFiles));
}

TEST(ShareScreenTest, BadLayoutsAreInvalidNotFatal) {
    const std::string good = Layout();
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"no buttons", Replace(good, "2\n", "0\n")},
        {"count not a number", Replace(good, "2\n", "two\n")},
        {"huge count, short file", Replace(good, "2\n", "2000000000\n")},
        {"two spaces", Replace(good, "100 200 64 32", "100  200 64 32")},
        {"too few numbers", Replace(good, "100 200 64 32", "100 200 64")},
        {"empty number line", Replace(good, "700 40\n", "\n")},
        {"number too large", Replace(good, "700 40", "700 99999999999")},
        {"missing picture", Replace(good, "link_hover.png", "nowhere.png")},
        {"missing link target", Replace(good, "page.html", "gone.html")},
        {"empty name", Replace(good, "exit_wait.png", "")},
        {"negative countdown", Replace(good, "\n5\n", "\n-5\n")},
        {"cut before the font line", good.substr(0, good.rfind("FALSE"))},
        {"TRUE without a size", Layout("TRUE")},
        {"binary", std::string("\x01\x00\xff\n\n\n", 6)},
    };
    for (const auto& [what, text] : cases) {
        SCOPED_TRACE(what);
        TShareScreen screen;
        EXPECT_FALSE(screen.ParseLayout(text, InFiles));
        EXPECT_EQ(screen.Valid, 0);
        EXPECT_EQ(screen.Countdown, 0);
        EXPECT_FALSE(screen.Enter()); // quitting closes at once
        EXPECT_TRUE(screen.CanClose());
    }
    TShareScreen none;
    EXPECT_FALSE(none.LoadLayout(nullptr, "no/such/config.ini"));
}

TEST(ShareScreenTest, CountdownAndExitButton) {
    TShareScreen screen;
    ASSERT_TRUE(screen.ParseLayout(Layout(), InFiles));
    ASSERT_TRUE(screen.Enter());
    std::vector<int> shown;
    platform::headless::RecordingRenderer renderer;
    TGfxDevice device(renderer);
    TGfxCanvas canvas(&device);
    for (int tick = 0; tick <= 50; ++tick) {
        if (tick % 10 == 1 || tick == 0 || tick == 50) shown.push_back(screen.ShownSeconds());
        screen.DrawCountdown(canvas, nullptr);
        EXPECT_EQ(screen.Buttons[1].Active, tick == 50 ? 1 : 0) << tick;
        EXPECT_EQ(screen.CanClose(), tick == 50);
        screen.TickCountdown();
    }
    EXPECT_EQ(shown, (std::vector<int>{6, 5, 4, 3, 2, 1, 0}));
    screen.TickCountdown();
    EXPECT_EQ(screen.Countdown, 0);

    TShareScreen off;
    ASSERT_TRUE(off.ParseLayout(Layout(), InFiles));
    off.SwitchOff();
    EXPECT_FALSE(off.Enter());
    EXPECT_TRUE(off.CanClose());
}

TEST(ShareScreenTest, HoverIsScaledAndClicksReachEveryHoveredButton) {
    platform::headless::RecordingShell shell;
    const fs::path dir = fs::temp_directory_path() / "kelvora_share_click";
    fs::create_directories(dir);
    const std::string page = (dir / "page.html").string();
    std::ofstream(page) << "<html></html>";

    TShareScreen screen;
    TShareScreen::TButton link;
    link.X = 100, link.Y = 100, link.Width = 50, link.Height = 50, link.Active = 1;
    link.Target = page;
    TShareScreen::TButton exit;
    exit.X = 140, exit.Y = 140, exit.Width = 100, exit.Height = 20;
    exit.Target = TShareScreen::ExitTarget;
    screen.AddButton(link);
    screen.AddButton(exit);

    // A 1600 x 1200 device: window pixels are halved.
    screen.UpdateHover(300, 300, 1600, 1200);
    EXPECT_EQ(screen.Buttons[0].Hover, 1); // the far corner is inside
    EXPECT_EQ(screen.Buttons[1].Hover, 1);
    EXPECT_TRUE(screen.Click(shell)); // both react, in list order
    EXPECT_EQ(shell.opened, (std::vector<std::string>{page}));

    screen.UpdateHover(302, 300, 1600, 1200);
    EXPECT_EQ(screen.Buttons[0].Hover, 0);
    screen.UpdateHover(120, 120, 800, 600);
    EXPECT_EQ(screen.Buttons[0].Hover, 1);
    EXPECT_EQ(screen.Buttons[1].Hover, 0);
    EXPECT_FALSE(screen.Click(shell));
    EXPECT_EQ(shell.opened.size(), 2u); // a link works during the countdown too

    fs::remove(page);
    screen.Click(shell); // a link whose file has gone opens nothing
    EXPECT_EQ(shell.opened.size(), 2u);
    fs::remove_all(dir);
}

TEST(ShareScreenTest, LinkFilesOpenTheirAddress) {
    struct Case {
        const char* text;
        std::string url;
    };
    const Case cases[] = {
        {"[InternetShortcut]\r\nURL=https://kelvora.example/\r\n", "https://kelvora.example/"},
        {"[InternetShortcut]\nurl=http://a.example/x?y\n", "http://a.example/x?y"},
        {"URL=javascript:alert(1)\n", ""},
        {"URL=ftp://a.example/\n", ""},
        {"URL=http://a b/\n", ""},
        {"no link at all", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(TShareScreen::ShortcutUrl(c.text), c.url) << c.text;

    const fs::path dir = fs::temp_directory_path() / "kelvora_share_link";
    fs::create_directories(dir);
    const fs::path old = fs::current_path();
    fs::current_path(dir);
    platform::headless::RecordingShell shell;
    EXPECT_FALSE(TShareScreen::OpenLink(shell)); // no play.url: nothing
    EXPECT_TRUE(shell.opened.empty());
    std::ofstream("play.url") << "[InternetShortcut]\nURL=https://kelvora.example/\n";
    EXPECT_TRUE(TShareScreen::OpenLink(shell));
    fs::create_directories("wdata");
    std::ofstream("wdata/about.html") << "<html></html>";
    std::ofstream("play.url") << "[InternetShortcut]\nURL=wdata/about.html\n";
    EXPECT_TRUE(TShareScreen::OpenLink(shell));
    std::ofstream("play.url") << "garbage";
    EXPECT_TRUE(TShareScreen::OpenLink(shell)); // left to the desktop
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"https://kelvora.example/",
                                                      "wdata/about.html", "play.url"}));
    fs::current_path(old);
    fs::remove_all(dir);
}

namespace {

// Pictures on disk, each one colour, and a layout naming them.
struct PictureFolder {
    fs::path dir = fs::temp_directory_path() / "kelvora_share_pictures";
    std::string layout;
    PictureFolder() {
        fs::remove_all(dir);
        fs::create_directories(dir);
        auto picture = [&](const std::string& name, int w, int h) {
            TPixelPage page{w, h, std::vector<uint32_t>(size_t(w) * h, 0xFF336699)};
            EXPECT_TRUE(SavePng((dir / name).string(), page));
            return (dir / name).string();
        };
        std::string text = Layout();
        for (auto [name, w, h] : {std::tuple{"back.png", 800, 600},
                                  {"link.png", 64, 32},
                                  {"link_hover.png", 64, 32},
                                  {"exit.png", 128, 48},
                                  {"exit_hover.png", 128, 48},
                                  {"exit_wait.png", 128, 48}})
            text = Replace(text, std::string(name) + "\n", picture(name, w, h) + "\n");
        std::ofstream((dir / "page.html").string()) << "<html></html>";
        text = Replace(text, "page.html", (dir / "page.html").string());
        layout = (dir / "config.ini").string();
        std::ofstream(layout) << text;
    }
    ~PictureFolder() { fs::remove_all(dir); }
};

} // namespace

TEST(ShareScreenTest, DrawsTheRightPictureInEachState) {
    PictureFolder folder;
    platform::headless::RecordingRenderer renderer;
    TGfxDevice device(renderer);
    TGfxCanvas canvas(&device);
    ASSERT_TRUE(device.Initialize());
    TShareScreen screen(&device);
    ASSERT_TRUE(screen.LoadLayout(nullptr, folder.layout));
    ASSERT_TRUE(screen.Enter());

    // Where each quad starts: the top-left vertex of every batch's quads, in order.
    auto drawnAt = [&] {
        renderer.batches.clear();
        canvas.Flush();
        device.Render(0, true);
        std::vector<std::pair<int, int>> at;
        for (const auto& b : renderer.batches)
            for (size_t v = 0; v + 3 < b.vertices.size(); v += 4)
                // Quads are placed half a pixel up and left, on the pixel centres.
                at.push_back({int(std::ceil(b.vertices[v].x)), int(std::ceil(b.vertices[v].y))});
        return at;
    };
    device.OnRender = [&](TGfxDevice&) { screen.DrawScreen(canvas, nullptr); };

    screen.UpdateHover(0, 0, 800, 600);
    EXPECT_EQ(drawnAt(), (std::vector<std::pair<int, int>>{{0, 0}, {100, 200}, {420, 510}}));
    screen.UpdateHover(110, 210, 800, 600); // over the link: its hover picture
    screen.Buttons[1].Hover = 1;            // the exit button waits whatever the mouse does
    EXPECT_EQ(drawnAt(), (std::vector<std::pair<int, int>>{{0, 0}, {95, 195}, {420, 510}}));
    screen.Countdown = 0;
    drawnAt(); // the frame in which the countdown is seen to be over
    EXPECT_EQ(drawnAt(), (std::vector<std::pair<int, int>>{{0, 0}, {95, 195}, {395, 495}}));

    // The textures come back after the device loses them.
    device.Notify(msgDeviceLost);
    device.Notify(msgDeviceReset);
    EXPECT_EQ(drawnAt().size(), 3u);
}

TEST(ShareScreenTest, FontScaleFollowsTheLayout) {
    platform::headless::RecordingRenderer renderer;
    TGfxDevice device(renderer);
    TGfxCanvas canvas(&device);
    TGfxFonts fonts(&device, &canvas);
    TGfxFont* font = fonts.Add();
    font->Name = "sharetext";
    font->GlyphSizes.assign(96, {10, 20});
    font->Scale = 3; // whatever it was before does not matter

    TShareScreen screen;
    ASSERT_TRUE(screen.ParseLayout(Layout("TRUE\n15"), InFiles));
    screen.ApplyFontScale(fonts);
    EXPECT_FLOAT_EQ(font->Scale, 1.5f);
    EXPECT_FLOAT_EQ(font->TextWidth("A"), 15.0f);
    // Fonts reloaded after a device restart come back at scale 1; the countdown restores it.
    font->Scale = 1;
    ASSERT_TRUE(device.Initialize());
    screen.Enter();
    screen.DrawCountdown(canvas, &fonts);
    EXPECT_FLOAT_EQ(font->Scale, 1.5f);

    ASSERT_TRUE(screen.ParseLayout(Layout(), InFiles));
    TShareScreen::TButton second = screen.Buttons[0];
    second.Height = 50;
    screen.Buttons.insert(screen.Buttons.begin() + 1, second);
    screen.ApplyFontScale(fonts);
    EXPECT_FLOAT_EQ(font->Scale, 3.0f); // 0.6 x 50 / 10: the last link button decides

    // Only the exit button and no fixed size: the scale stays.
    screen.Buttons.erase(screen.Buttons.begin(), screen.Buttons.begin() + 2);
    font->Scale = 0.7f;
    screen.ApplyFontScale(fonts);
    EXPECT_FLOAT_EQ(font->Scale, 0.7f);
}
