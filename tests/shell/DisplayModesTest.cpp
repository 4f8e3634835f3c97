#include "shell/DisplayModes.h"
#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const std::vector<TDisplayModeEntry>& list) {
    std::vector<std::string> out;
    for (const auto& e : list) out.push_back(e.text);
    return out;
}

} // namespace

TEST(DisplayModesTest, DistinctModesLargestFirst) {
    const auto list = BuildDisplayModes(
        {{800, 600}, {1024, 768}, {640, 480}, {1024, 768}, {1280, 720}, {1280, 1024},
         {800, 450}, {1920, 1080}, {0, 0}, {100000, 10}});
    EXPECT_EQ(Texts(list), (std::vector<std::string>{"1920x1080", "1280x1024", "1280x720",
                                                     "1024x768", "800x600", "800x450",
                                                     "640x480"}));
    EXPECT_EQ(list[4].packed, 800 + 600 * 65536);
    EXPECT_EQ(list[4].Width(), 800);
    EXPECT_EQ(list[4].Height(), 600);
    EXPECT_EQ(FindDisplayMode(list, "800x600"), 4);
    EXPECT_EQ(FindDisplayMode(list, "800x601"), -1);
    EXPECT_TRUE(BuildDisplayModes({}).empty());
}
