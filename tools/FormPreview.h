#pragma once
#include <string>
#include <vector>

class TGuiTaskbar;

// What kelvora_demo puts on the screen to show one GUI screen as the game would: the pictures
// under it and the states the game code would give its controls. One word per step:
//   NAME            show the control (a window is also brought to the front)
//   -NAME           hide it
//   NAME=TEXT       set its text: a label's or edit's Text, a button's Caption, or a list's
//                   Items written as "a|b|c"
//   ~NAME           move the mouse over it, so it draws its hover look
//   !NAME           disable it
//   NAME^X          set its left edge so that its text is centred on X in its own font, as the
//                   game places story lines and shop texts
//   @IMAGE=X,Y[,SCALEX[,SCALEY]][:PATTERN]   draw that image first, in the order given (the
//                   sprites the game would draw); SCALEY defaults to SCALEX
//   ^               pictures after this word are drawn over the GUI (the help page pictures)
struct TPreviewPicture {
    std::string Image;
    float X = 0, Y = 0, ScaleX = 1, ScaleY = 1;
    int Pattern = 0;
    bool OverGui = false;
};

struct TFormPreview {
    std::vector<TPreviewPicture> Pictures;
    std::vector<std::string> Steps; // the words that act on controls, in the order given
};

bool ParseFormPreview(const std::vector<std::string>& words, TFormPreview& out, std::string& error);

// Runs the control steps on a loaded GUI tree; false (with the name) when a control is missing.
bool ApplyFormPreview(const TFormPreview& preview, TGuiTaskbar& root, std::string& error);
