#include "objects/FireBonus.h"
#include "board/BoardModel.h"
#include <cmath>

namespace {

constexpr TCell kSteps[4] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}}; // by axis, then direction

bool ValidPath(const std::array<TCell, 5>& path) {
    for (int i = 0; i < 5; ++i) {
        if (!OnBoard(path[i])) return false;
        for (int j = 0; j < i; ++j)
            if (path[i] == path[j]) return false;
    }
    return true;
}

// The first path in a fixed order of steps; only for a generator that never finds one.
bool SearchPath(std::array<TCell, 5>& path, int i) {
    if (i == 5) return true;
    for (const TCell& d : kSteps) {
        path[i] = {path[i - 1].c + d.c, path[i - 1].r + d.r};
        bool fresh = OnBoard(path[i]);
        for (int j = 0; j < i && fresh; ++j) fresh = !(path[i] == path[j]);
        if (fresh && SearchPath(path, i + 1)) return true;
    }
    return false;
}

} // namespace

std::array<TCell, 5> FirePath(const TGameWorld& world, TCell start) {
    std::array<TCell, 5> path;
    path[0] = ClampToBoard(start);
    // From a corner about one path in ten survives; a thousand tries never all fail with a
    // working generator.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        for (int i = 1; i < 5; ++i) {
            const int axis = RandomInt(world, 2), direction = RandomInt(world, 2);
            const TCell& d = kSteps[axis * 2 + direction];
            path[i] = {path[i - 1].c + d.c, path[i - 1].r + d.r};
        }
        if (ValidPath(path)) return path;
    }
    SearchPath(path, 1);
    return path;
}

t2coin_bonus::t2coin_bonus(TGameWorld& world, float x, float y)
    : TSuperBonus(world, x, y, "nothing"), Path(FirePath(world, AimedCell(world, x, y))) {
    X = CellX(State, Path[0].c);
    Y = CellY(State, Path[0].r);
    MarkCell(State, Path[0]);
    world.PlayEffect("firego");
    Effect.Start(world, "ugol.pss", X + 32, Y + 32);
}

void t2coin_bonus::Move(float Delta) {
    if (IsDead) return;
    const double sf = State.SpeedFactor;
    const double tx = CellX(State, Path[Next].c), ty = CellY(State, Path[Next].r);
    if (std::abs(X - tx) <= 16 * sf && std::abs(Y - ty) <= 16 * sf) MarkCell(State, Path[Next]);
    const double step = 4 * sf;
    if (std::abs(X - tx) > step || std::abs(Y - ty) > step) {
        if (std::abs(X - tx) > step) X += float(X < tx ? step : -step);
        if (std::abs(Y - ty) > step) Y += float(Y < ty ? step : -step);
    } else {
        X = float(tx);
        Y = float(ty);
        if (++Next == 5) Dead();
    }
    Effect.MoveTo(X + 32, Y + 32);
}

void t2coin_bonus::Dead() {
    if (!IsDead) HandBack();
    TSuperBonus::Dead();
}
