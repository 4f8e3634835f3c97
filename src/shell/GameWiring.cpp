// The window's hooks: which screen and level behaviour runs at each point of its states.
#include "board/tfing.h"
#include "board/tzadnik.h"
#include "objects/Shop.h"
#include "shell/ShellHooks.h"
#include "shell/Unit1.h"

void TForm1::WireHooks() {
    shellHooks_ = std::make_unique<TShellHooks>(*this, World);
    World.Hooks = shellHooks_.get();

    Hooks.BuildLevel = [this] { BuildLevelBoard(World); };
    Hooks.CreateShop = [this] {
        shellHooks_->CreateShop([this] { Go(37, 36); });
    };
    auto bind = Hooks.BindScreens;
    Hooks.BindScreens = [this, bind] {
        OnButton("G_help", [this] { HintButtonClick(World); });
        OnButton("NG_level", [this] { shellHooks_->ShopOk(); });
        OnButton("Cancel_buy", [this] { shellHooks_->ShopCancelPurchases(); });
        if (bind) bind();
    };
}
