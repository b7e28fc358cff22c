// The clock a walk plays on without a window, and how long a pass over a browse path lasts.
#include <gtest/gtest.h>

#include "app/walk_clock_host.h"
#include "app/walk_length.h"

namespace roamer::app {
namespace {

TEST(WalkClock, JumpsToTheEarliestTimerAndTheFirstNamedWinsATie) {
    WalkClockHost host(64, 48, nullptr, nullptr);
    EXPECT_FALSE(host.Advance({1, 2}).has_value());  // nothing runs
    host.StartTimer(1, 100);
    host.StartTimer(2, 30);
    host.StartTimer(3, 0);  // never sooner than the next moment
    EXPECT_EQ(host.Advance({3}), 3);
    EXPECT_EQ(host.NowMs(), 1);
    EXPECT_EQ(host.Advance({1, 2}), 2);
    EXPECT_EQ(host.NowMs(), 30);
    EXPECT_EQ(host.Advance({1, 2}), 2);
    EXPECT_EQ(host.Advance({1, 2}), 2);
    EXPECT_EQ(host.NowMs(), 90);
    // Both due at 120 now: the one named first goes first, whichever order they were made in.
    EXPECT_EQ(host.Advance({1}), 1);
    EXPECT_EQ(host.NowMs(), 100);
    host.StartTimer(1, 20);
    EXPECT_EQ(host.Advance({2, 1}), 2);
    EXPECT_EQ(host.NowMs(), 120);
    host.StartTimer(2, 0);
    host.StopTimer(2);
    EXPECT_EQ(host.Advance({2, 1}), 1);
    EXPECT_EQ(host.NowMs(), 120);
}

TEST(WalkLength, EachCommandAndTheStartHoldATickAndStopsAddThePause) {
    nav::BrowsePath path;
    EXPECT_EQ(PassMilliseconds(path, 100, 2000), 0);
    for (const char* name : {"CPS_GO_FRONT", "CPS_TIME_STAMP", "CPS_TURN_LEFT"}) path.AddName(name);
    EXPECT_EQ(PassMilliseconds(path, 100, 2000), 4 * 100 + 2000);
    path.AddName("CPS_TIME_STAMP");
    EXPECT_EQ(PassMilliseconds(path, 50, 500), 5 * 50 + 2 * 500);
    // Played backwards, a stop is still a stop.
    path.MoveLast();
    EXPECT_EQ(PassMilliseconds(path, 50, 500), 5 * 50 + 2 * 500);
}

}  // namespace
}  // namespace roamer::app
