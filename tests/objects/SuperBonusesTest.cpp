#include "objects/BonusHelper.h"
#include "objects/DischargeBonus.h"
#include "objects/FireBonus.h"
#include "objects/MixturaBonus.h"
#include "objects/ObjectsRig.h"
#include "objects/PillsBonus.h"
#include "objects/ReagentBonus.h"
#include <set>

namespace {

// Two colours in a chequer, so no colour the tests place is there by chance.
void Chequer(ObjectsRig& rig) {
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r) rig.state.ColourGrid[c][r] = uint16_t((c + r) % 2 + 1);
}

std::string CellName(TCell cell) { return std::to_string(cell.c) + "," + std::to_string(cell.r); }

std::vector<std::string> Sorted(std::vector<std::string> cells) {
    std::sort(cells.begin(), cells.end());
    return cells;
}

// Places item n on the chip of cell (c, r), aimed as the player does it.
TSprite* Place(ObjectsRig& rig, int item, int c, int r) {
    const std::string image = "itemz" + std::to_string(item);
    rig.PointAt(int(rig.CellX(c)) + 10, int(rig.CellY(r)) + 10, image.c_str());
    rig.cursor->SetImageName("cursor"); // the chip puts the plain pointer back first
    rig.objects.CreateSuperBonus(item, rig.CellX(c), rig.CellY(r));
    return rig.objects.Last;
}

// Ticks until the board is handed back; the tick count, -1 when it never was. The board
// must stay in phase 1 meanwhile.
int RunToBurst(ObjectsRig& rig, int limit = 3000) {
    return rig.TickUntil(
        [&] {
            EXPECT_TRUE(rig.state.BoardPhase == PhaseSuperBonus ||
                        rig.state.BoardPhase == PhaseBurst);
            return rig.state.BoardPhase == PhaseBurst;
        },
        limit);
}

int SquaresShown(const tbonus_helper& guide, std::vector<std::string>* cells = nullptr) {
    int n = 0;
    for (int c = 1; c <= 8; ++c)
        for (int r = 1; r <= 8; ++r)
            if (guide.Squares[c][r]->Visible) {
                ++n;
                if (cells) cells->push_back(CellName({c, r}));
            }
    return n;
}

} // namespace

TEST(SuperBonusTest, EveryItemTakesTheBoardAndHandsItBackToTheBurst) {
    for (int item = 1; item <= 8; ++item) {
        for (bool farEdge : {false, true}) {
            ObjectsRig rig;
            Chequer(rig);
            rig.state.MatchMask[2][2] = 0;
            rig.state.InjectionMask[5][5] = 0;
            rig.state.SwapLocked = 1;
            const std::string image = "itemz" + std::to_string(item);
            // On the far edge the aim point lies one cell past the board.
            rig.PointAt(int(rig.CellX(8)) + (farEdge ? 50 : 0),
                        int(rig.CellY(8)) + (farEdge ? 50 : 0), image.c_str());
            rig.objects.CreateSuperBonus(item, rig.CellX(8), rig.CellY(8));
            TSprite* bonus = rig.objects.Last;
            ASSERT_NE(bonus, nullptr);
            EXPECT_EQ(rig.state.BoardPhase, PhaseSuperBonus);
            EXPECT_EQ(rig.state.SwapLocked, 0);
            // The injection takes the guide's record as it is; the others start afresh.
            if (item == 5)
                EXPECT_EQ(rig.state.MatchMask, rig.state.InjectionMask);
            else
                EXPECT_EQ(rig.state.MatchMask[2][2], 1) << item;
            EXPECT_GT(RunToBurst(rig), 0) << "item " << item;
            EXPECT_FALSE(rig.Marked().empty()) << "item " << item;
            rig.TickUntil([&] { return !rig.Alive(bonus); }, 100);
            EXPECT_FALSE(rig.Alive(bonus)) << item;
            // Blots and pills go with the burst; bubbles fade out on their own.
            rig.TickUntil([&] { return rig.engine.Count() == 1; }, 300);
            EXPECT_EQ(rig.engine.Count(), 1) << item; // the cursor
            EXPECT_EQ(rig.state.BoardPhase, PhaseBurst);
            // The effects they owned are stopped and cleared.
            for (int i = 0; i < rig.particles.Count(); ++i) {
                EXPECT_EQ(rig.particles.Items(i)->Name, "dontpaint");
                EXPECT_FALSE(rig.particles.Items(i)->Emitting()) << item;
                EXPECT_EQ(rig.particles.Items(i)->ParticleCount(), 0);
            }
        }
    }
}

TEST(SuperBonusTest, MixturaSendsABlotToEveryChipOfTheColour) {
    ObjectsRig rig;
    Chequer(rig);
    const std::vector<TCell> threes = {{1, 1}, {1, 8}, {8, 1}, {8, 8}, {4, 4}, {4, 5},
                                       {2, 7}, {3, 3}, {5, 2}, {6, 6}, {7, 3}, {2, 5}};
    std::vector<std::string> expected;
    for (TCell cell : threes) {
        rig.state.ColourGrid[cell.c][cell.r] = 3;
        expected.push_back(CellName(cell));
    }
    Place(rig, 1, 4, 4);
    EXPECT_EQ(rig.state.PendingTargets, 12);
    EXPECT_EQ(rig.CountOf<tklaksa>(), 12);
    rig.Sounds();
    int arrivals = 0;
    const int ticks = rig.TickUntil([&] {
        for (const std::string& s : rig.Sounds()) arrivals += s == "mixturago";
        if (rig.state.BoardPhase != PhaseBurst) EXPECT_GT(rig.state.PendingTargets, 0);
        return rig.state.BoardPhase == PhaseBurst;
    });
    ASSERT_GT(ticks, 0);
    EXPECT_EQ(rig.state.PendingTargets, 0);
    EXPECT_EQ(arrivals, 12);
    EXPECT_EQ(rig.Marked(), Sorted(expected));
    rig.Tick();
    EXPECT_EQ(rig.CountOf<tklaksa>(), 0);
}

TEST(SuperBonusTest, FireBurnsAPathOfFiveNeighbouringCells) {
    const TCell starts[] = {{1, 1}, {8, 1}, {1, 8}, {8, 8}, {4, 5}, {1, 4}};
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        ObjectsRig rig(seed);
        for (TCell start : starts) {
            const auto path = FirePath(rig.world, start);
            EXPECT_EQ(path[0], start);
            std::set<std::string> distinct;
            for (int i = 0; i < 5; ++i) {
                EXPECT_TRUE(OnBoard(path[i])) << "seed " << seed;
                distinct.insert(CellName(path[i]));
                if (i)
                    EXPECT_EQ(std::abs(path[i].c - path[i - 1].c) +
                                  std::abs(path[i].r - path[i - 1].r),
                              1);
            }
            EXPECT_EQ(distinct.size(), 5u) << "seed " << seed;
        }
    }
    // Without a generator the path is still one.
    ObjectsRig rig;
    rig.world.Rng = nullptr;
    const auto path = FirePath(rig.world, {1, 1});
    std::set<std::string> distinct;
    for (TCell cell : path) distinct.insert(CellName(cell));
    EXPECT_EQ(distinct.size(), 5u);

    for (uint64_t seed = 1; seed <= 20; ++seed) {
        ObjectsRig fire(seed);
        Chequer(fire);
        fire.state.SpeedFactor = seed % 2 ? 1.2 : 0.49;
        auto* bonus = dynamic_cast<t2coin_bonus*>(Place(fire, 2, 1 + seed % 8, 1 + seed / 3 % 8));
        ASSERT_NE(bonus, nullptr);
        std::vector<std::string> expected;
        for (TCell cell : bonus->Path) expected.push_back(CellName(cell));
        EXPECT_GT(RunToBurst(fire), 0);
        EXPECT_TRUE(bonus->IsDead);
        EXPECT_EQ(fire.Marked(), Sorted(expected)) << "seed " << seed;
    }
}

TEST(SuperBonusTest, DischargeStrikesFiveCellsInTheirOwnRowsAndColumns) {
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        ObjectsRig rig(seed);
        const TCell start{1 + int(seed % 8), 1 + int(seed / 8 % 8)};
        const auto cells = DischargeCells(rig.world, start);
        EXPECT_EQ(cells[0], start);
        std::set<int> columns, rows;
        for (TCell cell : cells) {
            EXPECT_TRUE(OnBoard(cell));
            columns.insert(cell.c);
            rows.insert(cell.r);
        }
        EXPECT_EQ(columns.size(), 5u) << "seed " << seed;
        EXPECT_EQ(rows.size(), 5u) << "seed " << seed;
    }
    // Every cell is struck at any frame rate, also where a tick carries the bolt over a
    // cell's centre or past the last one.
    for (double sf : {0.49, 1.0, 1.13, 1.2}) {
        for (uint64_t seed = 1; seed <= 40; ++seed) {
            ObjectsRig rig(seed);
            Chequer(rig);
            rig.state.SpeedFactor = sf;
            auto* bonus = dynamic_cast<t3coin_bonus*>(Place(rig, 3, 3, 6));
            ASSERT_NE(bonus, nullptr);
            std::vector<std::string> expected;
            for (TCell cell : bonus->Cells) expected.push_back(CellName(cell));
            const int ticks = RunToBurst(rig);
            EXPECT_NEAR(ticks, 95 / sf, 2);
            EXPECT_EQ(rig.Marked(), Sorted(expected)) << "sf " << sf << " seed " << seed;
        }
    }
}

TEST(SuperBonusTest, PillsWithOneOtherChipOfTheColourSendOnePill) {
    ObjectsRig rig;
    Chequer(rig);
    rig.state.ColourGrid[3][3] = 4;
    rig.state.ColourGrid[7][2] = 4;
    Place(rig, 6, 3, 3);
    EXPECT_EQ(rig.CountOf<ttabletkass>(), 1);
    EXPECT_EQ(rig.state.PendingTargets, 1);
    EXPECT_EQ(rig.Marked(), std::vector<std::string>{"3,3"});
    const int arrived = rig.TickUntil([&] { return rig.state.PendingTargets == 0; });
    ASSERT_GT(arrived, 0);
    EXPECT_EQ(rig.state.BoardPhase, PhaseSuperBonus);
    const int burst = RunToBurst(rig);
    EXPECT_EQ(burst, 8);
    EXPECT_EQ(rig.Marked(), (std::vector<std::string>{"3,3", "7,2"}));

    // With chips enough, two or three more go, the first in column order.
    std::set<int> counts;
    for (uint64_t seed = 1; seed <= 30; ++seed) {
        ObjectsRig many(seed);
        Chequer(many);
        Place(many, 6, 4, 4); // colour 1, 32 chips of it
        const int pills = many.CountOf<ttabletkass>();
        counts.insert(pills);
        EXPECT_GT(RunToBurst(many), 0);
        std::vector<std::string> expected = {"4,4", "1,1", "1,3", "1,5"};
        expected.resize(1 + pills);
        EXPECT_EQ(many.Marked(), Sorted(expected)) << "seed " << seed;
    }
    EXPECT_EQ(counts, (std::set<int>{2, 3}));
}

TEST(SuperBonusTest, UltravioletBeamCrossesTheAimedRow) {
    for (double sf : {1.0, 0.49, 1.2}) {
        ObjectsRig rig;
        Chequer(rig);
        rig.state.SpeedFactor = sf;
        TSprite* beam = Place(rig, 7, 6, 3);
        EXPECT_FLOAT_EQ(beam->X, 800);
        EXPECT_FLOAT_EQ(beam->Y, 50 + 2 * 64 + 32);
        EXPECT_TRUE(rig.Played("lazer"));
        const int ticks = RunToBurst(rig);
        EXPECT_TRUE(beam->IsDead);
        EXPECT_NEAR(ticks, 545 / (8 * sf), 1) << sf;
        EXPECT_EQ(rig.Marked(), (std::vector<std::string>{"1,3", "2,3", "3,3", "4,3", "5,3", "6,3",
                                                          "7,3", "8,3"}));
    }
}

TEST(SuperBonusTest, UltraSoundStrikesTheChosenColumnAfterASecond) {
    ObjectsRig rig;
    Chequer(rig);
    TSprite* wave = Place(rig, 8, 5, 7);
    EXPECT_FLOAT_EQ(wave->X, rig.CellX(5) + 32);
    EXPECT_FLOAT_EQ(wave->Y, -20);
    for (int i = 0; i < 100; ++i) rig.Tick();
    EXPECT_TRUE(rig.Marked().empty());
    rig.Tick();
    EXPECT_EQ(rig.Marked(),
              (std::vector<std::string>{"5,1", "5,2", "5,3", "5,4", "5,5", "5,6", "5,7", "5,8"}));
    EXPECT_EQ(RunToBurst(rig), 10); // dies on the 111th tick
}

TEST(SuperBonusTest, InjectionClearsTheBlockTheGuideShowed) {
    ObjectsRig rig;
    Chequer(rig);
    rig.objects.CreateAimingGuide(258, 48);
    auto* guide = dynamic_cast<tbonus_helper*>(rig.objects.Last);
    rig.PointAt(int(rig.CellX(1)) + 10, int(rig.CellY(1)) + 10, "itemz5");
    rig.Tick();
    std::vector<std::string> shown;
    EXPECT_EQ(SquaresShown(*guide, &shown), 4);
    EXPECT_EQ(shown, (std::vector<std::string>{"1,1", "1,2", "2,1", "2,2"}));
    rig.cursor->SetImageName("cursor");
    rig.objects.CreateSuperBonus(5, rig.CellX(1), rig.CellY(1));
    EXPECT_EQ(rig.Marked(), shown);
    EXPECT_EQ(RunToBurst(rig), 11);
    EXPECT_EQ(rig.Marked(), shown);
}

// The guide's single scan takes colour 1, 2, ... in column order as it meets them, and the
// aimed chip's colour only at the aimed chip.
TEST(SuperBonusTest, ReagentDissolvesOneChipOfEachColour) {
    struct Case {
        const char* name;
        std::vector<std::pair<TCell, int>> colours; // on a board of colour 1
        TCell aimed;
        std::vector<std::string> expected;
        int recorded;
    };
    const Case cases[] = {
        // Every colour met in order: the recorded cells, not the first of each colour.
        {"recorded",
         {{{1, 2}, 2}, {{1, 3}, 4}, {{4, 4}, 3}, {{4, 5}, 4}, {{4, 6}, 5}, {{2, 2}, 5}},
         {4, 4},
         {"1,1", "1,2", "4,4", "4,5", "4,6"},
         5},
        // Aimed at colour 1 after the other colours: the scan records only the aimed chip;
        // the others take their first chip, and colour 5, absent, gets no bubble.
        {"unrecorded",
         {{{1, 1}, 2}, {{2, 3}, 3}, {{3, 2}, 4}},
         {5, 5},
         {"1,1", "2,3", "3,2", "5,5"},
         1},
    };
    for (const Case& c : cases) {
        ObjectsRig rig;
        for (int col = 1; col <= 8; ++col)
            for (int r = 1; r <= 8; ++r) rig.state.ColourGrid[col][r] = 1;
        for (const auto& [cell, colour] : c.colours)
            rig.state.ColourGrid[cell.c][cell.r] = uint16_t(colour);
        // A record from an earlier aim must not survive.
        rig.state.ReagentTargets[5] = {8, 8};
        rig.objects.CreateAimingGuide(258, 48);
        auto* guide = dynamic_cast<tbonus_helper*>(rig.objects.Last);
        rig.PointAt(int(rig.CellX(c.aimed.c)) + 10, int(rig.CellY(c.aimed.r)) + 10, "itemz4");
        rig.Tick();
        EXPECT_EQ(SquaresShown(*guide), c.recorded) << c.name;
        rig.cursor->SetImageName("cursor");
        rig.objects.CreateSuperBonus(4, rig.CellX(c.aimed.c), rig.CellY(c.aimed.r));
        EXPECT_EQ(rig.state.PendingTargets, int(c.expected.size())) << c.name;
        EXPECT_EQ(rig.CountOf<tbubble>(), int(c.expected.size()));
        EXPECT_GT(RunToBurst(rig), 0) << c.name;
        EXPECT_EQ(rig.Marked(), Sorted(c.expected)) << c.name;
    }
}

TEST(SuperBonusTest, GuideShowsWhatTheArmedItemWouldHit) {
    struct Case {
        const char* image;
        int x, y; // the cursor's own point
        std::vector<std::string> cells;
    };
    // Aim point = cursor + 20; cell (3, 4) starts at (388, 242).
    const Case cases[] = {
        {"cursor", 400, 250, {"3,4"}},
        {"itemz7", 380, 240, {"1,4", "2,4", "3,4", "4,4", "5,4", "6,4", "7,4", "8,4"}},
        {"ITEMZ8", 380, 240, {"3,1", "3,2", "3,3", "3,4", "3,5", "3,6", "3,7", "3,8"}},
        {"itemz1", 380, 240, {"3,4", "8,1"}},
        {"itemz5", 380, 240, {"2,3", "2,4", "2,5", "3,3", "3,4", "3,5", "4,3", "4,4", "4,5"}},
        {"itemz2", 380, 240, {}},
        {"itemz3", 380, 240, {}},
        {"itemz6", 380, 240, {}},
        {"itemz7", 250, 240, {}}, // the cursor's point left of the board
        {"itemz7", 770, 240, {}}, // the aim point right of it
    };
    for (const Case& c : cases) {
        ObjectsRig rig;
        Chequer(rig);
        rig.state.ColourGrid[3][4] = 5;
        rig.state.ColourGrid[8][1] = 5;
        rig.objects.CreateAimingGuide(258, 48);
        auto* guide = dynamic_cast<tbonus_helper*>(rig.objects.Last);
        rig.cursor->SetImageName(c.image);
        rig.window.mouseX = c.x + (std::string(c.image) == "cursor" ? 0 : 20);
        rig.window.mouseY = c.y + (std::string(c.image) == "cursor" ? 0 : 20);
        rig.cursor->Move(0);
        rig.Tick();
        std::vector<std::string> shown;
        SquaresShown(*guide, &shown);
        EXPECT_EQ(shown, Sorted(c.cells)) << c.image << " at " << c.x;
    }
    // The squares pulse between 200 and 250.
    ObjectsRig rig;
    rig.objects.CreateAimingGuide(258, 48);
    auto* guide = dynamic_cast<tbonus_helper*>(rig.objects.Last);
    EXPECT_FLOAT_EQ(guide->Squares[8][8]->X, 258 + 7 * 64);
    int low = 255, high = 0;
    for (int i = 0; i < 400; ++i) {
        rig.Tick();
        if (i > 40) {
            low = std::min(low, guide->Squares[1][1]->Alpha);
            high = std::max(high, guide->Squares[1][1]->Alpha);
        }
    }
    EXPECT_NEAR(low, 200, 3);
    EXPECT_NEAR(high, 250, 3);
}
