#pragma once
#include <string_view>

class TGuiBase;

// Controls of the loaded forms, found by name when used; a missing one is skipped.
void SetControlText(TGuiBase* gui, std::string_view name, std::string_view text);
// Hides the form and sends it behind the others.
void HideForm(TGuiBase* gui, std::string_view name);
