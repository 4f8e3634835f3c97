#include "shell/FrameRecipe.h"
#include <algorithm>
#include <gtest/gtest.h>

using S = TFrameStep;

namespace {

bool Has(const std::vector<TFrameStep>& steps, TFrameStep step) {
    return std::find(steps.begin(), steps.end(), step) != steps.end();
}

} // namespace

TEST(FrameRecipeTest, WhatMovesInEachState) {
    struct Case {
        uint8_t state;
        bool moves, cursorOnly, gui;
    };
    const Case cases[] = {
        {13, true, false, true},  {29, true, false, true}, {18, false, true, true},
        {0, false, true, true},   {3, true, false, false}, {33, false, true, true},
        {35, false, false, true}, {32, true, false, false}, {4, true, false, true},
    };
    for (const Case& c : cases) {
        const auto steps = FrameRecipe(c.state, {});
        EXPECT_EQ(Has(steps, S::Move), c.moves) << int(c.state);
        EXPECT_EQ(Has(steps, S::CursorMove), c.cursorOnly) << int(c.state);
        EXPECT_EQ(Has(steps, S::Gui), c.gui) << int(c.state);
    }
}

TEST(FrameRecipeTest, ThePauseDrawsItsTextOverTheFieldAndTheOverlay) {
    const auto steps = FrameRecipe(18, {});
    EXPECT_EQ(steps, (std::vector<TFrameStep>{S::BackOpaque, S::Collide, S::Free, S::Draw,
                                              S::CursorMove, S::Gui, S::Advance, S::PauseText,
                                              S::Overlay, S::Cursor}));
    EXPECT_TRUE(Has(FrameRecipe(13, {}), S::Banner));
    EXPECT_FALSE(Has(FrameRecipe(18, {}), S::Banner));
}

TEST(FrameRecipeTest, ScoreScreensShowTheFinalPictureAfterTheLastLevel) {
    TFrameContext after;
    after.finalPictureShown = true;
    for (uint8_t state : {23, 24, 31}) {
        EXPECT_EQ(FrameRecipe(state, after).front(), S::FinalPicture);
        EXPECT_FALSE(Has(FrameRecipe(state, after), S::Draw)) << "no sprites over the picture";
        EXPECT_EQ(FrameRecipe(state, {}).front(), S::BackOpaque);
    }
}

TEST(FrameRecipeTest, TheWallGoesUnderMenusAndTheStoryPanelBlends) {
    TFrameContext menu;
    menu.menuBack = DrawsMenuBack(8);
    EXPECT_EQ(FrameRecipe(8, menu).front(), S::MenuBack);
    EXPECT_FALSE(DrawsMenuBack(13));
    EXPECT_FALSE(DrawsMenuBack(4)) << "the main menu has its own hall";
    TFrameContext story;
    story.storyVisible = true;
    EXPECT_EQ(FrameRecipe(15, story).front(), S::BackBlend);
    EXPECT_EQ(FrameRecipe(15, {}).front(), S::Collide);
}

TEST(FrameRecipeTest, BannerFadesInThenOut) {
    struct Case {
        double position;
        bool drawn;
        uint32_t top, bottom;
    };
    const Case cases[] = {
        {1020, true, 0x00FFF000, 0x00FFFFFF}, // alpha 0 at the start
        {1016, true, 0x04FFF000, 0x04FFFFFF},
        {768, true, 0xFCFFF000, 0xFCFFFFFF},
        {765, false, 0, 0},
        {764, true, 0xFDFFF000, 0xFDFFFFFF},
        {512, true, 0x01FFF000, 0x01FFFFFF},
        {510, false, 0, 0},
        {0, false, 0, 0},
    };
    for (const Case& c : cases) {
        uint32_t top = 0, bottom = 0;
        EXPECT_EQ(BannerColours(c.position, top, bottom), c.drawn) << c.position;
        if (!c.drawn) continue;
        EXPECT_EQ(top, c.top) << c.position;
        EXPECT_EQ(bottom, c.bottom) << c.position;
    }
}
