#include "board/BoardPhases.h"
#include "board/BoardSpriteRig.h"
#include "board/tfing.h"
#include <gtest/gtest.h>

namespace {

// Swapping (3,3) with (4,3) makes a line; nothing earlier in the search's order does.
constexpr TPicture kOneMoveBoard = {"45123451", "12325123", "34142345", "51214512",
                                    "23412234", "45123451", "12345123", "34512345"};
// Its one move, (2,8) with (2,7), completes row 8 by its middle cell: the patterns miss it.
constexpr TPicture kMiddleMoveBoard = {"45123451", "12345123", "34512345", "51234512",
                                       "23451234", "45123451", "12345123", "24212345"};

} // namespace

TEST(HintTest, TheButtonSpendsAThousandOnlyWhenTheBoardWaits) {
    struct Case {
        const char* what;
        int score;
        int phase;
        const TPicture* board;
        int scoreAfter;
        bool arrow;
    };
    const Case cases[] = {
        {"too few points", 999, PhaseWaiting, &kOneMoveBoard, 999, false},
        {"chips moving", 5000, PhaseMoving, &kOneMoveBoard, 5000, false},
        {"only a middle move", 5000, PhaseWaiting, &kMiddleMoveBoard, 4000, false},
        {"a move", 1000, PhaseWaiting, &kOneMoveBoard, 0, true},
    };
    for (const Case& c : cases) {
        BoardRig rig;
        SetColours(rig.state, *c.board);
        rig.state.SetScore(c.score);
        rig.state.BoardPhase = c.phase;
        HintButtonClick(rig.world);
        EXPECT_EQ(rig.state.GetScore(), c.scoreAfter) << c.what;
        std::vector<tfing*> arrows = rig.Live<tfing>();
        ASSERT_EQ(arrows.size(), c.arrow ? 1u : 0u) << c.what;
        if (!c.arrow) continue;
        // Across the border between (3,3) and (4,3), lying flat.
        EXPECT_FLOAT_EQ(arrows[0]->X, 260 + 3 * 64);
        EXPECT_FLOAT_EQ(arrows[0]->Y, 50 + 2 * 64);
        EXPECT_FLOAT_EQ(arrows[0]->Angle, 0);
        EXPECT_EQ(arrows[0]->ImageName, "strelka");
        EXPECT_EQ(arrows[0]->DrawMode, 1);
        EXPECT_EQ(arrows[0]->Z, 4);
    }
}

TEST(HintTest, TheArrowRocksAndGoesAtTheNextPress) {
    BoardRig rig;
    // Standing up for a vertical pair, midway between the cells.
    auto* arrow = new tfing(rig.engine.get(), rig.world, 324, 114, 324, 178);
    EXPECT_FLOAT_EQ(arrow->X, 324);
    EXPECT_FLOAT_EQ(arrow->Y, 178);
    EXPECT_FLOAT_EQ(arrow->Angle, 4.712389f);
    double low = 0, high = 0;
    for (int i = 0; i < 200; ++i) {
        rig.Frame();
        low = std::min(low, arrow->Angle - arrow->BaseAngle);
        high = std::max(high, arrow->Angle - arrow->BaseAngle);
    }
    EXPECT_NEAR(high, 0.16, 0.002);
    EXPECT_NEAR(low, -0.16, 0.002);
    EXPECT_FALSE(arrow->IsDead);
    rig.state.MouseHeld = 1;
    rig.Frame();
    EXPECT_TRUE(arrow->IsDead);

    auto* second = new tfing(rig.engine.get(), rig.world, 260, 50, 324, 50);
    rig.state.MouseHeld = 0;
    rig.state.BoardPhase = PhaseMoving;
    rig.Frame();
    EXPECT_TRUE(second->IsDead) << "gone as soon as the board moves";
}
