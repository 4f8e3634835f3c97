#include "tools/runner/Soak.h"
#include "engine/GuiBase.h"
#include "shell/Unit1.h"
#include "tools/runner/GameRunner.h"
#include "tools/runner/Playthrough.h"
#include <limits>

namespace {

// Frames without a move before the soak calls the game stuck: longer than any level's clock,
// the score screens and the intro together.
constexpr long kStuckFrames = 60'000;

std::string ShownForms(TForm1& form) {
    std::string names;
    if (!form.GuiBase) return names;
    TGuiTaskbar& root = form.GuiBase->Root();
    for (int i = 0; i < root.ChildCount(); ++i)
        if (TGuiControl* c = root.Child(i); c && c->Visible()) names += " " + c->Name;
    names += " [capture " + (root.Capture() ? root.Capture()->Name : std::string("-")) +
             ", under mouse " + (root.UnderMouse() ? root.UnderMouse()->Name : std::string("-")) +
             ", buttons " + std::to_string(root.ButtonsHeld()) + ", held " +
             std::to_string(form.Game.MouseHeld) + "]";
    return names;
}

} // namespace

TSoakResult RunSoak(TGameRunner& runner, int moves, int every,
                    const std::function<void(int)>& progress) {
    TSoakResult r;
    TPlaythroughOptions options;
    options.skipBelowSeconds = 20;
    options.games = std::numeric_limits<int>::max();
    TPlaythrough play(runner, options);
    TForm1& form = runner.Form();
    long lastMoveFrame = runner.Frame();
    int reported = 0;
    while (play.Moves < moves) {
        const int before = play.Moves;
        if (!play.Step()) {
            r.stopped = "the window closed";
            break;
        }
        if (play.Moves != before) {
            lastMoveFrame = runner.Frame();
            // A long soak would otherwise keep every step it took.
            play.Player.Recorded.clear();
        } else if (runner.Frame() - lastMoveFrame > kStuckFrames) {
            r.stopped = "no move for " + std::to_string(kStuckFrames) + " frames on screen " +
                        std::to_string(form.Game.ScreenState) + ", forms shown:" +
                        ShownForms(form) + (play.Player.Reason.empty() ? "" : "; ") +
                        play.Player.Reason;
            break;
        }
        if (play.GamesEnded > r.gamesEnded) {
            r.gamesEnded = play.GamesEnded;
            r.levelsWon += int(play.LevelsWon.size());
            r.levelsSkipped += int(play.LevelsSkipped.size());
            play.LevelsWon.clear();
            play.LevelsSkipped.clear();
            // The last one stays, or it would be noted again.
            play.Screens.erase(play.Screens.begin(), play.Screens.end() - 1);
        }
        // The table, when the score made it: back to the main menu for the next game.
        if (form.Game.ScreenState == 9)
            if (TGuiControl* back = form.Control("b_highscore_back"); ControlShown(back))
                play.Player.PressControl(*back);
        if (every > 0 && progress && play.Moves >= reported + every) {
            reported = play.Moves - play.Moves % every;
            progress(play.Moves);
        }
    }
    r.moves = play.Moves;
    r.levelsWon += int(play.LevelsWon.size());
    r.levelsSkipped += int(play.LevelsSkipped.size());
    return r;
}
