#include "gui/dialogs/progress_window.h"

#include <QTest>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTimer>

#include <QScreen>

#include <climits>
#include <cstdlib>

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

namespace roamer::gui {
namespace {

// A real click from the X server (through xdotool) while a load moves the bar must wait until
// the load is over: it could otherwise start a second load into the half-built design.
TEST(ProgressWindowTest, ClicksDuringALoadWaitUntilItEnds) {
    QPushButton button(QStringLiteral("開啟播放表"));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    button.setGeometry(100, 100, 200, 60);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    ProgressWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTest::qWait(100);
    // Centred on the screen, clear of the button.
    const QRect screen = window.screen()->availableGeometry();
    EXPECT_LE(std::abs(window.geometry().center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(window.geometry().center().y() - screen.center().y()), 1);

    const QPoint target = button.mapToGlobal(button.rect().center());
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"),
                  {QStringLiteral("mousemove"), QString::number(target.x()),
                   QString::number(target.y()), QStringLiteral("click"), QStringLiteral("1")});
    ASSERT_TRUE(xdotool.waitForFinished(10000));
    ASSERT_EQ(xdotool.exitCode(), 0);
    window.SetRange(0, 1000);
    window.SetStep(10);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 500) window.StepIt();
    EXPECT_EQ(clicks, 0);

    // Qt hands the held events over with the next event from the server, here the next motion.
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {QStringLiteral("mousemove_relative"), QStringLiteral("1"),
                                 QStringLiteral("0")}),
              0);
    QTest::qWait(300);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace roamer::gui
