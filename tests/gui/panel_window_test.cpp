// The control panel's own behaviour on a real display: its size and place, tooltips, the
// press-here-release-there rule, dragging without a title bar, the double click, the context
// menu's panels, and closing without changes. Also the 3D frame's close and title bar, and the
// panel's screenshots for a reviewer.
#include <QApplication>
#include <QFileDialog>
#include <QSettings>
#include <QUrl>
#include <QHelpEvent>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/player_app.h"
#include "gui/d3d_frame.h"
#include "gui/d3d_view.h"
#include "gui/player_dialog.h"
#include "gui/player_program.h"
#include "player_test_support.h"
#include "support/temp_dir.h"

namespace roamer::gui {
namespace {

using test::WhenModal;
using Panel = app::ControlPanel;

// Picks the context menu's item `text` once the menu is up.
void ChooseFromMenu(const QString& text) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, text] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr) return;
        poll->stop();
        poll->deleteLater();
        for (QAction* action : menu->actions())
            if (action->text() == text) menu->setActiveAction(action);
        QTest::keyClick(menu, Qt::Key_Return);
    });
    poll->start(20);
}

class PanelWindow : public ::testing::Test {
protected:
    void SetUp() override {
        program = std::make_unique<PlayerProgram>();
        program->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog()));
    }
    PlayerDialog& Dialog() { return program->Dialog(); }
    const PanelLayout& Layout() { return Dialog().Layout(); }
    void ContextMenu(const QString& item) {
        ChooseFromMenu(item);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                                Dialog().mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(&Dialog(), &event);
    }
    QString TipAt(QPoint p) {
        QHelpEvent help(QEvent::ToolTip, p, Dialog().mapToGlobal(p));
        QApplication::sendEvent(&Dialog(), &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
    std::unique_ptr<PlayerProgram> program;
};

TEST_F(PanelWindow, StartsBareAtTheTopLeftInDialogUnitsOfTheMingFace) {
    const QRect screen = Dialog().screen()->availableGeometry();
    EXPECT_EQ(Dialog().pos(), screen.topLeft());
    EXPECT_FALSE(Dialog().TitleBarShown());
    EXPECT_EQ(Dialog().size(), Layout().BasicPanelSize());
    // About 1.5 pixels a unit: 168 x 130 units.
    EXPECT_NEAR(Layout().PanelSize().width(), 252, 20);
    EXPECT_NEAR(Layout().PanelSize().height(), 195, 20);
    EXPECT_LT(Layout().BasicPanelSize().height(), Layout().DesignCounter().top() + 1);
    // Hit tests go in index order over the buttons; the loop toggle has its own.
    EXPECT_EQ(Layout().HitTest(Layout().Button(Panel::kPlay).center()), Panel::kPlay);
    EXPECT_EQ(Layout().HitTest(Layout().LoopToggle().center()), -1);
    EXPECT_EQ(Layout().HitTest(QPoint(-1, -1)), -1);
}

TEST_F(PanelWindow, TooltipsNameTheButtons) {
    EXPECT_EQ(TipAt(Layout().Button(Panel::kPlay).center()), QStringLiteral("播放"));
    EXPECT_EQ(TipAt(Layout().Button(Panel::kClose).center()), QStringLiteral("關閉播放機"));
    EXPECT_EQ(TipAt(Layout().Button(Panel::kOpenPlayList).center()), QStringLiteral("開啟播放表"));
    EXPECT_EQ(TipAt(Layout().LoopToggle().center()), QStringLiteral("循環播放"));
}

TEST_F(PanelWindow, ACommandRunsWhereverThePressIsReleased) {
    bool asked = false;
    const QUrl samples = QUrl::fromLocalFile(program->SamplesFolder());
    WhenModal<QFileDialog>([&asked, samples](QFileDialog* d) {
        asked = true;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("開啟播放表"));
        // The sample rooms are one click away, wherever the player was started.
        EXPECT_TRUE(d->sidebarUrls().contains(samples)) << samples.toString().toStdString();
        EXPECT_EQ(d->nameFilters(),
                  QStringList({QStringLiteral("Play Volumn File (*.vol)"), QStringLiteral("All File (*)")}));
        d->reject();
    });
    const QPoint button = Layout().Button(Panel::kOpenPlayList).center();
    QTest::mousePress(&Dialog(), Qt::LeftButton, {}, button);
    EXPECT_EQ(program->App().Panel().ButtonImage(Panel::kOpenPlayList), Panel::kPressed);
    QTest::mouseMove(&Dialog(), QPoint(4, Dialog().height() - 4));
    QTest::mouseRelease(&Dialog(), Qt::LeftButton, {}, QPoint(4, Dialog().height() - 4));
    EXPECT_TRUE(asked);
    // What Qt keeps for every Qt program's dialogs has not taken the sample rooms' place.
    const QStringList kept = QSettings(QSettings::UserScope, QStringLiteral("QtProject"))
                                 .value(QStringLiteral("FileDialog/shortcuts"))
                                 .toStringList();
    EXPECT_FALSE(kept.isEmpty());
    EXPECT_FALSE(kept.contains(samples.toString())) << kept.join(' ').toStdString();
    // A cancelled dialog changes nothing; the button stands up again.
    EXPECT_EQ(program->App().state, app::PS_NONE);
    EXPECT_EQ(program->App().Panel().ButtonImage(Panel::kOpenPlayList), Panel::kNormal);
}

TEST_F(PanelWindow, ADisabledButtonOrTheFaceDragsTheBareWindow) {
    const QPoint start = Dialog().pos();
    const QPoint press = Layout().Button(Panel::kPlay).center();  // disabled at start
    QTest::mousePress(&Dialog(), Qt::LeftButton, {}, press);
    QTest::mouseMove(&Dialog(), press + QPoint(30, 20));
    QTest::qWait(50);
    // The window went along: the pointer stands where it was pressed in it.
    QTest::mouseRelease(&Dialog(), Qt::LeftButton, {}, press);
    QTest::qWait(50);
    EXPECT_EQ(Dialog().pos(), start + QPoint(30, 20));
    EXPECT_EQ(program->App().state, app::PS_NONE);  // nothing was played
}

TEST_F(PanelWindow, DoubleClickAndContextMenuChangeTheFrameAndThePanel) {
    const QPoint face = Layout().PictureArea().bottomRight() - QPoint(3, 3);
    QTest::mouseDClick(&Dialog(), Qt::LeftButton, {}, face);
    EXPECT_TRUE(Dialog().TitleBarShown());
    EXPECT_EQ(Dialog().size(), Layout().BasicPanelSize());  // the client keeps its size
    QTest::mouseDClick(&Dialog(), Qt::LeftButton, {}, face);
    EXPECT_FALSE(Dialog().TitleBarShown());

    ContextMenu(QStringLiteral("進階面板"));
    EXPECT_EQ(Dialog().ShownPanel(), PlayerDialog::kAdvancedPanel);
    EXPECT_EQ(Dialog().size(), Layout().PanelSize());
    ContextMenu(QStringLiteral("進階面板"));
    EXPECT_EQ(Dialog().size(), Layout().PanelSize());
    ContextMenu(QStringLiteral("基本面板"));
    EXPECT_EQ(Dialog().size(), Layout().BasicPanelSize());

    Dialog().Welcome()->hide();
    ContextMenu(QStringLiteral("產品訊息"));
    EXPECT_TRUE(Dialog().Welcome()->isVisible());
    EXPECT_TRUE(program->Host().TimerRunning(app::PlayerApp::kWelcomeTimer));
    bool about = false;
    WhenModal<QDialog>([&about](QDialog* d) {
        about = true;
        d->accept();
    });
    ContextMenu(QStringLiteral("關於Roamer(&A)..."));
    EXPECT_TRUE(about);
}

TEST_F(PanelWindow, F1ShowsTheManualAndTheWelcomeTimerTurnsThePictures) {
    QTest::keyClick(&Dialog(), Qt::Key_F1);
    ASSERT_NE(Dialog().Help(), nullptr);
    EXPECT_TRUE(Dialog().Help()->isVisible());
    EXPECT_TRUE(Dialog().Help()->isWindow());
    ASSERT_NE(Dialog().Welcome(), nullptr);
    EXPECT_EQ(program->Host().TimerInterval(app::PlayerApp::kWelcomeTimer), 10000);
    EXPECT_FALSE(Dialog().Welcome()->Rotating());  // the player's timer turns them
    const int first = Dialog().Welcome()->PictureIndex();
    program->Host().StartTimer(app::PlayerApp::kWelcomeTimer, 10);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Dialog().Welcome()->PictureIndex() != first; }, 2000));
}

TEST_F(PanelWindow, ClosingWithoutChangesAsksNothing) {
    bool asked = false;
    const QPointer<QTimer> watch = WhenModal<QDialog>([&asked](QDialog* d) {
        asked = true;
        d->reject();
    });
    QTest::mouseClick(&Dialog(), Qt::LeftButton, {}, Layout().Button(Panel::kClose).center());
    QTest::qWait(100);
    delete watch.data();
    EXPECT_FALSE(asked);
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_FALSE(program->Host().TimerRunning(app::PlayerApp::kWelcomeTimer));
}

class FrameWindow : public PanelWindow {
protected:
    void SetUp() override {
        std::filesystem::copy(test::SamplesFolder().toStdString(), dir.Path(),
                              std::filesystem::copy_options::recursive);
        PanelWindow::SetUp();
        test::AnswerFileDialog(QString::fromStdString(dir.File("default.vol")));
        Click(Panel::kOpenPlayList);
        ASSERT_NE(Frame(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    }
    void Click(int button) {
        QTest::mouseClick(&Dialog(), Qt::LeftButton, {}, Layout().Button(button).center());
    }
    D3DFrame* Frame() { return program->Host().Frame(); }
    roamer::test::TempDir dir;
};

TEST_F(FrameWindow, StartsCentredAndClosingOnlyHidesIt) {
    QRect centred(QPoint(0, 0), QSize(640, 480));
    centred.moveCenter(Frame()->screen()->availableGeometry().center());
    EXPECT_EQ(Frame()->geometry(), centred);
    Click(Panel::kPlay);
    ASSERT_EQ(program->App().state, app::PS_PLAYING);
    Frame()->close();
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_EQ(program->App().state, app::PS_READY);  // playback stopped
    Click(Panel::kPlay);
    Click(Panel::kPause);
    EXPECT_TRUE(Frame()->isVisible());  // Play brought it back
    Frame()->close();
    EXPECT_EQ(program->App().state, app::PS_PAUSED);  // a pause stays
}

TEST_F(FrameWindow, TheTitleBarTogglesAndTheViewKeepsDrawing) {
    Click(Panel::kPlay);
    Click(Panel::kStop);
    const QSize view = Frame()->View().size();
    QTest::mouseDClick(&Frame()->View(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_FALSE(Frame()->TitleBarShown());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    EXPECT_EQ(Frame()->View().size(), view);
    QTest::mouseDClick(&Frame()->View(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(Frame()->TitleBarShown());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    EXPECT_EQ(Frame()->View().size(), view);
    // The engine's device survived the new native windows: walking still draws the room.
    const QImage before = Frame()->View().grabFramebuffer();
    QTest::keyClick(&Frame()->View(), Qt::Key_Right);
    const QImage after = Frame()->View().grabFramebuffer();
    EXPECT_GT(test::DistinctColours(after), 200);
    EXPECT_GT(test::ChangedShare(before, after), 0.2);
}

TEST_F(FrameWindow, TheRoomIsTheSameAtAnyPixelRatio) {
    Click(Panel::kPlay);
    Click(Panel::kStop);
    // The engine's sizes are logical pixels; its device draws the screen's own pixels.
    const qreal ratio = Frame()->View().devicePixelRatioF();
    EXPECT_EQ(program->App().Engine().GetWidth(), 640);
    EXPECT_EQ(program->App().Engine().GetHeight(), 480);
    const rm::Device* device = program->App().Engine().GetDevice();
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->GetPixelWidth(), qRound(640 * ratio));
    EXPECT_EQ(device->GetPixelHeight(), qRound(480 * ratio));
    const QImage grab = Frame()->View().grabFramebuffer();
    EXPECT_EQ(grab.width(), qRound(640 * ratio));
    EXPECT_GT(test::DistinctColours(grab), 200);
    grab.save(test::ScreenshotFolder() +
              QStringLiteral("/view_%1x.png").arg(qRound(ratio)));
}

TEST_F(FrameWindow, PanelScreenshots) {
    // The advanced panel while playing, and the basic one, at the screen's ratio and at 2x.
    Click(Panel::kPlay);
    Dialog().SetPanel(PlayerDialog::kAdvancedPanel);
    QTest::qWait(100);
    const QString folder = test::ScreenshotFolder();
    const int screenRatio = qRound(Dialog().devicePixelRatioF());
    for (const int ratio : {1, 2}) {
        if (ratio < screenRatio) continue;
        for (const int panel : {PlayerDialog::kAdvancedPanel, PlayerDialog::kBasicPanel}) {
            Dialog().SetPanel(panel);
            QImage picture(Dialog().size() * ratio, QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(ratio);
            picture.fill(Qt::black);
            Dialog().render(&picture);
            const QString name = panel == PlayerDialog::kBasicPanel ? QStringLiteral("basic")
                                                                    : QStringLiteral("advanced");
            ASSERT_TRUE(picture.save(folder + QStringLiteral("/panel_%1_%2x.png").arg(name).arg(ratio)));
            EXPECT_GT(test::DistinctColours(picture), 100);
        }
    }
    Frame()->grab().save(folder + QStringLiteral("/frame.png"));
}

}  // namespace
}  // namespace roamer::gui
