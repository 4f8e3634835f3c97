#pragma once
#include <istream>
#include <string>
#include <vector>

// A scripted session for the headless runner, one command a line ('#' starts a comment):
//   wait N                 let N frames pass
//   move X Y               the mouse moves to logical (X, Y)
//   press [left|right]     a button goes down where the mouse is
//   release [left|right]
//   click X Y              move, press, one frame, release
//   keydown K / keyup K    virtual-key code K; key K is both with a frame between
//   text WORDS...          typed characters (Windows-1252)
//   close                  the window's close button
//   minimize
//   shot FILE.png          screenshot of the current frame
//   dump FILE.json         the game's state as JSON
//   goto N                 leave the current screen state and enter state N (for pictures)
//   level N                the level number the next level start uses (for pictures)
//   autoplay N             N moves played by the autoplayer
//   hint                   a press on the hint button
//   item N                 super-bonus N picked up from the combo bar (one is put in stock
//                          first when none is held, for pictures)
struct TScenarioStep {
    enum class Kind { Wait, Move, Press, Release, Click, KeyDown, KeyUp, Key, Text, Close,
                      Minimize, Shot, Dump, Goto, Level, Autoplay, Hint, Item };
    Kind kind = Kind::Wait;
    int a = 0, b = 0;  // frames, coordinates or the key code
    bool right = false; // the right mouse button
    std::string text;   // typed text or an output file
    int line = 0;
};

// False with a message naming the line when a command is unknown or its numbers are bad.
bool ParseScenario(std::istream& in, std::vector<TScenarioStep>& steps, std::string& error);
