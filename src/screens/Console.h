#pragma once
#include <string>
#include <string_view>

class TGuiControl;
struct TGameState;

// The developer console (state 35, form "scr_console"): its command interpreter, history and
// slide-in. It exists only when "console.ini" is in the working directory at start-up.

inline constexpr const char* ConsoleSwitchFile = "console.ini";
inline constexpr int ConsoleKey = 192;

// Values of TGameState::ConsoleAction.
enum : int {
    ConsoleNone = -1,
    ConsoleNextLevel = 0,
    ConsoleGameOver = 1,
    ConsolePause = 2,
    ConsoleHowToPlay = 3,
};

struct TConsoleReply {
    std::string Text; // appended to the typed command in the history
    // "EXIT": the shell sets ScreenState 32, the exit screen's countdown to 0, switches the exit
    // screen off and closes the window.
    bool Exit = false;
};

// One command: leading spaces and trailing control characters and spaces are dropped, a..z
// raised to capitals, and the result compared with the commands exactly. `frameRate` is the
// frame timer's current rate, for "FPS".
TConsoleReply ExecuteCommand(TGameState& s, std::string_view typed, int frameRate);

// ConsoleLines[0] := line, the others move one older; the oldest drops out.
void PushConsoleLine(TGameState& s, std::string line);

// Where the form's top edge starts; it slides down 5 pixels a tick for 32 ticks to 0.
inline constexpr int ConsoleStartTop = -160;
inline constexpr int ConsoleSlideStep = 5;
inline constexpr int ConsoleSlideTicks = 32;

// Enter of state 35 (the shell sets ScreenState and StateTicks := 0 and plays "check"): the form
// at its start position, shown in front, the history in its labels, the edit empty and focused.
void EnterConsole(TGuiControl& root, const TGameState& s);
// Slide step 1 of the tick: while 0 <= stateTicks < 32, the form moves down 5 and the tick
// counts. Returns the form's top edge (ConsoleStartTop when there is no form).
int SlideConsole(TGuiControl& root, int& stateTicks);
// Escape or the console key released: the edit is emptied (the shell leaves 35, sets 13).
void CloseConsole(TGuiControl& root);
// Return released: the edit's command is run, typed text + reply pushed to the history, the
// edit emptied and focused and the labels refreshed. The shell then calls TakeConsoleAction.
TConsoleReply SubmitConsoleLine(TGuiControl& root, TGameState& s, int frameRate);
// The action a command asked for (ConsoleNone for none), then cleared to ConsoleNone: next level
// enters 16, game over 14, pause 18, how to play 33.
int TakeConsoleAction(TGameState& s);
// Leave of state 35.
void HideConsole(TGuiControl& root);
