#include "tools/runner/Playthrough.h"
#include "board/tfing.h"
#include "engine/GuiControls.h"
#include "engine/GuiEdit.h"
#include "objects/Shop.h"
#include "shell/Unit1.h"
#include "tools/runner/GameRunner.h"

namespace {

using K = TScenarioStep::Kind;
constexpr int kEnter = 13, kConsoleKey = 192, kPauseKey = 80;
// At most this many items a shop visit, so that some coins are left for later levels.
constexpr int kItemsPerVisit = 3;

TScenarioStep MakeStep(K kind, int a = 0) {
    TScenarioStep step;
    step.kind = kind;
    step.a = a;
    return step;
}

bool Playing(const TGameState& s) {
    return s.ScreenState == 13 && !s.LevelDone && !s.LeavingPlay && !s.UnderlayCleared;
}

} // namespace

TPlaythrough::TPlaythrough(TGameRunner& runner, TPlaythroughOptions options)
    : Player(runner), runner_(runner), options_(std::move(options)) {}

void TPlaythrough::Wait(int frames) { Player.Do(MakeStep(K::Wait, frames)); }

void TPlaythrough::Key(int code) {
    Player.Do(MakeStep(K::Key, code));
    Wait(2);
}

void TPlaythrough::Type(const std::string& text) {
    TScenarioStep step = MakeStep(K::Text);
    step.text = text;
    Player.Do(step);
    Wait(2);
}

void TPlaythrough::Press(const char* control) {
    if (TGuiControl* c = runner_.Form().Control(control)) Player.PressControl(*c);
}

void TPlaythrough::PressWhenShown(const char* control) {
    TGuiControl* c = runner_.Form().Control(control);
    if (ControlShown(c) && c->Enabled()) Player.PressControl(*c);
    else Wait();
}

bool TPlaythrough::RunUntil(const std::function<bool(const TGameState&)>& done, long maxFrames) {
    const TGameState& s = runner_.Form().Game;
    const long last = runner_.Frame() + maxFrames;
    for (NoteScreen(); !done(s); NoteScreen()) {
        if (runner_.Frame() >= last) {
            Reason = "not there after " + std::to_string(maxFrames) + " frames, on screen " +
                     std::to_string(s.ScreenState) + " at level " +
                     std::to_string(s.LevelNumber);
            return false;
        }
        if (!Step()) {
            Reason = "the window closed on screen " + std::to_string(s.ScreenState);
            return false;
        }
    }
    Reason.clear();
    return true;
}

void TPlaythrough::NoteScreen() {
    const TGameState& s = runner_.Form().Game;
    if (!Screens.empty() && Screens.back() == s.ScreenState) return;
    Screens.push_back(s.ScreenState);
    if (s.ScreenState == 23) ++GamesEnded;
    if (s.ScreenState == 16 && (LevelsSkipped.empty() || LevelsSkipped.back() != s.LevelNumber))
        LevelsWon.push_back(s.LevelNumber);
}

bool TPlaythrough::Step() {
    TForm1& form = runner_.Form();
    if (form.Closed()) return false;
    const TGameState& s = form.Game;
    NoteScreen();

    switch (s.ScreenState) {
    case 1: // a name for the first profile
        if (auto* edit = dynamic_cast<TGuiEdit*>(form.Control("edit_name1"));
            edit && edit->Text().empty()) {
            Player.PressControl(*edit);
            Type(options_.playerName);
        }
        PressWhenShown("b_entername_create");
        break;
    case 4:
        if (GamesStarted > GamesEnded || GamesStarted >= options_.games) {
            Wait();
        } else {
            PressWhenShown("b_mainmenu_startgame");
            if (s.ScreenState != 4) ++GamesStarted;
        }
        break;
    case 15:
        PressWhenShown(options_.difficulty.c_str());
        break;
    case 34:
        PressWhenShown("b_story_next");
        break;
    case 36:
        if (s.AdvanceRequested) Wait();
        else PressWhenShown("G_NextLevel");
        break;
    case 37:
        Shop();
        break;
    case 13:
        PlayLevel();
        break;
    case 18:
        Key(kPauseKey);
        break;
    case 33:
        PressWhenShown("b_howtoplay_ok");
        break;
    case 0: // the leave-the-game question: this player stays
        PressWhenShown("b_exitmm_no");
        break;
    case 16:
        PressWhenShown("b_stagecomplete_next");
        break;
    case 23:
        PressWhenShown("b_yourscore_next");
        break;
    case 31:
        if (auto* edit = dynamic_cast<TGuiEdit*>(form.Control("e_ycountry"));
            edit && edit->Text().empty())
            Type(options_.country);
        PressWhenShown("b_ycountry_next");
        break;
    case 24:
        PressWhenShown(options_.sendScore ? "b_sendscore_yes" : "b_sendscore_no");
        break;
    default: // the intro, pauses between screens, game over, the table: nothing to press
        Wait();
        break;
    }
    return !form.Closed();
}

void TPlaythrough::PlayLevel() {
    TForm1& form = runner_.Form();
    const TGameState& s = form.Game;
    if (!Playing(s)) return Wait();
    if (options_.skipBelowSeconds > 0 && form.ConsoleEnabled &&
        s.LevelTimeLeft < options_.skipBelowSeconds) {
        const int level = s.LevelNumber;
        Key(kConsoleKey);
        if (!Player.WaitFor([&] { return s.ScreenState == 35; }, 100)) return;
        Wait(40); // the console slides in
        Type("next level");
        Key(kEnter);
        if (s.ScreenState == 16) LevelsSkipped.push_back(level);
        return;
    }

    ++moves_;
    TAutoPlayResult result = TAutoPlayResult::NoMove;
    if (options_.superBonusEvery > 0 && moves_ % options_.superBonusEvery == 0)
        for (int item = 1; item <= 8 && result == TAutoPlayResult::NoMove; ++item)
            if (s.SuperBonusCount[size_t(item)] > 0) result = Player.UseSuperBonus(item);
    if (result == TAutoPlayResult::NoMove && options_.hintEvery > 0 &&
        moves_ % options_.hintEvery == 0 && s.GetScore() >= 2 * HintPrice)
        result = Player.UseHint();
    if (result == TAutoPlayResult::NoMove) result = Player.PlayMove();
    if (result == TAutoPlayResult::Moved || result == TAutoPlayResult::Shuffled) ++Moves;
    // Stuck without a move or a shuffle: the clock runs out as it would for a person.
    else Wait(10);
}

void TPlaythrough::Shop() {
    TForm1& form = runner_.Form();
    const TGameState& s = form.Game;
    if (!ControlShown(form.Control("NG_level"))) return Wait();
    if (options_.buySuperBonuses && shopVisit_ != s.LevelNumber) {
        shopVisit_ = s.LevelNumber;
        // The dearest first; each press buys one.
        for (int bought = 0; bought < kItemsPerVisit; ++bought) {
            int best = 0;
            for (int i = 1; i <= 8; ++i)
                if (tshop::Items()[size_t(i)].price <= s.ShopCoins &&
                    (best == 0 || tshop::Items()[size_t(i)].price > tshop::Items()[size_t(best)].price))
                    best = i;
            if (best == 0) break;
            const tshop::TItem& it = tshop::Items()[size_t(best)];
            const int coins = s.ShopCoins;
            Player.PressAt((it.zoneLeft + it.zoneRight) / 2, (it.zoneTop + it.zoneBottom) / 2);
            if (s.ShopCoins >= coins) break; // the press did not buy
            ++ItemsBought;
        }
    }
    Press("NG_level");
    Wait();
}
