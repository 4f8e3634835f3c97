#include "screens/ProfileScreens.h"
#include "engine/GuiEdit.h"
#include "engine/GuiListBox.h"
#include "screens/ControlLookup.h"
#include "screens/Profiles.h"
#include "shell/GameState.h"
#include <algorithm>

void EnterNameScreen(TGuiControl& root, std::string_view editName) {
    if (auto* edit = FindAs<TGuiEdit>(root, editName)) {
        edit->SetText("");
        edit->SetFocus();
    }
}

bool UpdateNameScreen(TGuiControl& root, std::string_view editName, std::string_view buttonName) {
    auto* edit = FindAs<TGuiEdit>(root, editName);
    const bool named = edit && !TrimSpaces(edit->Text()).empty();
    if (TGuiControl* button = root.FindControl(buttonName)) button->SetEnabled(named);
    return named;
}

bool CreateProfileFromEdit(TGuiControl& root, TGameState& s, std::string_view editName) {
    auto* edit = FindAs<TGuiEdit>(root, editName);
    return edit && CreateProfile(s, edit->Text());
}

void FillPlayerList(TGuiControl& root, const TGameState& s) {
    const int count = std::clamp(s.ProfileCount, 0, TGameState::MaxProfiles);
    if (auto* list = FindAs<TGuiListBox>(root, "players")) {
        list->Items.assign(s.Profiles.begin(), s.Profiles.begin() + count);
        list->SetItemIndex(s.ProfileIndex);
    }
    for (const char* name : {"b_change_back", "b_change_delete"})
        if (TGuiControl* c = root.FindControl(name)) c->SetEnabled(count != 0);
    if (TGuiControl* c = root.FindControl("b_change_create"))
        c->SetEnabled(count != TGameState::MaxProfiles);
}

void TakeChosenPlayer(TGuiControl& root, TGameState& s) {
    auto* list = FindAs<TGuiListBox>(root, "players");
    SelectProfile(s, list ? list->ItemIndex() : -1);
}

void ShowDeleteName(TGuiControl& root, const TGameState& s) {
    const bool valid = s.ProfileIndex >= 0 && s.ProfileIndex < s.ProfileCount &&
                       s.ProfileIndex < TGameState::MaxProfiles;
    SetLabelText(root, "delete_name", valid ? s.Profiles[size_t(s.ProfileIndex)] : std::string());
}

void GreetPlayer(TGuiControl& root, const TGameState& s) {
    SetLabelText(root, "hello", "Hello, " + s.PlayerName + "!");
}
