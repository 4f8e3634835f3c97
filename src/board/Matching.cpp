#include "board/Matching.h"
#include <array>

namespace {

constexpr TStep kBelow{0, 1}, kAbove{0, -1}, kLeft{-1, 0}, kRight{1, 0};
constexpr TStep kBelowRight{1, 1}, kBelowLeft{-1, 1}, kAboveRight{1, -1}, kAboveLeft{-1, -1};

constexpr TStep kInside[] = {kBelow,     kBelowRight, kRight, kAboveRight,
                             kAboveLeft, kBelowLeft,  kLeft,  kAbove};
constexpr TStep kLeftEdge[] = {kBelow, kBelowRight, kRight, kAboveRight, kAbove};
constexpr TStep kRightEdge[] = {kBelow, kBelowLeft, kLeft, kAboveLeft, kAbove};
constexpr TStep kTopEdge[] = {kRight, kBelowRight, kBelow, kBelowLeft, kLeft};
constexpr TStep kBottomEdge[] = {kRight, kAboveRight, kAbove, kAboveLeft, kLeft};
constexpr TStep kTopLeft[] = {kBelow, kBelowRight, kRight};
constexpr TStep kBottomLeft[] = {kAbove, kAboveRight, kRight};
constexpr TStep kTopRight[] = {kLeft, kBelowLeft, kBelow};
constexpr TStep kBottomRight[] = {kLeft, kAboveLeft, kAbove};

// [column class][row class]; class 0 inside, 1 first, 2 last.
const std::array<std::array<std::span<const TStep>, 3>, 3> kBlastTable = {{
    {{kInside, kTopEdge, kBottomEdge}},
    {{kLeftEdge, kTopLeft, kBottomLeft}},
    {{kRightEdge, kTopRight, kBottomRight}},
}};

int EdgeClass(int i) { return i == 1 ? 1 : i == BoardSize ? 2 : 0; }

// One move pattern: the colour of the pair's first or second cell must equal two further
// cells, read at offsets from the first cell, and the pattern is only tried for first cells
// inside [cMin, cMax] x [rMin, rMax].
struct TPattern {
    bool useSecond;
    TStep a, b;
    int cMin, cMax, rMin, rMax;
};

// Bounds exactly as the original tested them: V2 and H2 are one cell stricter than the
// cells they read, so a pair in row 7 never uses V2 and a pair from column 7 never H2.
constexpr TPattern kVertical[6] = {
    {false, {0, 2}, {0, 3}, 1, 8, 1, 5},   // V1 upper chip down, column below
    {false, {1, 1}, {2, 1}, 1, 6, 1, 6},   // V2 upper chip down, row to the right
    {false, {-1, 1}, {-2, 1}, 3, 8, 1, 8}, // V3 upper chip down, row to the left
    {true, {0, -1}, {0, -2}, 1, 8, 3, 8},  // V4 lower chip up, column above
    {true, {1, 0}, {2, 0}, 1, 6, 1, 8},    // V5 lower chip up, row to the right
    {true, {-1, 0}, {-2, 0}, 3, 8, 1, 8},  // V6 lower chip up, row to the left
};
constexpr TPattern kHorizontal[6] = {
    {false, {2, 0}, {3, 0}, 1, 5, 1, 8},   // H1 left chip right, row beyond
    {false, {1, 1}, {1, 2}, 1, 6, 1, 6},   // H2 left chip right, column below
    {false, {1, -1}, {1, -2}, 1, 8, 3, 8}, // H3 left chip right, column above
    {true, {-1, 0}, {-2, 0}, 3, 8, 1, 8},  // H4 right chip left, row before
    {true, {0, 1}, {0, 2}, 1, 8, 1, 6},    // H5 right chip left, column below
    {true, {0, -1}, {0, -2}, 1, 8, 3, 8},  // H6 right chip left, column above
};

std::optional<int> MatchPair(const TGameState& s, TCell first, TCell second,
                             const TPattern (&patterns)[6]) {
    const auto& g = s.ColourGrid;
    int b = g[first.c][first.r];
    int d = g[second.c][second.r];
    if (b == d) return std::nullopt;
    for (int i = 0; i < 6; ++i) {
        const TPattern& p = patterns[i];
        if (first.c < p.cMin || first.c > p.cMax || first.r < p.rMin || first.r > p.rMax) continue;
        int colour = p.useSecond ? d : b;
        if (colour != 0 && g[first.c + p.a.dc][first.r + p.a.dr] == colour &&
            g[first.c + p.b.dc][first.r + p.b.dr] == colour)
            return i;
    }
    return std::nullopt;
}

} // namespace

std::span<const TStep> BlastNeighbours(TCell cell) {
    return kBlastTable[EdgeClass(cell.c)][EdgeClass(cell.r)];
}

bool FindMatches(TGameState& s, TRandom& rng) {
    s.MovePhase = 0;
    const auto& g = s.ColourGrid;
    auto& mask = s.MatchMask;
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) mask[c][r] = 1;

    bool marked = false;
    auto markTriple = [&](TCell a, TStep step) {
        int colour = g[a.c][a.r];
        if (colour == 0) return;
        for (int k = 1; k <= 2; ++k)
            if (g[a.c + k * step.dc][a.r + k * step.dr] != colour) return;
        for (int k = 0; k <= 2; ++k) mask[a.c + k * step.dc][a.r + k * step.dr] = 0;
        marked = true;
    };
    // Longer lines are found as overlapping triples.
    for (int c = 1; c <= BoardSize - 2; ++c)
        for (int r = 1; r <= BoardSize; ++r) markTriple({c, r}, kRight);
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize - 2; ++r) markTriple({c, r}, kBelow);
    if (!marked) return false;

    // Column by column, so a blast chip caught by an earlier blast goes off in turn when the
    // scan reaches it; one caught behind the scan does not.
    for (int c = 1; c <= BoardSize; ++c)
        for (int r = 1; r <= BoardSize; ++r) {
            if (mask[c][r] != 0 || s.BonusGrid[c][r] != 2) continue;
            std::span<const TStep> choices = BlastNeighbours({c, r});
            TStep step = choices[rng.Random(int(choices.size()))];
            mask[c + step.dc][r + step.dr] = 0;
        }

    s.MovingCount = 0;
    return true;
}

namespace {

// Every pair in the hint's scan order; `visit` returns true to stop the scan.
template <typename Visit> void ScanMoves(const TGameState& s, Visit visit) {
    for (int i = 1; i <= BoardSize - 1; ++i)
        for (int j = 1; j <= BoardSize; ++j) {
            TCell upper{j, i}, lower{j, i + 1};
            if (auto p = MatchPair(s, upper, lower, kVertical))
                if (visit(TMoveFound{upper, lower, *p})) return;
            TCell left{i, j}, right{i + 1, j};
            if (auto p = MatchPair(s, left, right, kHorizontal))
                if (visit(TMoveFound{left, right, 6 + *p})) return;
        }
}

} // namespace

std::optional<TMoveFound> FindFirstMove(const TGameState& s) {
    std::optional<TMoveFound> first;
    ScanMoves(s, [&](const TMoveFound& m) {
        first = m;
        return true;
    });
    return first;
}

std::vector<TMoveFound> FindAllMoves(const TGameState& s) {
    std::vector<TMoveFound> moves;
    ScanMoves(s, [&](const TMoveFound& m) {
        moves.push_back(m);
        return false;
    });
    return moves;
}

bool HasNoMove(const TGameState& s, int shuffleButtonsShown) {
    return !FindFirstMove(s) && shuffleButtonsShown <= 0;
}
