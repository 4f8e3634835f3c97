// The shop's descriptions against the cabinet picture they are drawn on, with the built fonts.
#include "objects/ObjectSupport.h"
#include "objects/Shop.h"
#include "shell/Unit1.h"
#include "support/GameFolder.h"
#include "tools/runner/GameRunner.h"
#include <gtest/gtest.h>

TEST(ShopLayoutTest, EveryDescriptionLineFitsTheCabinetsTextBox) {
    // The dark text box of the cabinet picture, and the centre the shop puts its lines on.
    constexpr float kBoxLeft = 172, kBoxRight = 632, kCentre = 420;
    TGameFolder folder("shop-layout");
    TGameRunner runner(folder.Path(), 1, false);
    ASSERT_TRUE(runner.Start());
    for (int i = 1; i <= 8; ++i)
        for (const char* line : {tshop::Items()[size_t(i)].line1, tshop::Items()[size_t(i)].line2}) {
            const float w = GameTextWidth(runner.Form().World, 11, line);
            EXPECT_GE(kCentre - w / 2, kBoxLeft) << line;
            EXPECT_LE(kCentre + w / 2, kBoxRight) << line << " is " << w << " pixels wide";
        }
}
