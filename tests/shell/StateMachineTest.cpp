#include "screens/StateMachine.h"
#include <gtest/gtest.h>
#include <string>

TEST(StateMachineTest, DispatchUsesTheLowSevenBitsAndSetsTheStateBeforeEntering) {
    TStateMachine m;
    std::string log;
    m.Define(4, {[&] { log += "enter4:" + std::to_string(m.ScreenState) + " "; },
                 [&] { log += "tick4 "; }, [&] { log += "leave4 "; }});
    m.Define(11, {[&] { log += "enter11 "; }, nullptr, nullptr});
    m.EnterState(4);
    m.TickState(4 + 128); // high bit ignored
    m.Go(11);
    m.TickState(11);  // no tick handler
    m.LeaveState(2);  // nothing defined
    EXPECT_EQ(log, "enter4:4 tick4 leave4 enter11 ");
    EXPECT_EQ(m.ScreenState, 11);
    EXPECT_FALSE(m.Defined(2));
}
