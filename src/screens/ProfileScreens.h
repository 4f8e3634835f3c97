#pragma once
#include <string_view>

class TGuiControl;
struct TGameState;

// The controls of the profile screens: "scr_entername" (state 1), "scr_create" (19),
// "scr_change" (20), "scr_delete" (21) and the main menu's greeting. `root` is the GUI's root
// control; every control is found by name when it is used.

// Enter of states 1 and 19: the edit ("edit_name1" or "edit_name") is emptied and focused.
void EnterNameScreen(TGuiControl& root, std::string_view editName);
// Tick of states 1 and 19: the create button is enabled exactly when the edit's trimmed text
// is not empty; the result says the same (Enter may confirm only then).
bool UpdateNameScreen(TGuiControl& root, std::string_view editName, std::string_view buttonName);
// The create buttons: CreateProfile with the edit's text. False when nothing was created.
bool CreateProfileFromEdit(TGuiControl& root, TGameState& s, std::string_view editName);

// Enter of state 20: the list "players" holds the names, the current one selected; back and
// delete need a profile, create a free slot.
void FillPlayerList(TGuiControl& root, const TGameState& s);
// Leave of state 20: the list's selection becomes current (kept when nothing is selected).
void TakeChosenPlayer(TGuiControl& root, TGameState& s);

// Enter of state 21: "delete_name" shows the profile about to go.
void ShowDeleteName(TGuiControl& root, const TGameState& s);
// Enter of state 4: "hello" := "Hello, " + PlayerName + "!".
void GreetPlayer(TGuiControl& root, const TGameState& s);
