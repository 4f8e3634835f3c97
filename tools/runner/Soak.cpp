#include "tools/runner/Soak.h"
#include "shell/Unit1.h"
#include "tools/runner/AutoPlay.h"
#include "tools/runner/GameRunner.h"

namespace {

// Runs frames until the state is reached; false at the limit.
bool WaitForState(TGameRunner& runner, uint8_t state, int frames) {
    for (int i = 0; i < frames && !runner.Form().Closed(); ++i) {
        if (runner.Form().Game.ScreenState == state) return true;
        runner.RunFrames(1);
    }
    return runner.Form().Game.ScreenState == state;
}

// From the stage-complete screen through the shop and the level intro into the next level.
bool NextLevel(TGameRunner& runner) {
    TForm1& form = runner.Form();
    if (!WaitForState(runner, 16, 10) || !form.FormVisible("b_stagecomplete_next")) {
        runner.RunFrames(600); // the score count-up
    }
    form.Click("b_stagecomplete_next");
    if (!WaitForState(runner, 37, 3000)) return false;
    runner.RunFrames(300);
    form.Click("NG_level");
    if (!WaitForState(runner, 36, 3000)) return false;
    runner.RunFrames(50);
    form.Game.AdvanceRequested = 1;
    return WaitForState(runner, 13, 3000);
}

// After a game over: a fresh game on level 1, straight into play.
bool NewGame(TGameRunner& runner) {
    TForm1& form = runner.Form();
    form.Game.SetScore(0);
    form.Game.SetLives(3);
    form.Game.LevelNumber = 1;
    form.States.Go(13);
    return WaitForState(runner, 13, 100);
}

} // namespace

TSoakResult RunSoak(TGameRunner& runner, int moves, int every,
                    const std::function<void(int)>& progress) {
    TSoakResult r;
    TAutoPlayer player(runner);
    TForm1& form = runner.Form();
    if (form.Game.ScreenState != 13) NewGame(runner);
    int stuck = 0;
    while (r.moves < moves && !form.Closed()) {
        // The last levels are hard to win by chance: time never runs out in a soak.
        if (form.Game.LevelTimeLeft < 30 && form.Game.ScreenState == 13)
            form.Game.LevelTimeLeft = form.Game.LevelTimeTotal;
        const TAutoPlayResult result = player.PlayMove();
        if (result == TAutoPlayResult::Moved || result == TAutoPlayResult::Shuffled) {
            ++r.moves;
            stuck = 0;
            if (every > 0 && progress && r.moves % every == 0) progress(r.moves);
            player.Recorded.clear(); // a long soak would otherwise keep every step
            continue;
        }
        // The flask fills on its own once the last tile is gone.
        for (int i = 0; i < 3000 && form.Game.ScreenState == 13 && form.Game.UnderlayCleared; ++i)
            runner.RunFrames(1);
        const uint8_t state = form.Game.ScreenState;
        bool ok = true;
        if (state == 16 || form.Game.LevelDone) {
            ++r.levelsWon;
            if (form.Game.LevelNumber >= 16) {
                ok = NewGame(runner);
            } else {
                ok = NextLevel(runner);
            }
        } else if (state == 14 || state == 23 || result == TAutoPlayResult::NoMove) {
            ++r.gamesEnded;
            ok = NewGame(runner);
        } else if (++stuck > 5) {
            r.stopped = std::string("stuck in state ") + std::to_string(int(state)) + ": " +
                        player.Reason;
            break;
        }
        if (!ok) {
            r.stopped = "could not go on from state " + std::to_string(int(state));
            break;
        }
    }
    if (form.Closed() && r.moves < moves) r.stopped = "the window closed";
    return r;
}
