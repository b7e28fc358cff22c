#include "platform/video/ordered_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace roamer::video {
namespace {

TEST(OrderedWorker, RunsEveryJobInTheOrderGiven) {
    std::vector<int> ran;  // touched only by the worker's thread until Drain returns
    OrderedWorker worker(2);
    for (int i = 0; i < 50; ++i) {
        ASSERT_TRUE(worker.Submit([&ran, i] {
            ran.push_back(i);
            return true;
        }));
    }
    ASSERT_TRUE(worker.Drain());
    ASSERT_EQ(ran.size(), 50u);
    for (int i = 0; i < 50; ++i) EXPECT_EQ(ran[static_cast<std::size_t>(i)], i);
    // Still usable after a drain.
    EXPECT_TRUE(worker.Submit([] { return true; }));
    EXPECT_TRUE(worker.Drain());
}

TEST(OrderedWorker, AFailedJobStopsTheRestAndIsReported) {
    std::atomic<int> after{0};
    OrderedWorker worker(4);
    ASSERT_TRUE(worker.Submit([] { return false; }));
    // Jobs given before the failure was seen are dropped; later ones are refused.
    for (int i = 0; i < 3; ++i) {
        worker.Submit([&after] {
            ++after;
            return true;
        });
    }
    EXPECT_FALSE(worker.Drain());
    EXPECT_FALSE(worker.Submit([] { return true; }));
    EXPECT_EQ(after.load(), 0);
}

}  // namespace
}  // namespace roamer::video
