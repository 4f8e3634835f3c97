#include "tools/runner/AutoPlay.h"
#include "board/BoardPhases.h"
#include "board/Matching.h"
#include "board/TFishka.h"
#include "board/podlarray.h"
#include "board/tfing.h"
#include "board/tkombobar.h"
#include "engine/GuiBase.h"
#include "engine/GuiControls.h"
#include "objects/Cursor.h"
#include "shell/Unit1.h"
#include "tools/runner/GameRunner.h"
#include <cstdlib>

namespace {

using K = TScenarioStep::Kind;
constexpr int kCell = 64;
// The chips test the pointer picture's corner moved by this much.
constexpr int kPointerOffset = 20;
constexpr const char* kShuffleButtons[] = {"G_mix1", "G_mix2", "G_mix3"};

TScenarioStep Step(K kind, int a = 0, int b = 0) {
    TScenarioStep step;
    step.kind = kind;
    step.a = a;
    step.b = b;
    return step;
}

// The first live sprite of that class.
template <class T> const T* FindSprite(TForm1& form) {
    if (!form.SpriteEngine) return nullptr;
    for (int i = 0; i < form.SpriteEngine->Count(); ++i)
        if (auto* t = dynamic_cast<const T*>(form.SpriteEngine->Items(i)); t && !t->IsDead)
            return t;
    return nullptr;
}

int GrownChips(TForm1& form) {
    int n = 0;
    if (!form.SpriteEngine) return 0;
    for (int i = 0; i < form.SpriteEngine->Count(); ++i)
        if (auto* f = dynamic_cast<const TFishka*>(form.SpriteEngine->Items(i)))
            n += !f->IsDead && f->Growth >= 1;
    return n;
}

// Play, the level-start pause and the how-to-play pages over the board.
bool LevelOver(const TGameState& s) {
    return (s.ScreenState != 13 && s.ScreenState != 29 && s.ScreenState != 33) ||
           s.UnderlayCleared || s.LevelDone || s.LeavingPlay;
}

bool BoardTakesInput(TForm1& form) {
    const TGameState& s = form.Game;
    if (s.ScreenState != 13 || LevelOver(s)) return false;
    if (s.BoardPhase != PhaseWaiting || s.MovePhase != 0 || s.GrowingCount != 0 || s.TickLock ||
        s.SwapLocked || s.SwapStarted || s.MouseHeld)
        return false;
    if (form.Cursor && !form.Cursor->ShowsPointer()) return false;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r)
            if (s.ColourGrid[c][r] == 0) return false;
    return GrownChips(form) >= BoardSize * BoardSize;
}

// Underlay tiles the move would take with its first lines, by the board's own line search on
// a copy of the session.
int TilesTaken(TForm1& form, const TUnderlay& underlay, const TMoveFound& move) {
    TGameState trial = form.Game;
    TRandom rng = form.Random;
    ExchangeCells(trial, move.first, move.second);
    if (!FindMatches(trial, rng)) return 0;
    int tiles = 0;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r)
            if (trial.MatchMask[c][r] == 0) tiles += underlay.Count[c][r];
    return tiles;
}

// The pointer for a cell: the chips test the pointer's tip moved by the offset.
int PointerX(const TGameState& s, TCell cell) {
    return s.BoardOriginX + (cell.c - 1) * kCell + kCell / 2 - kPointerOffset;
}
int PointerY(const TGameState& s, TCell cell) {
    return s.BoardOriginY + (cell.r - 1) * kCell + kCell / 2 - kPointerOffset;
}

TGuiControl* ShownShuffleButton(TForm1& form) {
    for (const char* name : kShuffleButtons)
        if (TGuiControl* c = form.Control(name); ControlShown(c)) return c;
    return nullptr;
}

} // namespace

bool ControlShown(const TGuiControl* control) {
    bool shown = control != nullptr;
    for (const TGuiControl* p = control; p && shown; p = p->Parent()) shown = p->Visible();
    return shown;
}

const char* AutoPlayResultName(TAutoPlayResult result) {
    switch (result) {
    case TAutoPlayResult::Moved:
        return "moved";
    case TAutoPlayResult::Shuffled:
        return "shuffled";
    case TAutoPlayResult::NotPlaying:
        return "not playing";
    case TAutoPlayResult::NoMove:
        return "no move";
    case TAutoPlayResult::Ignored:
        return "ignored";
    case TAutoPlayResult::Timeout:
        return "timeout";
    }
    return "?";
}

TAutoPlayer::TAutoPlayer(TGameRunner& runner, TAutoPlayLimits limits)
    : runner_(runner), limits_(limits) {}

void TAutoPlayer::Do(TScenarioStep step) {
    if (step.kind == K::Wait && !Recorded.empty() && Recorded.back().kind == K::Wait)
        Recorded.back().a += step.a;
    else
        Recorded.push_back(step);
    std::string unused;
    runner_.Execute({step}, unused);
}

bool TAutoPlayer::WaitFor(const std::function<bool()>& condition, int frames) {
    TForm1& form = runner_.Form();
    for (int i = 0; i < frames; ++i) {
        if (condition()) return true;
        if (form.Closed()) return false;
        // The how-to-play pages open over the level, even during a move, and hold the board
        // until they are closed as a player would, by their OK button.
        if (TGuiControl* ok = form.Control("b_howtoplay_ok");
            form.Game.ScreenState == 33 && ControlShown(ok))
            PressControl(*ok);
        else
            Do(Step(K::Wait, 1));
    }
    return condition();
}

void TAutoPlayer::PressAt(int x, int y) {
    Do(Step(K::Move, x, y));
    Do(Step(K::Wait, limits_.gapFrames));
    Do(Step(K::Press));
    Do(Step(K::Wait, limits_.gapFrames));
    Do(Step(K::Release));
    Do(Step(K::Wait, limits_.gapFrames));
}

void TAutoPlayer::PressControl(const TGuiControl& control) {
    const TIntRect r = control.ScreenRect();
    PressAt((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

TAutoPlayResult TAutoPlayer::WaitReady() {
    TForm1& form = runner_.Form();
    WaitFor([&] { return LevelOver(form.Game) || BoardTakesInput(form); }, limits_.readyFrames);
    if (LevelOver(form.Game)) {
        Reason = "not playing: screen state " + std::to_string(form.Game.ScreenState) +
                 (form.Game.UnderlayCleared ? ", underlay cleared" : "");
        return TAutoPlayResult::NotPlaying;
    }
    if (!BoardTakesInput(form)) {
        Reason = "the board did not wait for input within " + std::to_string(limits_.readyFrames) +
                 " frames (phase " + std::to_string(form.Game.BoardPhase) + ")";
        return TAutoPlayResult::Timeout;
    }
    return TAutoPlayResult::Moved;
}

TAutoPlayResult TAutoPlayer::Shuffle() {
    TForm1& form = runner_.Form();
    TGuiControl* button = ShownShuffleButton(form);
    if (!button) {
        Reason = "no move and no shuffle button left";
        return TAutoPlayResult::NoMove;
    }
    PressControl(*button);
    const TGameState& s = form.Game;
    // The pressed button hides itself; the shuffle may be over before the release is.
    const auto taken = [&] {
        return s.BoardPhase == PhaseShuffle || LevelOver(s) || ShownShuffleButton(form) != button;
    };
    if (!WaitFor(taken, limits_.startFrames)) {
        Reason = "the shuffle button " + button->Name + " did not start a shuffle";
        return TAutoPlayResult::Ignored;
    }
    if (!WaitFor([&] { return LevelOver(s) || BoardTakesInput(form); }, limits_.settleFrames)) {
        Reason = "the shuffled board did not settle";
        return TAutoPlayResult::Timeout;
    }
    return TAutoPlayResult::Shuffled;
}

TAutoPlayResult TAutoPlayer::PlayMove() {
    Reason.clear();
    if (const TAutoPlayResult ready = WaitReady(); ready != TAutoPlayResult::Moved) return ready;
    TForm1& form = runner_.Form();
    const TGameState& s = form.Game;

    const std::vector<TMoveFound> moves = FindAllMoves(s);
    if (moves.empty()) return Shuffle();
    TMoveFound chosen = moves.front();
    if (const podlarray* underlay = FindSprite<podlarray>(form)) {
        int best = 0;
        for (const TMoveFound& m : moves)
            if (const int tiles = TilesTaken(form, underlay->Underlay, m); tiles > best) {
                best = tiles;
                chosen = m;
            }
        MovesOnTiles += best > 0;
    }

    return Swap(chosen.first, chosen.second);
}

TAutoPlayResult TAutoPlayer::Swap(TCell a, TCell b) {
    const TGameState& s = runner_.Form().Game;
    TForm1& form = runner_.Form();
    // A chip still selected next to the first cell would swap with it: start from the other.
    if (s.FirstSelected) {
        const TCell held = CellAtPosition(s, s.SelX1, s.SelY1);
        if (std::abs(held.c - a.c) + std::abs(held.r - a.r) == 1) std::swap(a, b);
    }
    PressAt(PointerX(s, a), PointerY(s, a));
    if (!s.FirstSelected || CellAtPosition(s, s.SelX1, s.SelY1) != a) {
        Reason = "the chip at (" + std::to_string(a.c) + ", " + std::to_string(a.r) +
                 ") was not selected";
        return TAutoPlayResult::Ignored;
    }
    PressAt(PointerX(s, b), PointerY(s, b));
    if (!WaitFor([&] { return s.BoardPhase != PhaseWaiting || LevelOver(s); },
                 limits_.startFrames)) {
        Reason = "the swap with (" + std::to_string(b.c) + ", " + std::to_string(b.r) +
                 ") did not start";
        return TAutoPlayResult::Ignored;
    }
    if (!WaitFor([&] { return LevelOver(s) || BoardTakesInput(form); }, limits_.settleFrames)) {
        Reason =
            "the board did not settle after the move (phase " + std::to_string(s.BoardPhase) + ")";
        return TAutoPlayResult::Timeout;
    }
    return TAutoPlayResult::Moved;
}

TAutoPlayResult TAutoPlayer::UseHint() {
    Reason.clear();
    if (const TAutoPlayResult ready = WaitReady(); ready != TAutoPlayResult::Moved) return ready;
    TForm1& form = runner_.Form();
    const TGameState& s = form.Game;
    TGuiControl* button = form.Control("G_help");
    // The button shows from the frame after the points reach the price.
    if (s.GetScore() >= HintPrice) WaitFor([&] { return ControlShown(button); }, 5);
    if (s.GetScore() < HintPrice || !ControlShown(button)) {
        Reason = "no hint: " + std::to_string(s.GetScore()) + " points";
        return TAutoPlayResult::NoMove;
    }
    PressControl(*button);
    // The press that clicks the button is over before the arrow is laid.
    const tfing* arrow = nullptr;
    WaitFor([&] { return (arrow = FindSprite<tfing>(form)) != nullptr || LevelOver(s); }, 10);
    if (!arrow) {
        Reason = "the hint showed no arrow";
        return TAutoPlayResult::NoMove;
    }
    ++HintsUsed;
    // The arrow lies across the border of its two cells.
    const bool across = arrow->BaseAngle == 0;
    const float x1 = across ? arrow->X - 64 : arrow->X, y1 = across ? arrow->Y : arrow->Y - 64;
    const TCell a = CellAtPosition(s, x1, y1);
    const TCell b = across ? TCell{a.c + 1, a.r} : TCell{a.c, a.r + 1};
    return Swap(a, b);
}

bool TAutoPlayer::PickUpSuperBonus(int item) {
    TForm1& form = runner_.Form();
    const TGfxImage* picture = form.Images.Find("itemz" + std::to_string(item));
    if (item < 1 || item > 8 || form.Game.SuperBonusCount[size_t(item)] <= 0 || !picture) {
        Reason = "no super-bonus " + std::to_string(item) + " held";
        return false;
    }
    // The middle of the item's hover box on the ring.
    const tkombobar::TItemPlace& place = tkombobar::ItemPlaces()[size_t(item)];
    const int x = int(place.x + (place.left + picture->PatternWidth - place.right) / 2);
    const int y = int(place.y + (place.top + picture->PatternHeight - place.bottom) / 2);
    PressAt(x, y);
    if (!form.Cursor || form.Cursor->ShowsPointer()) {
        Reason = "super-bonus " + std::to_string(item) + " was not picked up";
        return false;
    }
    return true;
}

TAutoPlayResult TAutoPlayer::UseSuperBonus(int item) {
    Reason.clear();
    if (const TAutoPlayResult ready = WaitReady(); ready != TAutoPlayResult::Moved) return ready;
    TForm1& form = runner_.Form();
    const TGameState& s = form.Game;
    if (item < 1 || item > 8 || s.SuperBonusCount[size_t(item)] <= 0) {
        Reason = "no super-bonus " + std::to_string(item) + " held";
        return TAutoPlayResult::NoMove;
    }
    if (!PickUpSuperBonus(item)) return TAutoPlayResult::Ignored;

    TCell target{4, 4};
    if (const podlarray* underlay = FindSprite<podlarray>(form)) {
        int best = 0;
        for (int c = 1; c <= BoardSize; ++c)
            for (int r = 1; r <= BoardSize; ++r)
                if (underlay->Underlay.Count[c][r] > best) {
                    best = underlay->Underlay.Count[c][r];
                    target = {c, r};
                }
    }
    // A carried item is drawn about the mouse and aims at the cell under it, so the press
    // goes to the cell's middle.
    PressAt(PointerX(s, target) + kPointerOffset, PointerY(s, target) + kPointerOffset);
    if (!WaitFor([&] { return s.ActiveSuperBonus != 0 || LevelOver(s); }, limits_.startFrames)) {
        Reason = "super-bonus " + std::to_string(item) + " did not start";
        // The right button gives the carried item back, so the board takes moves again.
        TScenarioStep right = Step(K::Press);
        right.right = true;
        Do(right);
        Do(Step(K::Wait, limits_.gapFrames));
        right.kind = K::Release;
        Do(right);
        Do(Step(K::Wait, limits_.gapFrames));
        return TAutoPlayResult::Ignored;
    }
    ++SuperBonusesUsed;
    if (!WaitFor([&] { return LevelOver(s) || BoardTakesInput(form); }, limits_.settleFrames)) {
        Reason = "the board did not settle after super-bonus " + std::to_string(item);
        return TAutoPlayResult::Timeout;
    }
    return TAutoPlayResult::Moved;
}

int TAutoPlayer::PlayUntil(const std::function<bool(const TGameState&)>& done, int maxMoves) {
    const TGameState& s = runner_.Form().Game;
    int moves = 0;
    while (!done(s)) {
        if (moves >= maxMoves) {
            Reason = "not there after " + std::to_string(maxMoves) + " moves";
            return -1;
        }
        const TAutoPlayResult result = PlayMove();
        if (result == TAutoPlayResult::Moved || result == TAutoPlayResult::Shuffled) {
            ++moves;
            continue;
        }
        // The goal may be something the game reaches by itself once the board is done.
        const std::string why = Reason;
        if (WaitFor([&] { return done(s); }, limits_.finishFrames)) return moves;
        Reason = std::string(AutoPlayResultName(result)) + ": " + why;
        return -1;
    }
    Reason.clear();
    return moves;
}

bool PlayMove(TGameRunner& runner) {
    const TAutoPlayResult r = TAutoPlayer(runner).PlayMove();
    return r == TAutoPlayResult::Moved || r == TAutoPlayResult::Shuffled;
}

int PlayUntil(TGameRunner& runner, const std::function<bool(const TGameState&)>& done,
              int maxMoves) {
    return TAutoPlayer(runner).PlayUntil(done, maxMoves);
}
