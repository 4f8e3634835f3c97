#pragma once
#include "engine/GuiControls.h"
#include "engine/GuiLabel.h"
#include <string>
#include <string_view>

// Screens find their controls by name at the moment of use; a control that is missing, or of
// another class, is skipped.
template <typename T> T* FindAs(TGuiControl& root, std::string_view name) {
    return dynamic_cast<T*>(root.FindControl(name));
}

inline void SetLabelText(TGuiControl& root, std::string_view name, std::string text) {
    if (auto* label = FindAs<TGuiLabel>(root, name)) label->SetText(std::move(text));
}
