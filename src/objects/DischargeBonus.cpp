#include "objects/DischargeBonus.h"
#include "board/BoardModel.h"
#include <algorithm>
#include <cmath>

namespace {

// Uniform in 1..8 among the values `taken` does not hold.
int FreeIndex(const TGameWorld& world, const std::array<bool, 9>& taken) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const int v = RandomInt(world, 8) + 1;
        if (!taken[v]) return v;
    }
    for (int v = 1; v <= 8; ++v)
        if (!taken[v]) return v;
    return 1;
}

} // namespace

std::array<TCell, 5> DischargeCells(const TGameWorld& world, TCell start) {
    std::array<TCell, 5> cells;
    std::array<bool, 9> columns{}, rows{};
    cells[0] = ClampToBoard(start);
    columns[cells[0].c] = rows[cells[0].r] = true;
    for (int k = 1; k < 5; ++k) {
        cells[k].c = FreeIndex(world, columns);
        cells[k].r = FreeIndex(world, rows);
        columns[cells[k].c] = rows[cells[k].r] = true;
    }
    return cells;
}

t3coin_bonus::t3coin_bonus(TGameWorld& world, float x, float y)
    : TSuperBonus(world, x, y, "nothing"), Cells(DischargeCells(world, AimedCell(world, x, y))) {
    for (int k = 1; k <= 5; ++k) {
        Path[24 * k][0] = CellX(State, Cells[k - 1].c) + 32;
        Path[24 * k][1] = CellY(State, Cells[k - 1].r) + 32;
    }
    for (int j = 25; j < 120; ++j) {
        if (j % 24 == 0) continue;
        const int k = j / 24;
        for (int a = 0; a < 2; ++a)
            Path[j][a] = Path[j - 1][a] + (Path[24 * (k + 1)][a] - Path[24 * k][a]) / 24;
    }
    X = float(Path[25][0]);
    Y = float(Path[25][1]);
    MarkCell(State, CellUnder(State, Path[25][0], Path[25][1]));
    Effect.Start(world, "molnia.pss", X, Y);
}

void t3coin_bonus::Move(float Delta) {
    if (IsDead) return;
    Effect.MoveTo(X, Y);
    Progress += State.SpeedFactor;
    // Below 70 frames a second the progress advances more than one point per tick and its
    // rounding can step over a centre: every centre passed since the last tick is marked,
    // the last cell's too when the bolt ends by stepping past it.
    const int n = int(std::lround(std::min(Progress, 120.0)));
    for (int m = Reached + 1; m <= n; ++m)
        if (m % 24 == 0) MarkCell(State, CellUnder(State, Path[m][0], Path[m][1]));
    Reached = std::max(Reached, n);
    if (Progress > 120) {
        Dead();
        return;
    }
    if (n % 24 <= State.SpeedFactor) World.PlayEffect("lightning");
    X = float(Path[n][0]);
    Y = float(Path[n][1]);
}

void t3coin_bonus::Dead() {
    if (!IsDead) HandBack();
    TSuperBonus::Dead();
}
