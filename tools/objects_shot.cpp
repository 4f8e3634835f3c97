// kelvora_objects_shot: the level objects in the game's own frames, through the SDL software
// renderer: the playing screen with flying bonuses, a multiplier label, points labels, the HUD
// frame and an armed super-bonus over its aiming guide; then the shop between two levels.
//   kelvora_objects_shot <runtime dir> <play.png> <shop.png>
#include "board/tzadnik.h"
#include "engine/GuiLabel.h"
#include "engine/Screenshot.h"
#include "objects/Cursor.h"
#include "objects/LevelObjects.h"
#include "objects/Shop.h"
#include "platform/headless/HeadlessPlatform.h"
#include "platform/headless/RecordingAudio.h"
#include "platform/sdl/SdlRenderer.h"
#include "shell/Unit1.h"
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct Game {
    platform::headless::HeadlessPlatform platform;
    std::unique_ptr<platform::Renderer> renderer = platform::sdl::CreateSoftwareRenderer();
    platform::headless::RecordingAudio audio;
    TForm1 form{platform, *renderer, audio};
    std::unique_ptr<TLevelObjects> objects;

    bool Start() {
        form.FixedSeed = true;
        if (!form.FormCreate()) return false;
        objects = std::make_unique<TLevelObjects>(form.World);
        form.World.Hooks = objects.get();
        return true;
    }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) form.RenderAndPresent();
    }
    void Mouse(int x, int y) {
        platform.scriptedWindow.mouseX = x;
        platform.scriptedWindow.mouseY = y;
    }
    bool Save(const std::filesystem::path& out) {
        if (SaveScreenshot(form.Device, out.string())) return true;
        std::fprintf(stderr, "kelvora_objects_shot: cannot write %s\n", out.string().c_str());
        return false;
    }
};

// A stand-in "Shop_form" for runtimes whose form file has none yet: only the labels the shop
// writes, in font 11.
void AddShopForm(TGuiBase& gui) {
    if (gui.FindControl("Shop_form")) return;
    auto* form = new TGuiControl(&gui.Root());
    form->Name = "Shop_form";
    form->SetBounds({0, 0, 800, 600});
    form->Hide();
    auto label = [&](const std::string& name, int x, int y) {
        auto* l = new TGuiLabel(form);
        l->Name = name;
        l->SetBounds({x, y, x + 700, y + 24}); // the shop centres them by their left edge
        l->Font.FontIndex = 11;
        l->Font.SetColor(0xFFFFFFFF);
    };
    label("Label1", 220, 404);
    label("Label10", 220, 426);
    label("Label2", 390, 452);
    const int sc[9][2] = {{},         {610, 110}, {455, 235}, {370, 360}, {615, 235},
                          {455, 110}, {530, 360}, {290, 110}, {290, 235}};
    for (int i = 1; i <= 8; ++i) label("SC" + std::to_string(i), sc[i][0], sc[i][1]);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: kelvora_objects_shot <runtime dir> <play.png> <shop.png>\n");
        return 2;
    }
    const std::filesystem::path play = std::filesystem::absolute(argv[2]);
    const std::filesystem::path shop = std::filesystem::absolute(argv[3]);
    std::error_code ec;
    std::filesystem::current_path(argv[1], ec);
    if (ec) {
        std::fprintf(stderr, "kelvora_objects_shot: no folder %s\n", argv[1]);
        return 1;
    }

    {
        Game game;
        if (!game.Start()) return 1;
        TGameState& s = game.form.Game;
        s.ResetForLevelStart();
        s.LevelNumber = 3;
        s.StartLevelTime();
        s.ScreenState = 13;
        s.SpeedFactor = 1.0;
        s.Coins = 7;
        s.ChainMeter = 10;
        for (int i = 1; i <= 8; ++i) s.SuperBonusCount[i] = i % 3 + 1;
        BuildLevelBoard(game.form.World);
        game.Mouse(10, 10);
        game.Frames(120); // the board fades in and builds, the gauge climbs
        TLevelObjects& objects = *game.objects;
        const auto cellX = [&](int c) { return float(s.BoardOriginX + (c - 1) * 64); };
        const auto cellY = [&](int r) { return float(s.BoardOriginY + (r - 1) * 64); };
        objects.CreateBonusObject(1, cellX(6), cellY(2));
        objects.CreateBonusObject(3, cellX(7), cellY(7));
        objects.CreateBonusObject(4, cellX(3), cellY(6));
        objects.CreateBonusObject(5, cellX(8), cellY(4));
        game.Frames(12);
        objects.CreateBonusObject(6, cellX(4), cellY(5));
        objects.CreateMoney(cellX(2) + 59, cellY(1) - 5, 6);
        objects.CreateMoney(cellX(3) + 59, cellY(1) - 5, 6);
        objects.CreateMoney(cellX(4) + 59, cellY(1) - 5, 6);
        // The ultraviolet armed over row 5: the guide lights the row under the carried item.
        game.form.Cursor->SetImageName("itemz7");
        game.form.Cursor->ScaleX = game.form.Cursor->ScaleY = 0.6f;
        game.Mouse(int(cellX(5)) + 30, int(cellY(5)) + 30);
        game.Frames(8);
        if (!game.Save(play)) return 1;
    }

    {
        Game game;
        if (!game.Start()) return 1;
        TGameState& s = game.form.Game;
        AddShopForm(*game.form.GuiBase);
        s.ScreenState = 37;
        s.Coins = 4;
        s.SuperBonusCount = {0, 0, 1, 0, 2, 0, 0, 0, 0};
        game.form.HideForm("L_form");
        game.Mouse(10, 10);
        game.objects->CreateShop({});
        game.Frames(90);      // fades in
        game.Mouse(430, 210); // over the fire
        game.Frames(3);
        game.form.Game.MouseHeld = 1; // buys one
        game.Frames(8);
        game.form.Frame();
        if (!game.Save(shop)) return 1;
    }
    std::printf("kelvora_objects_shot: wrote %s and %s\n", play.string().c_str(),
                shop.string().c_str());
    return 0;
}
