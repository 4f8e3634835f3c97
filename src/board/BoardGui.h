#pragma once
#include <string_view>

struct TGameWorld;
class TGuiControl;

// The playing screen's controls the board looks at, found by name at the moment of use.
// Without a GUI (or a control of that name) nothing is shown and nothing is visible.

TGuiControl* FindBoardControl(const TGameWorld& world, std::string_view name);
bool ControlVisible(const TGameWorld& world, std::string_view name);
void SetControlVisible(const TGameWorld& world, std::string_view name, bool visible);
// How many of the shuffle buttons "G_mix1".."G_mix3" are still on the screen.
int ShuffleButtonsShown(const TGameWorld& world);
