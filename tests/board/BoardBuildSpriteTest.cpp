#include "board/BoardSpriteRig.h"
#include "board/tzadnik.h"
#include "engine/GuiBase.h"
#include <gtest/gtest.h>

namespace {

// The playing screen's controls the board shows and hides, all hidden at first.
struct PlayingControls {
    TGuiOwner owner;
    TGuiBase gui{&owner};
    PlayingControls() {
        for (const char* name : {"L_form", "G_mix1", "G_mix2", "G_mix3", "G_help"}) {
            auto* control = new TGuiControl(&gui.Root());
            control->Name = name;
            control->Hide();
        }
    }
    bool Shown(const char* name) { return gui.FindControl(name)->Visible(); }
};

} // namespace

TEST(BoardBuildSpriteTest, TheLevelStartBuildsTheBoardOnceTheBackgroundHasFadedIn) {
    BoardRig rig;
    PlayingControls controls;
    rig.world.Gui = &controls.gui;
    rig.state.LevelTimeLeft = 235;
    rig.state.MouseHeld = 1;
    tzadnik* board = BuildLevelBoard(rig.world);
    EXPECT_FLOAT_EQ(board->X, 245);
    EXPECT_FLOAT_EQ(board->Y, 35);
    EXPECT_FLOAT_EQ(board->Backdrop->X, 215);
    EXPECT_FLOAT_EQ(board->Backdrop->ScaleX, 0.92f);
    EXPECT_EQ(board->Alpha, 0);
    EXPECT_EQ(rig.state.BonusPoolTotal, 36) << "the easy pool";
    // The backdrop lies under the tray.
    const auto& sprites = rig.engine->Sprites;
    EXPECT_LT(std::find(sprites.begin(), sprites.end(), board->Backdrop),
              std::find(sprites.begin(), sprites.end(), board));

    // 3 a frame: 84 frames to 250.
    const int frames = rig.RunUntil([&] { return board->Built; });
    EXPECT_EQ(frames, 84);
    EXPECT_EQ(board->Alpha, 255);
    EXPECT_EQ(board->Backdrop->Alpha, 255);
    ASSERT_NE(board->Underlay, nullptr);
    ASSERT_NE(board->ComboBar, nullptr);
    EXPECT_FLOAT_EQ(board->ComboBar->X, 15);
    EXPECT_FLOAT_EQ(board->ComboBar->Y, 360);
    EXPECT_EQ(rig.hooks.levelObjects, 1);
    EXPECT_EQ(rig.Chips().size(), 64u);
    EXPECT_EQ(rig.state.UnderlayCount, 4);
    EXPECT_EQ(rig.state.MouseHeld, 0);
    for (const char* name : {"L_form", "G_mix1", "G_mix2", "G_mix3"})
        EXPECT_TRUE(controls.Shown(name)) << name;
    EXPECT_EQ(controls.gui.Root().Child(0)->Name, "L_form") << "brought to front";
    // The level-1 tiles: the middle square, set 1.
    EXPECT_EQ(board->Underlay->Tiles[4][4]->ImageName, "podlozhka11");
    EXPECT_FLOAT_EQ(board->Underlay->Tiles[4][4]->X, 260 + 3 * 64 - 2);
    EXPECT_TRUE(board->Underlay->Tiles[1][1]->ImageName.empty());

    EXPECT_GE(rig.RunUntil([&] { return rig.state.GrowingCount == 0; }), 0);
    // Grown in, the chips have written the board the build dealt.
    for (TFishka* chip : rig.Chips()) {
        const TCell cell = CellAtPosition(rig.state, chip->X, chip->Y);
        EXPECT_EQ(rig.state.ColourGrid[cell.c][cell.r], chip->Colour);
    }
    rig.Frames(5);
    EXPECT_EQ(rig.hooks.levelObjects, 1) << "built once";

    // The hint button shows while the score can pay for a hint.
    EXPECT_FALSE(controls.Shown("G_help"));
    rig.state.SetScore(1000);
    rig.Frame();
    EXPECT_TRUE(controls.Shown("G_help"));
    rig.state.SetScore(999);
    rig.Frame();
    EXPECT_FALSE(controls.Shown("G_help"));

    // Each object takes its parts along: with the chips, the background, the underlay and
    // the combo bar gone, only the cursor is left.
    rig.state.LevelDone = 1;
    rig.Frame();
    for (TSprite* sprite : {static_cast<TSprite*>(board), static_cast<TSprite*>(board->Underlay),
                            static_cast<TSprite*>(board->ComboBar)})
        sprite->Dead();
    rig.engine->Dead();
    EXPECT_EQ(rig.engine->Count(), 1);
}

TEST(BoardBuildSpriteTest, AShuffleReplacesEveryChip) {
    BoardRig rig;
    BuildLevelBoard(rig.world);
    rig.RunUntil([&] { return rig.Chips().size() == 64 && rig.state.GrowingCount == 0; });
    // Freed chips' memory may come back as new chips; the name tells them apart.
    for (TFishka* chip : rig.Chips()) chip->SetName("dealt first");

    const int sprites = rig.engine->Count();
    ASSERT_TRUE(StartShuffle(rig.state));
    EXPECT_EQ(rig.state.BoardPhase, PhaseShuffle);
    // The chips leave in one frame, the background deals the new board in the next.
    EXPECT_EQ(rig.RunUntil([&] { return rig.state.BoardPhase == PhaseWaiting; }), 2);
    const std::vector<TFishka*> after = rig.Chips();
    ASSERT_EQ(after.size(), 64u);
    for (TFishka* chip : after) EXPECT_TRUE(chip->Name.empty()) << "a chip survived the shuffle";
    EXPECT_EQ(rig.state.GrowingCount, 64);
    rig.Frame();
    EXPECT_EQ(rig.engine->Count(), sprites) << "the old badges went with their chips";
}
