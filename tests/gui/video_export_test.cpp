// The panel's context menu makes a video of the design on screen, on a real display: the save
// question, the save dialog, the progress window with 取消, and the closing message.
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/player_app.h"
#include "gui/dialogs/video_progress_window.h"
#include "gui/player_dialog.h"
#include "gui/player_program.h"
#include "platform/video/video_reader.h"
#include "player_test_support.h"
#include "support/temp_dir.h"

namespace roamer::gui {
namespace {

using test::WhenModal;

const QString kVideoItem = QStringLiteral("匯出影片...");

class VideoExport : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(test::SamplesFolder().toStdString(), dir.Path(),
                              std::filesystem::copy_options::recursive);
        program = std::make_unique<PlayerProgram>();
        program->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog()));
    }
    void TearDown() override { program.reset(); }

    PlayerDialog& Dialog() { return program->Dialog(); }
    app::PlayerApp& App() { return program->App(); }
    QString InDir(const char* name) const { return QString::fromStdString(dir.File(name)); }

    // The shortest sample walk, at the quickest speed and pause, so the video stays short.
    void OpenBedroom() {
        App().settings.speedIndex = 0;
        App().settings.pauseIndex = 0;
        App().settings.repeatCount = 1;
        Dialog().OpenFiles({dir.File("臥室.dsg")});
        ASSERT_TRUE(App().DesignShown());
    }
    // Opens the context menu; `act` sees the menu's video item, then the menu is left with
    // Return (running the item when it is active) or Escape.
    void ContextMenu(const std::function<bool(QAction*)>& act) {
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            if (menu == nullptr) return;
            poll->stop();
            poll->deleteLater();
            QAction* video = nullptr;
            for (QAction* action : menu->actions())
                if (action->text() == kVideoItem) video = action;
            if (video != nullptr && act(video)) {
                menu->setActiveAction(video);
                QTest::keyClick(menu, Qt::Key_Return);
            } else {
                QTest::keyClick(menu, Qt::Key_Escape);
            }
        });
        poll->start(20);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(20, 20),
                                Dialog().mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(&Dialog(), &event);
    }
    void ChooseVideoItem() {
        ContextMenu([](QAction* video) { return video->isEnabled(); });
    }
    // Waits in the progress window until the bar has moved, and gives the window.
    static bool WaitForFrames(VideoProgressWindow* window) {
        auto* bar = window->findChild<QProgressBar*>(QStringLiteral("bar"));
        return bar != nullptr && QTest::qWaitFor([bar] { return bar->value() >= 150; }, 60000);
    }
    long FileCount() const {
        return static_cast<long>(std::distance(std::filesystem::directory_iterator(dir.Path()),
                                               std::filesystem::directory_iterator()));
    }

    roamer::test::TempDir dir;
    std::unique_ptr<PlayerProgram> program;
};

TEST_F(VideoExport, TheItemWaitsForADesignAndCancelAtTheSaveQuestionDoesNothing) {
    bool enabled = true;
    bool found = false;
    ContextMenu([&](QAction* video) {
        found = true;
        enabled = video->isEnabled();
        return false;
    });
    EXPECT_TRUE(found);
    EXPECT_FALSE(enabled);  // nothing on screen yet

    OpenBedroom();
    App().modified = true;
    QString asked;
    test::AnswerMessageBox(QMessageBox::Cancel, &asked);
    bool dialogShown = false;
    const QPointer<QTimer> watch = WhenModal<QFileDialog>([&dialogShown](QFileDialog* d) {
        dialogShown = true;
        d->reject();
    }, 1000);
    ChooseVideoItem();
    QTest::qWait(300);
    delete watch.data();
    EXPECT_EQ(asked, QStringLiteral("設計案已修改!是否儲存?"));
    EXPECT_FALSE(dialogShown);
    EXPECT_TRUE(App().modified);
}

TEST_F(VideoExport, ADesignWithoutAWalkIsToldSoBeforeAnyFileIsAskedFor) {
    OpenBedroom();
    App().Path().Reset();
    bool dialogShown = false;
    const QPointer<QTimer> watch = WhenModal<QFileDialog>([&dialogShown](QFileDialog* d) {
        dialogShown = true;
        d->reject();
    }, 1000);
    QString said;
    test::AnswerMessageBox(QMessageBox::Ok, &said);
    ChooseVideoItem();
    EXPECT_TRUE(QTest::qWaitFor([&said] { return !said.isEmpty(); }, 3000));
    delete watch.data();
    EXPECT_EQ(said, QStringLiteral("這個設計案沒有瀏覽路徑,無法匯出影片。"));
    EXPECT_FALSE(dialogShown);
}

TEST_F(VideoExport, MakesTheVideoOfTheDesignOnScreenAndSaysWhereItIs) {
    OpenBedroom();
    App().PressPlay();
    ASSERT_EQ(App().state, app::PS_PLAYING);

    QString proposed;
    QStringList filters;
    WhenModal<QFileDialog>([&](QFileDialog* d) {
        proposed = d->selectedFiles().value(0);
        filters = d->nameFilters();
        auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(InDir("walk"));  // no extension typed
        QTest::keyClick(name, Qt::Key_Return);
    });
    std::int32_t stateDuring = -1;
    bool sawProgress = false;
    QString status;
    WhenModal<VideoProgressWindow>([&](VideoProgressWindow* w) {
        stateDuring = App().state;
        sawProgress = WaitForFrames(w);
        status = w->findChild<QLabel*>(QStringLiteral("status"))->text();
        w->grab().save(test::ScreenshotFolder() + QStringLiteral("/video_progress.png"));
    });
    QString message;
    WhenModal<QMessageBox>([&message](QMessageBox* box) {
        message = box->text();
        box->grab().save(test::ScreenshotFolder() + QStringLiteral("/video_done.png"));
        QTest::mouseClick(box->defaultButton(), Qt::LeftButton);
    }, 120000);
    ChooseVideoItem();

    EXPECT_EQ(proposed, InDir("臥室.mp4"));
    EXPECT_TRUE(filters.contains(QStringLiteral("MP4 影片 (*.mp4)"))) << filters.join(';').toStdString();
    EXPECT_EQ(stateDuring, app::PS_PAUSED);
    EXPECT_TRUE(sawProgress);
    EXPECT_TRUE(status.contains(QStringLiteral("剩餘時間約"))) << status.toStdString();
    const std::string video = dir.File("walk.mp4");
    EXPECT_TRUE(message.startsWith(QStringLiteral("影片已匯出至:\n") + InDir("walk.mp4")))
        << message.toStdString();
    ASSERT_TRUE(std::filesystem::is_regular_file(video));
    video::VideoReader reader;
    ASSERT_TRUE(reader.Open(video)) << reader.Problem();
    EXPECT_EQ(reader.Facts().width, 1280);
    EXPECT_EQ(reader.Facts().height, 720);
    EXPECT_GT(reader.Facts().durationSeconds, 2.0);
    EXPECT_EQ(App().state, app::PS_PLAYING);  // playback went on
    EXPECT_TRUE(program->Host().TimerRunning(app::PlayerApp::kPlayTimer));
}

TEST_F(VideoExport, CancelStopsTheVideoAndLeavesNoFile) {
    OpenBedroom();
    const long before = FileCount();
    test::AnswerFileDialog(InDir("stopped.mp4"));
    bool stopped = false;
    WhenModal<VideoProgressWindow>([&stopped](VideoProgressWindow* w) {
        if (!WaitForFrames(w)) return;
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("cancel")), Qt::LeftButton);
        stopped = w->StopAsked();
    });
    bool messageShown = false;
    const QPointer<QTimer> watch = WhenModal<QMessageBox>([&messageShown](QMessageBox* box) {
        messageShown = true;
        box->reject();
    }, 60000);
    ChooseVideoItem();
    QTest::qWait(200);
    delete watch.data();
    EXPECT_TRUE(stopped);
    EXPECT_FALSE(messageShown);  // the user stopped it: nothing to report
    EXPECT_FALSE(std::filesystem::exists(dir.File("stopped.mp4")));
    EXPECT_EQ(FileCount(), before);  // nor a half-written file beside it
    EXPECT_EQ(App().state, app::PS_READY);
}

}  // namespace
}  // namespace roamer::gui
