#include "board/Refill.h"

void SettleColumns(TGameState& s) {
    s.FallGrid = {};
    auto& mask = s.MatchMask;
    int falling = 0;
    for (int c = 1; c <= BoardSize; ++c) {
        for (;;) {
            int lower = BoardSize;
            while (lower >= 1 && mask[c][lower] == 1) --lower;
            if (lower < 1) break;
            int upper = lower - 1;
            while (upper >= 1 && mask[c][upper] == 0) --upper;
            if (upper < 1) break;
            // A chip falls once: the cell it leaves becomes the hole the next search finds.
            s.FallGrid[c][upper] = uint16_t(lower);
            mask[c][lower] = 1;
            mask[c][upper] = 0;
            ++falling;
        }
    }
    s.MovePhase = falling;
}

void ApplyFalls(TGameState& s) {
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = BoardSize; r >= 1; --r) {
            int target = s.FallGrid[c][r];
            if (target == 0) continue;
            s.ColourGrid[c][target] = s.ColourGrid[c][r];
            s.BonusGrid[c][target] = s.BonusGrid[c][r];
        }
}

TBoardArray<int> ChooseRefillColours(const TGameState& s, TRandom& rng) {
    TBoardArray<int> t{};
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) t[c][r] = s.ColourGrid[c][r];
    auto onEdge = [](int c, int r) { return c == 1 || c == BoardSize || r == 1 || r == BoardSize; };
    int candidate = 0;
    for (int c = BoardSize; c >= 1; --c)
        for (int r = BoardSize; r >= 1; --r) {
            if (s.MatchMask[c][r] != 0) continue;
            if (onEdge(c, r)) {
                candidate = rng.Random(5) + 1;
            } else {
                // At most four colours are excluded, so a fifth is always left.
                while (candidate < 1 || candidate > 5 || candidate == t[c][r + 1] ||
                       candidate == t[c + 1][r] || candidate == t[c][r - 1] ||
                       candidate == t[c - 1][r])
                    candidate = rng.Random(5) + 1;
            }
            t[c][r] = candidate;
        }
    return t;
}

int RefillPointsPerCell(const TGameState& s) {
    return 3 * s.PointMultiplier2 * s.PointMultiplier5 * (s.ChainCount + 1);
}

void BeginRefill(TGameState& s) {
    s.TickLock = 1;
    s.BoardPhase = PhaseWaiting;
}

std::vector<TNewChip> FinishRefill(TGameState& s, TRandom& rng, int shuffleButtonsShown) {
    TBoardArray<int> colours = ChooseRefillColours(s, rng);
    std::vector<TNewChip> chips;
    int points = RefillPointsPerCell(s);
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) {
            if (s.MatchMask[c][r] != 0) continue;
            s.AddScore(points);
            s.ActiveSuperBonus = 0;
            TNewChip chip{{c, r}, colours[c][r], DrawBonusKind(s, rng, shuffleButtonsShown)};
            s.ColourGrid[c][r] = uint16_t(chip.colour);
            s.BonusGrid[c][r] = uint16_t(chip.bonusKind);
            chips.push_back(chip);
        }

    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) s.MatchMask[c][r] = 1;
    s.FallGrid = {};
    s.MovingCount = 0;
    s.FirstSelected = 0;
    s.SelX1 = s.SelY1 = s.SelX2 = s.SelY2 = 0;
    s.MovePhase = 0;
    s.PointMultiplier2 = s.PointMultiplier5 = 1;
    s.BoardPhase = PhaseCheckRefill;
    s.TickLock = 0;
    return chips;
}
