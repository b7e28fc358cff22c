// In-between views of a smooth walk and the frames that show them.
#include <gtest/gtest.h>

#include "app/viewer_glide.h"
#include "app/walk_frame_writer.h"
#include "render/angles.h"

namespace roamer::app {
namespace {

TEST(ViewerGlide, TurnsTheShorterWayRoundAndMovesInProportion) {
    const ViewerState from{{0.0f, 160.0f, -250.0f}, 6.2, 0.1};
    const ViewerState to{{10.0f, 150.0f, -230.0f}, 0.1, -0.3};
    const ViewerState half = GlideBetween(from, to, 0.5);
    EXPECT_FLOAT_EQ(half.position.x, 5.0f);
    EXPECT_FLOAT_EQ(half.position.y, 155.0f);
    EXPECT_FLOAT_EQ(half.position.z, -240.0f);
    EXPECT_NEAR(half.pitch, -0.1, 1e-12);
    // 6.2 to 0.1 turns left over 0 by about 0.18, not right by 6.1.
    const double turn = (to.heading + render::kTwoPi) - from.heading;
    EXPECT_NEAR(half.heading, render::NormalizeHeading(from.heading + turn / 2), 1e-9);
    EXPECT_LT(half.heading, 0.1);  // past 0, not back through pi
    const ViewerState back = GlideBetween(to, from, 0.25);
    EXPECT_NEAR(back.heading, render::NormalizeHeading(to.heading - turn / 4), 1e-9);
    EXPECT_TRUE(SameView(GlideBetween(from, to, 0.0), from));
    EXPECT_NEAR(GlideBetween(from, to, 1.0).heading, to.heading, 1e-9);
}

TEST(WalkFrames, AFrameStartingExactlyAtAStepBelongsToIt) {
    EXPECT_EQ(WalkFrameWriter::FrameAtOrAfter(0, 30), 0);
    EXPECT_EQ(WalkFrameWriter::FrameAtOrAfter(100, 30), 3);   // 100 ms is exactly frame 3
    EXPECT_EQ(WalkFrameWriter::FrameAtOrAfter(101, 30), 4);
    EXPECT_EQ(WalkFrameWriter::FrameAtOrAfter(50, 30), 2);    // 1.5 frames: the next one
    EXPECT_EQ(WalkFrameWriter::FrameAtOrAfter(150, 20), 3);
    EXPECT_EQ(WalkFrameWriter::FrameAtOrAfter(3'600'000, 60), 216'000);
}

}  // namespace
}  // namespace roamer::app
