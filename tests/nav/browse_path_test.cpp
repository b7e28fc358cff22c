#include "nav/browse_path.h"

#include <gtest/gtest.h>

namespace roamer::nav {
namespace {

TEST(BrowsePath, ReplaysForwardsAndBackwards) {
    BrowsePath path;
    EXPECT_FALSE(path.MoveFirst());
    EXPECT_FALSE(path.MoveLast());
    path.AddName("CPS_GO_FRONT");
    path.AddName("CPS_TURN_LEFT");
    path.AddName("CPS_RESERVE");
    EXPECT_EQ(path.GetCount(), 3u);

    ASSERT_TRUE(path.MoveFirst());
    EXPECT_EQ(path.NextCommand(), CPS_GO_FRONT);
    EXPECT_EQ(path.NextCommand(), CPS_TURN_LEFT);
    EXPECT_TRUE(path.HasCurrent());
    EXPECT_EQ(path.NextCommand(), CPS_TIME_STAMP);
    EXPECT_FALSE(path.HasCurrent());

    ASSERT_TRUE(path.MoveLast());
    EXPECT_EQ(path.PreviousCommand(), CPS_TIME_STAMP);
    EXPECT_EQ(path.PreviousCommand(), CPS_TURN_RIGHT);
    EXPECT_EQ(path.PreviousCommand(), CPS_GO_BACK);
    EXPECT_FALSE(path.HasCurrent());
    // Past either end the cursor stays nowhere and replays nothing but a pause.
    EXPECT_EQ(path.NextCommand(), CPS_TIME_STAMP);
    EXPECT_FALSE(path.HasCurrent());
}

TEST(BrowsePath, HeadAndTailAreUnsetUntilStoredAndAfterReset) {
    BrowsePath path;
    BrowseView view;
    EXPECT_FALSE(path.GetHeadPosition(view));
    EXPECT_FALSE(path.GetTailPosition(view));
    const BrowseView head{{1.0f, 2.0f, 3.0f}, 0.5, -0.25};
    path.SetHeadPosition(head);
    ASSERT_TRUE(path.GetHeadPosition(view));
    EXPECT_EQ(view, head);
    EXPECT_FALSE(path.GetTailPosition(view));
    path.AddName("CPS_GO_BACK");
    ASSERT_TRUE(path.MoveFirst());
    EXPECT_TRUE(path.Reset());
    EXPECT_FALSE(path.HasCurrent());  // nothing left to replay
    EXPECT_EQ(path.NextCommand(), CPS_TIME_STAMP);
    EXPECT_TRUE(path.IsEmpty());
    EXPECT_FALSE(path.GetHeadPosition(view));
    EXPECT_TRUE(path.IsForward());
}

}  // namespace
}  // namespace roamer::nav
