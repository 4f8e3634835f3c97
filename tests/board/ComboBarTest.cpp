#include "board/BoardPhases.h"
#include "board/BoardSpriteRig.h"
#include "engine/TextUtil.h"
#include <gtest/gtest.h>
#include <numbers>

TEST(ComboBarTest, ItemsArePickedUpOnlyInPlayWithThePlainPointer) {
    struct Case {
        const char* what;
        int screenState;
        const char* cursorImage;
        bool rightButton;
        bool picked;
    };
    const Case cases[] = {
        {"in play", 13, "cursor", false, true},
        {"paused", 18, "cursor", false, false},
        {"carrying an item", 13, "itemz1", false, false},
        {"right button down", 13, "cursor", true, false},
    };
    for (const Case& c : cases) {
        BoardRig rig;
        rig.state.SuperBonusCount[3] = 2;
        rig.state.SuperBonusCount[1] = 1;
        auto* bar = new tkombobar(rig.engine.get(), rig.world, 15, 360);
        rig.state.ScreenState = c.screenState;
        rig.cursor->SetImageName(c.cursorImage);
        // Inside item 3's hover box; the box uses the cursor's own corner.
        const float offset = SameText(c.cursorImage, "cursor") ? 0 : 20;
        rig.window.mouseX = int(200 + offset);
        rig.window.mouseY = int(450 + offset);
        rig.Frame();
        rig.state.MouseHeld = 1;
        rig.state.RightButtonHeld = c.rightButton;
        rig.Frame();
        EXPECT_EQ(rig.state.SuperBonusCount[3], c.picked ? 1 : 2) << c.what;
        if (c.picked) {
            EXPECT_EQ(rig.cursor->ImageName, "itemz3");
            EXPECT_FLOAT_EQ(rig.cursor->ScaleX, 0.6f);
        } else {
            EXPECT_EQ(rig.cursor->ImageName, c.cursorImage) << c.what;
        }
        // Hovered, whether or not it could be taken.
        EXPECT_TRUE(bar->ItemSprites[3]->DoAnimate) << c.what;
        EXPECT_FALSE(bar->ItemSprites[1]->DoAnimate) << c.what;
        EXPECT_TRUE(bar->Highlight->Visible) << c.what;
        EXPECT_FLOAT_EQ(bar->Highlight->X, 195);
        EXPECT_FLOAT_EQ(bar->Highlight->Y, 451);
        EXPECT_FLOAT_EQ(bar->Highlight->Angle, float(std::numbers::pi / 2));
    }
}

TEST(ComboBarTest, AnItemWithNoneLeftShowsItsGreyedPicture) {
    BoardRig rig;
    rig.state.SuperBonusCount[5] = 1;
    auto* bar = new tkombobar(rig.engine.get(), rig.world, 15, 360);
    rig.Frame();
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(bar->ItemSprites[n]->Visible, n == 5) << n;
        EXPECT_EQ(bar->DisabledSprites[n]->Visible, n != 5) << n;
    }
    EXPECT_FALSE(bar->Highlight->Visible);
    // Item 5 at (50, 510) picked up with its last one: greyed at once.
    rig.window.mouseX = 100;
    rig.window.mouseY = 545;
    rig.Frame();
    rig.state.MouseHeld = 1;
    rig.Frame();
    EXPECT_EQ(rig.state.SuperBonusCount[5], 0);
    EXPECT_EQ(rig.cursor->ImageName, "itemz5");
    EXPECT_FALSE(bar->ItemSprites[5]->Visible);
    EXPECT_TRUE(bar->DisabledSprites[5]->Visible);
    // With nothing left it cannot be taken again, whatever the pointer shows.
    rig.cursor->SetImageName("cursor");
    rig.Frames(2);
    EXPECT_EQ(rig.state.SuperBonusCount[5], 0);
    EXPECT_EQ(rig.cursor->ImageName, "cursor");
}

TEST(ComboBarTest, AFullBarPaysAndSpinsTheReelsOneByOne) {
    BoardRig rig;
    auto* bar = new tkombobar(rig.engine.get(), rig.world, 15, 360);
    rig.state.ComboProgress = 50;
    rig.Frame();
    // Growing from the bar's left end at bar X + 30.
    EXPECT_FLOAT_EQ(bar->ProgressSprite->ScaleX, 0.5f);
    EXPECT_FLOAT_EQ(bar->ProgressSprite->X, 0.5f * 80.5f + 15 + 30 - 80.5f);
    for (TSprite* reel : bar->Reels) EXPECT_TRUE(reel->ImageName.empty());

    rig.state.ComboProgress = 100;
    rig.Frame();
    EXPECT_EQ(rig.state.GetScore(), 1000);
    EXPECT_EQ(rig.state.ComboProgress, 0);
    EXPECT_TRUE(bar->ReelsRunning);
    auto spun = [&] {
        int n = 0;
        for (TSprite* reel : bar->Reels) n += !reel->ImageName.empty() && reel->Visible;
        return n;
    };
    std::vector<int> spunAt;
    for (int frame = 1; frame <= 310; ++frame) {
        const int before = spun();
        rig.Frame();
        if (spun() != before) spunAt.push_back(frame);
    }
    EXPECT_EQ(spunAt, (std::vector<int>{100, 200, 300}));
    EXPECT_FALSE(bar->ReelsRunning);
    for (TSprite* reel : bar->Reels) {
        ASSERT_EQ(reel->ImageName.size(), 2u);
        EXPECT_EQ(reel->ImageName[0], 'c');
        EXPECT_GE(reel->ImageName[1], '1');
        EXPECT_LE(reel->ImageName[1], '6');
    }
    EXPECT_EQ(rig.state.GetScore(), 1000) << "paid once";
}

TEST(ComboBarTest, LeavingPlaySlidesTheBarOffTheScreen) {
    BoardRig rig;
    rig.state.SuperBonusCount[2] = 3;
    auto* bar = new tkombobar(rig.engine.get(), rig.world, 15, 360);
    rig.Frame();
    const float arrowFromBar = bar->Arrow->X - bar->X;
    rig.state.LeavingPlay = 1;
    rig.Frame();
    EXPECT_FLOAT_EQ(bar->X, 11);
    EXPECT_FALSE(bar->ItemSprites[2]->Visible);
    for (int n = 1; n <= 8; ++n) EXPECT_TRUE(bar->DisabledSprites[n]->Visible) << n;
    EXPECT_FLOAT_EQ(bar->DisabledSprites[1]->X, 52);
    rig.Frames(100);
    // Stops once its whole width (230) is past the left edge.
    EXPECT_LE(bar->X, -230);
    EXPECT_GT(bar->X, -234);
    EXPECT_FLOAT_EQ(bar->Arrow->X - bar->X, arrowFromBar) << "the arrow leaves with the bar";
    // Meanwhile the board's checks are not run.
    rig.state.BoardPhase = PhaseCheckSwap;
    rig.Frame();
    EXPECT_EQ(rig.state.BoardPhase, PhaseCheckSwap);
}

TEST(ComboBarTest, EachBurstRaisesItsPointsLabelsOnce) {
    BoardRig rig;
    new tkombobar(rig.engine.get(), rig.world, 15, 360);
    SetMask(rig.state, {"........", "........", "........", "..xxx...", "........", "........",
                        "........", "........"});
    rig.state.ChainCount = 1;
    rig.state.BoardPhase = PhaseBurst;
    rig.Frames(5);
    ASSERT_EQ(rig.hooks.money.size(), 3u);
    EXPECT_EQ(rig.hooks.money[0], (RecordingHooks::TPlaced{6, 260 + 3 * 64 - 5, 50 + 4 * 64 - 69}));
    // A super-bonus hands over to the burst without a second set; the next burst gets its own.
    rig.state.BoardPhase = PhaseSuperBonus;
    rig.Frame();
    rig.state.BoardPhase = PhaseBurst;
    rig.Frame();
    EXPECT_EQ(rig.hooks.money.size(), 3u);
    rig.state.BoardPhase = PhaseClearing;
    rig.Frame();
    rig.state.BoardPhase = PhaseBurst;
    rig.Frame();
    EXPECT_EQ(rig.hooks.money.size(), 6u);
}
