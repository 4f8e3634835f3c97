#include "board/BoardGui.h"
#include "board/GameWorld.h"
#include "engine/GuiBase.h"

TGuiControl* FindBoardControl(const TGameWorld& world, std::string_view name) {
    return world.Gui ? world.Gui->FindControl(name) : nullptr;
}

bool ControlVisible(const TGameWorld& world, std::string_view name) {
    TGuiControl* control = FindBoardControl(world, name);
    return control && control->Visible();
}

void SetControlVisible(const TGameWorld& world, std::string_view name, bool visible) {
    if (TGuiControl* control = FindBoardControl(world, name)) control->SetVisible(visible);
}

int ShuffleButtonsShown(const TGameWorld& world) {
    int shown = 0;
    for (std::string_view name : {"G_mix1", "G_mix2", "G_mix3"})
        shown += ControlVisible(world, name);
    return shown;
}
