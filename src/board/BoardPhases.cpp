#include "board/BoardPhases.h"
#include "board/Matching.h"
#include "board/Refill.h"

namespace {

constexpr int kBurstTimerEnd = 128; // chip ticks before the burst of phase 8
constexpr int kUnderlayBurstTicks = 16;

void EndMove(TGameState& s) {
    s.BoardPhase = PhaseWaiting;
    s.MovingCount = 0;
    s.FirstSelected = 0;
    s.SelX1 = s.SelY1 = s.SelX2 = s.SelY2 = 0;
    s.MovePhase = 0;
}

int CountFalling(const TGameState& s) {
    int n = 0;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) n += s.FallGrid[c][r] != 0;
    return n;
}

} // namespace

bool AreNeighbours(float x1, float y1, float x2, float y2) {
    float dx = x1 - x2, dy = y1 - y2;
    return (dy == 0 && (dx == 64 || dx == -64)) || (dx == 0 && (dy == 64 || dy == -64));
}

void ExchangeCells(TGameState& s, TCell a, TCell b) {
    if (!OnBoard(a) || !OnBoard(b)) return;
    std::swap(s.ColourGrid[a.c][a.r], s.ColourGrid[b.c][b.r]);
    std::swap(s.BonusGrid[a.c][a.r], s.BonusGrid[b.c][b.r]);
}

TPress PressChip(TGameState& s, float x, float y) {
    s.TickLock = 1;
    s.ActiveSuperBonus = 0;
    TPress result;
    if (s.FirstSelected && AreNeighbours(x, y, s.SelX1, s.SelY1)) {
        s.SwapLocked = 1;
        s.SelX2 = x;
        s.SelY2 = y;
        s.SwapStarted = 1;
        ExchangeCells(s, CellAtPosition(s, s.SelX1, s.SelY1), CellAtPosition(s, x, y));
        s.ArrivedCount = 0;
        result = TPress::SwapPartner;
    } else {
        result = s.FirstSelected ? TPress::Reselected : TPress::Selected;
        s.SelX1 = x;
        s.SelY1 = y;
        s.FirstSelected = 1;
    }
    s.MouseHeld = 0;
    s.TickLock = 0;
    return result;
}

bool StartSwapMove(TGameState& s, float x, float y, bool moving) {
    if (!s.SwapStarted || !s.FirstSelected || moving || x != s.SelX1 || y != s.SelY1) return false;
    s.BoardPhase = PhaseMoving;
    s.MovePhase = 2;
    return true;
}

void SwapChipArrived(TGameState& s) {
    s.SwapStarted = 0;
    s.FirstSelected = 0;
    s.SwapLocked = 0;
    if (++s.ArrivedCount < 2) return;
    s.ArrivedCount = 0;
    s.MovePhase = 0;
    s.BoardPhase = PhaseCheckSwap;
}

void SwapBackTargetTaken(TGameState& s) {
    if (--s.MovingCount <= 0) s.MovePhase = -5;
}

void SwapBackChipArrived(TGameState& s) {
    if (--s.MovePhase > -7) return;
    EndMove(s);
    s.MouseHeld = 0;
}

void FallChipLanded(TGameState& s) { --s.MovingCount; }

bool RefillDue(const TGameState& s) {
    return s.BoardPhase == PhaseMoving && s.MovePhase == -2 && s.MovingCount <= 0;
}

bool IsCleared(const TGameState& s, TCell cell) {
    return OnBoard(cell) && s.MatchMask[cell.c][cell.r] == 0;
}

TClearing ClearingTick(TGameState& s) {
    if (s.MovingCount < kBurstTimerEnd) {
        if (++s.MovingCount < kBurstTimerEnd) return TClearing::Counting;
        s.BoardPhase = PhaseBurst;
        return TClearing::Burst;
    }
    SettleColumns(s);
    ApplyFalls(s);
    s.BoardPhase = PhaseFallTargets;
    s.MovingCount = s.MovePhase;
    return TClearing::Settled;
}

std::optional<int> FallTargetTick(TGameState& s, TCell cell) {
    std::optional<int> target;
    if (OnBoard(cell) && s.FallGrid[cell.c][cell.r] != 0) {
        target = s.FallGrid[cell.c][cell.r];
        --s.MovePhase;
    }
    if (s.MovePhase <= 0) {
        s.BoardPhase = PhaseMoving;
        s.MovingCount = CountFalling(s);
        s.MovePhase = -2;
    }
    return target;
}

TSwapCheck CheckAfterSwap(TGameState& s, TRandom& rng) {
    if (FindMatches(s, rng)) {
        s.BoardPhase = PhaseClearing;
        return TSwapCheck::Cleared;
    }
    // Bonus kinds go back with the colours: the grids then match the chips gliding home.
    ExchangeCells(s, CellAtPosition(s, s.SelX1, s.SelY1), CellAtPosition(s, s.SelX2, s.SelY2));
    s.MovePhase = -3;
    s.MovingCount = 2;
    s.BoardPhase = PhaseMoving;
    return TSwapCheck::SwapBack;
}

TRefillCheck CheckAfterRefill(TGameState& s, TRandom& rng, int shuffleButtonsShown) {
    TRefillCheck result;
    if (FindMatches(s, rng)) {
        ++s.ChainCount;
        s.ComboProgress += 10;
        s.BoardPhase = PhaseClearing;
        result.cascade = true;
        return result;
    }
    result.gameOver = HasNoMove(s, shuffleButtonsShown);
    if (s.ChainCount > 0) {
        s.ChainMeter += 2;
        result.chained = true;
    }
    EndMove(s);
    return result;
}

std::vector<TPointsLabel> PointsLabels(const TGameState& s) {
    std::vector<TPointsLabel> labels;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r)
            if (s.MatchMask[c][r] == 0)
                labels.push_back({float(s.BoardOriginX + c * 64 - 5),
                                  float(s.BoardOriginY + r * 64 - 69), 3 * s.ChainCount + 3});
    return labels;
}

bool CollectFullComboBar(TGameState& s) {
    // At or above: a bar that somehow overshot would otherwise never pay out again.
    if (s.ComboProgress < 100) return false;
    s.ComboProgress = 0;
    s.AddScore(1000);
    return true;
}

bool TakeChainForBanner(TGameState& s) {
    if (s.ChainCount <= 0 || s.BoardPhase != PhaseWaiting) return false;
    s.ShownChain = s.ChainCount;
    s.ChainCount = 0;
    s.ChainBannerPos = 1020.0;
    return true;
}

TUnderlayTick UnderlayTick(TGameState& s, TUnderlay& underlay) {
    TUnderlayTick out;
    if (s.BoardPhase != PhaseBurst) {
        if (underlay.Total() <= 0) s.UnderlayCleared = 1;
        underlay.BurstTimer = 0;
        // The refill's extra sprite step runs in phase 0 under TickLock; arming then would
        // repeat the first-burst effects and bonus objects on every cascade.
        if (s.BoardPhase == PhaseWaiting && !s.TickLock) s.BurstArmed = 1;
        return out;
    }

    if (s.BurstArmed) {
        s.BurstArmed = 0;
        out.firstBurst = true;
        if (s.ActiveSuperBonus == 0)
            for (int c = 1; c <= BoardSize; ++c)
                for (int r = 1; r <= BoardSize; ++r)
                    if (s.MatchMask[c][r] == 0) out.burstCells.push_back({c, r});
    }
    if (underlay.BurstTimer == 0)
        for (int c = 1; c <= BoardSize; ++c)
            for (int r = 1; r <= BoardSize; ++r) {
                int& count = underlay.Count[c][r];
                if (s.MatchMask[c][r] != 0 || count <= 0) continue;
                --count;
                (count == 0 ? out.tilesGone : out.tilesWorn).push_back({c, r});
            }
    s.UnderlayCount = underlay.CellsWithTiles();
    if (++underlay.BurstTimer >= kUnderlayBurstTicks) {
        s.BoardPhase = PhaseClearing;
        s.MovingCount = kBurstTimerEnd;
        if (s.UnderlayCount == 0) s.UnderlayCleared = 1;
    }
    return out;
}
