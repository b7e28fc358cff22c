// The progress of a design's loading: its window comes only for a slow load, the user's input
// waits for the load's end (a click must not start other work on a half-read design), and so
// do the player's timer ticks.
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/player_app.h"
#include "gui/load_progress.h"
#include "gui/qt_player_host.h"

namespace roamer::gui {
namespace {

// Reports steps, as a reader does, for `ms` milliseconds.
void LoadFor(LoadProgress& progress, int ms) {
    progress.SetMessage("讀取牆資料...");
    progress.SetRange(0, 1000);
    progress.SetStep(10);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        progress.StepIt();
        QTest::qSleep(5);
    }
}

TEST(LoadProgress, AQuickLoadShowsNoWindow) {
    QWidget owner;
    owner.show();
    LoadProgress progress(&owner);
    EXPECT_TRUE(progress.HasWindow());  // the readers report to it
    LoadFor(progress, 50);
    EXPECT_FALSE(progress.WindowShown());
    EXPECT_TRUE(progress.Loading());
    progress.Close();
    EXPECT_FALSE(progress.Loading());
}

TEST(LoadProgress, ASlowLoadShowsItsWindowAndHoldsBackClicksUntilItEnds) {
    QWidget owner;
    owner.setGeometry(0, 0, 200, 100);
    owner.show();
    // A button away from the progress window, which stands over its owner.
    QPushButton button(QStringLiteral("開啟播放表"));
    button.setGeometry(900, 700, 160, 60);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    LoadProgress progress(&owner);

    LoadFor(progress, 400);
    EXPECT_TRUE(progress.WindowShown());
    // A real click from the X server in the middle of the load.
    const QPoint at = button.mapToGlobal(button.rect().center());
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {QStringLiteral("mousemove"), QString::number(at.x()),
                                 QString::number(at.y()), QStringLiteral("click"),
                                 QStringLiteral("1")}),
              0);
    LoadFor(progress, 300);
    EXPECT_EQ(clicks, 0) << "the click waits while the design loads";
    progress.Close();
    EXPECT_FALSE(progress.WindowShown());
    QTest::qWait(300);
    EXPECT_EQ(clicks, 1) << "and is handled once the load is over";
}

TEST(LoadProgress, TimerTicksDuringALoadRunAfterIt) {
    QWidget owner;
    LoadProgress progress(&owner);
    QtPlayerHost host;
    host.Attach(nullptr, &owner, &progress);
    int ticks = 0;
    host.SetWelcomeTick([&ticks] { ++ticks; });
    progress.SetMessage("讀取家具資料...");
    host.StartTimer(app::PlayerApp::kWelcomeTimer, 10);
    LoadFor(progress, 200);
    EXPECT_EQ(ticks, 0);
    progress.Close();
    QTest::qWait(50);
    EXPECT_GE(ticks, 1);
    host.StopTimer(app::PlayerApp::kWelcomeTimer);
}

}  // namespace
}  // namespace roamer::gui
