#include "gui/dialogs/progress_window.h"

#include <QTest>
#include <QTimer>

#include <climits>

#include <gtest/gtest.h>

namespace roamer::gui {
namespace {

TEST(ProgressWindowTest, StartsWithTheBarsDefaults) {
    ProgressWindow window;
    EXPECT_EQ(window.Message(), QStringLiteral("Progress Message"));
    EXPECT_EQ(window.Lower(), 0);
    EXPECT_EQ(window.Upper(), 100);
    EXPECT_EQ(window.Step(), 10);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
}

TEST(ProgressWindowTest, ASectionOfThreeRecordsStepsBy333AndEndsFull) {
    ProgressWindow window;
    window.show();
    window.SetMessage(QStringLiteral("讀取牆資料..."));
    window.SetPos(0);
    window.SetRange(0, 1000);
    window.SetStep(1000 / 3);
    for (int expected : {333, 666, 999}) {
        window.StepIt();
        EXPECT_EQ(window.Pos(), expected);
    }
    window.SetPos(1000);
    EXPECT_EQ(window.Pos(), 1000);
    EXPECT_EQ(window.Message(), QStringLiteral("讀取牆資料..."));
}

TEST(ProgressWindowTest, KeepsThePositionAndBoundsInRange) {
    ProgressWindow window;
    window.SetRange(0, 1000);
    window.SetPos(5000);
    EXPECT_EQ(window.Pos(), 1000);
    window.OffsetPos(INT_MIN);
    EXPECT_EQ(window.Pos(), 0);
    window.OffsetPos(INT_MAX);
    EXPECT_EQ(window.Pos(), 1000);
    window.SetRange(-100000, 100000);
    EXPECT_EQ(window.Lower(), -32768);
    EXPECT_EQ(window.Upper(), 32767);
    window.SetRange(50, 50);
    EXPECT_LT(window.Lower(), window.Upper());
}

TEST(ProgressWindowTest, MovingTheBarDeliversPendingTimers) {
    ProgressWindow window;
    bool fired = false;
    QTimer::singleShot(0, &window, [&fired] { fired = true; });
    window.StepIt();
    EXPECT_TRUE(fired);
}

}  // namespace
}  // namespace roamer::gui
