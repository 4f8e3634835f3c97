#include "screens/Console.h"
#include "engine/GuiEdit.h"
#include "engine/GuiForm.h"
#include "engine/GuiLabel.h"
#include "shell/GameState.h"
#include <gtest/gtest.h>

TEST(ConsoleTest, CommandsAndReplies) {
    struct Case {
        const char* typed;
        std::string reply;
        int action;
    };
    const Case cases[] = {
        {"NEXT LEVEL", "", ConsoleNextLevel},
        {"game over", "", ConsoleGameOver},
        {"Pause", "", ConsolePause},
        {"how to play", "", ConsoleHowToPlay},
        {"  add lives", " - you have 5 lives more", ConsoleNone},
        {"ADD SCORE \t\r\n", " - you have 1000 points more!", ConsoleNone},
        {"difficulty", " - current difficulty is MEDIUM", ConsoleNone},
        {"name", " - your name is Ann", ConsoleNone},
        {"score", " - your score is 250", ConsoleNone},
        {"lives", " - you have 3 lives", ConsoleNone},
        {"level", " - current level is 7", ConsoleNone},
        {"fps", " - current FPS is 61", ConsoleNone},
        {"addlives", "- unknown command", 2},      // no space: unknown, action untouched
        {"", "- unknown command", 2},              // an empty line too
        {"\tPAUSE", "- unknown command", 2},       // only spaces go in front
        {"ADD  LIVES", "- unknown command", 2},    // inner spacing must match
        {"n\xE9xt level", "- unknown command", 2}, // only a..z are raised
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TGameState s;
        s.StartNewGame();
        s.SetScore(250);
        s.Difficulty = 1;
        s.LevelNumber = 7;
        s.PlayerName = "Ann";
        s.ConsoleAction = 2;
        const TConsoleReply r = ExecuteCommand(s, c.typed, 61);
        EXPECT_EQ(r.Text, c.reply);
        EXPECT_EQ(s.ConsoleAction, c.action);
        EXPECT_FALSE(r.Exit);
    }
    TGameState s;
    s.StartNewGame();
    ExecuteCommand(s, "add lives", 0);
    ExecuteCommand(s, "add score", 0);
    EXPECT_EQ(s.GetLives(), 8);
    EXPECT_EQ(s.GetScore(), 1000);
    for (auto [d, name] : {std::pair{0, "EASY"}, {2, "HARD"}}) {
        s.Difficulty = uint8_t(d);
        EXPECT_EQ(ExecuteCommand(s, "DIFFICULTY", 0).Text,
                  std::string(" - current difficulty is ") + name);
    }
    const TConsoleReply exit = ExecuteCommand(s, " exit ", 0);
    EXPECT_TRUE(exit.Exit);
    EXPECT_EQ(exit.Text, "");
}

TEST(ConsoleTest, HistoryKeepsFiveNewestFirst) {
    TGameState s;
    for (int i = 1; i <= 6; ++i) PushConsoleLine(s, "line" + std::to_string(i));
    EXPECT_EQ(s.ConsoleLines,
              (std::array<std::string, 5>{"line6", "line5", "line4", "line3", "line2"}));
}

namespace {

struct ConsoleForm {
    TGuiControl root{nullptr};
    TGuiForm* form = new TGuiForm(&root);
    TGuiEdit* edit = new TGuiEdit(form);
    TGuiLabel* labels[5];
    ConsoleForm() {
        form->Name = "scr_console";
        form->SetBounds({0, 0, 800, 160});
        form->Hide();
        edit->Name = "con_edit";
        for (int i = 0; i < 5; ++i) {
            labels[i] = new TGuiLabel(form);
            labels[i]->Name = "con_label" + std::to_string(i + 1);
        }
        (new TGuiForm(&root))->Name = "L_form"; // another form, in front at first
    }
};

} // namespace

TEST(ConsoleTest, SlidesInAndRunsTheTypedLine) {
    ConsoleForm f;
    TGameState s;
    s.StartNewGame();
    PushConsoleLine(s, "older");
    EnterConsole(f.root, s);
    EXPECT_TRUE(f.form->Visible());
    EXPECT_EQ(f.root.Child(0), f.form);
    EXPECT_EQ(f.form->Top(), -160);
    EXPECT_EQ(f.labels[0]->Text(), "older");
    EXPECT_TRUE(f.edit->IsFocused());

    int ticks = 0;
    std::vector<int> tops;
    for (int i = 0; i < 40; ++i) tops.push_back(SlideConsole(f.root, ticks));
    EXPECT_EQ(tops[0], -155);
    EXPECT_EQ(tops[31], 0);
    EXPECT_EQ(tops[39], 0); // stays once down
    EXPECT_EQ(ticks, 32);
    EXPECT_EQ(f.form->Height(), 160);

    f.edit->SetText("  lives");
    const TConsoleReply r = SubmitConsoleLine(f.root, s, 60);
    EXPECT_EQ(r.Text, " - you have 3 lives");
    EXPECT_EQ(f.labels[0]->Text(), "  lives - you have 3 lives"); // as typed, then the reply
    EXPECT_EQ(f.labels[1]->Text(), "older");
    EXPECT_EQ(f.edit->Text(), "");
    EXPECT_EQ(TakeConsoleAction(s), ConsoleNone);

    f.edit->SetText("next level");
    SubmitConsoleLine(f.root, s, 60);
    EXPECT_EQ(f.labels[0]->Text(), "next level");
    EXPECT_EQ(TakeConsoleAction(s), ConsoleNextLevel);
    EXPECT_EQ(s.ConsoleAction, ConsoleNone);

    f.edit->SetText("half typed");
    CloseConsole(f.root);
    EXPECT_EQ(f.edit->Text(), "");
    HideConsole(f.root);
    EXPECT_FALSE(f.form->Visible());
    EXPECT_EQ(f.root.Child(f.root.ChildCount() - 1), f.form);
    // The history survives closing and reopening.
    EnterConsole(f.root, s);
    EXPECT_EQ(f.labels[0]->Text(), "next level");
}
