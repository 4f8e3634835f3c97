#include "screens/Console.h"
#include "engine/GuiEdit.h"
#include "screens/ControlLookup.h"
#include "shell/GameState.h"

namespace {

std::string Normalise(std::string_view typed) {
    while (!typed.empty() && typed.front() == ' ') typed.remove_prefix(1);
    while (!typed.empty() && uint8_t(typed.back()) <= 32) typed.remove_suffix(1);
    std::string command(typed);
    for (char& ch : command)
        if (ch >= 'a' && ch <= 'z') ch = char(ch - 'a' + 'A');
    return command;
}

void ShowHistory(TGuiControl& root, const TGameState& s) {
    for (size_t i = 0; i < s.ConsoleLines.size(); ++i)
        SetLabelText(root, "con_label" + std::to_string(i + 1), s.ConsoleLines[i]);
}

void ClearEdit(TGuiControl& root, bool focus) {
    if (auto* edit = FindAs<TGuiEdit>(root, "con_edit")) {
        edit->SetText("");
        if (focus) edit->SetFocus();
    }
}

} // namespace

TConsoleReply ExecuteCommand(TGameState& s, std::string_view typed, int frameRate) {
    const std::string command = Normalise(typed);
    TConsoleReply reply;
    auto action = [&](int value) {
        s.ConsoleAction = value;
        return reply;
    };
    if (command == "NEXT LEVEL") return action(ConsoleNextLevel);
    if (command == "GAME OVER") return action(ConsoleGameOver);
    if (command == "PAUSE") return action(ConsolePause);
    if (command == "HOW TO PLAY") return action(ConsoleHowToPlay);
    if (command == "EXIT") {
        reply.Exit = true;
        return reply;
    }
    if (command == "ADD LIVES") {
        s.SetLives(s.GetLives() + 5);
        reply.Text = " - you have 5 lives more";
    } else if (command == "ADD SCORE") {
        s.AddScore(1000);
        reply.Text = " - you have 1000 points more!";
    } else if (command == "DIFFICULTY") {
        static constexpr const char* kNames[] = {"EASY", "MEDIUM", "HARD"};
        reply.Text =
            std::string(" - current difficulty is ") + kNames[s.Difficulty < 2 ? s.Difficulty : 2];
    } else if (command == "NAME") {
        reply.Text = " - your name is " + s.PlayerName;
    } else if (command == "SCORE") {
        reply.Text = " - your score is " + std::to_string(s.GetScore());
    } else if (command == "LIVES") {
        reply.Text = " - you have " + std::to_string(s.GetLives()) + " lives";
    } else if (command == "LEVEL") {
        reply.Text = " - current level is " + std::to_string(s.LevelNumber);
    } else if (command == "FPS") {
        reply.Text = " - current FPS is " + std::to_string(frameRate);
    } else {
        reply.Text = "- unknown command";
        return reply;
    }
    s.ConsoleAction = ConsoleNone;
    return reply;
}

void PushConsoleLine(TGameState& s, std::string line) {
    for (size_t i = s.ConsoleLines.size() - 1; i > 0; --i)
        s.ConsoleLines[i] = std::move(s.ConsoleLines[i - 1]);
    s.ConsoleLines[0] = std::move(line);
}

void EnterConsole(TGuiControl& root, const TGameState& s) {
    if (TGuiControl* form = root.FindControl("scr_console")) {
        form->SetTop(ConsoleStartTop);
        form->Show();
        form->BringToFront();
    }
    ShowHistory(root, s);
    ClearEdit(root, true);
}

int SlideConsole(TGuiControl& root, int& stateTicks) {
    TGuiControl* form = root.FindControl("scr_console");
    if (stateTicks >= 0 && stateTicks < ConsoleSlideTicks) {
        if (form) form->SetTop(form->Top() + ConsoleSlideStep);
        ++stateTicks;
    }
    return form ? form->Top() : ConsoleStartTop;
}

void CloseConsole(TGuiControl& root) { ClearEdit(root, false); }

TConsoleReply SubmitConsoleLine(TGuiControl& root, TGameState& s, int frameRate) {
    auto* edit = FindAs<TGuiEdit>(root, "con_edit");
    const std::string typed = edit ? edit->Text() : std::string();
    TConsoleReply reply = ExecuteCommand(s, typed, frameRate);
    PushConsoleLine(s, typed + reply.Text);
    ClearEdit(root, true);
    ShowHistory(root, s);
    return reply;
}

int TakeConsoleAction(TGameState& s) {
    const int action = s.ConsoleAction;
    if (action < ConsoleNextLevel || action > ConsoleHowToPlay) return ConsoleNone;
    s.ConsoleAction = ConsoleNone;
    return action;
}

void HideConsole(TGuiControl& root) {
    if (TGuiControl* form = root.FindControl("scr_console")) {
        form->Hide();
        form->SendToBack();
    }
}
