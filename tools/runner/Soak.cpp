#include "tools/runner/Soak.h"
#include "shell/Unit1.h"
#include "tools/runner/GameRunner.h"
#include "tools/runner/Playthrough.h"

namespace {

// Frames without a move before the soak calls the game stuck: longer than any level's clock,
// the score screens and the intro together.
constexpr long kStuckFrames = 60'000;

} // namespace

TSoakResult RunSoak(TGameRunner& runner, int moves, int every,
                    const std::function<void(int)>& progress) {
    TSoakResult r;
    TPlaythroughOptions options;
    options.skipBelowSeconds = 20;
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
                        std::to_string(form.Game.ScreenState) + ": " + play.Player.Reason;
            break;
        }
        if (form.Game.ScreenState == 9 && play.GameStarted) {
            ++r.gamesEnded;
            r.levelsWon += int(play.LevelsWon.size());
            r.levelsSkipped += int(play.LevelsSkipped.size());
            play.LevelsWon.clear();
            play.LevelsSkipped.clear();
            play.Screens.clear();
            if (TGuiControl* back = form.Control("b_highscore_back")) play.Player.PressControl(*back);
            play.GameStarted = false; // the main menu starts the next one
        }
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
