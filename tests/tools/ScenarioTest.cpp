// The scenario language of the headless runner.
#include "tools/runner/Scenario.h"
#include <gtest/gtest.h>
#include <sstream>

namespace {

bool Parse(const std::string& text, std::vector<TScenarioStep>& steps, std::string& error) {
    std::istringstream in(text);
    return ParseScenario(in, steps, error);
}

} // namespace

TEST(ScenarioTest, CommandsBecomeStepsWithTheirNumbers) {
    std::vector<TScenarioStep> steps;
    std::string error;
    ASSERT_TRUE(Parse("wait 5 # a comment\n\nclick 10 20\npress right\ntext  two words\n"
                      "level 16\nautoplay 3\nhint\nitem 8\n",
                      steps, error))
        << error;
    using K = TScenarioStep::Kind;
    ASSERT_EQ(steps.size(), 8u);
    EXPECT_EQ(steps[0].kind, K::Wait);
    EXPECT_EQ(steps[0].a, 5);
    EXPECT_EQ(steps[1].kind, K::Click);
    EXPECT_EQ(steps[1].b, 20);
    EXPECT_TRUE(steps[2].right);
    EXPECT_EQ(steps[3].text, " two words") << "text keeps its spaces";
    EXPECT_EQ(steps[4].kind, K::Level);
    EXPECT_EQ(steps[4].a, 16);
    EXPECT_EQ(steps[5].kind, K::Autoplay);
    EXPECT_EQ(steps[6].kind, K::Hint);
    EXPECT_EQ(steps[7].kind, K::Item);
    EXPECT_EQ(steps[7].line, 9) << "lines count from 1, blank ones too";
}

TEST(ScenarioTest, BadLinesAreReportedByNumber) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"jump 3", "line 1: unknown command 'jump'"},
        {"wait\n", "line 1: wait needs one number"},
        {"wait -1", "line 1: wait needs a count of frames"},
        {"wait 1\nkey 256", "line 2: key codes are 0..255"},
        {"click 10", "line 1: click needs X and Y"},
        {"move 1 x", "line 1: move needs X and Y"},
        {"press middle", "line 1: press takes left or right"},
        {"goto 300", "line 1: goto needs a state"},
        {"shot", "line 1: shot needs a file name"},
        {"level 17", "line 1: level needs a number 1..16"},
        {"item 0", "line 1: item needs a number 1..8"},
        {"autoplay -2", "line 1: autoplay needs a count of moves"},
        {"hint now", "line 1: hint takes nothing"},
        {"close 1", "line 1: close takes nothing"},
    };
    for (const auto& c : cases) {
        std::vector<TScenarioStep> steps;
        std::string error;
        EXPECT_FALSE(Parse(c.text, steps, error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}
