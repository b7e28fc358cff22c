// Writes pictures of every dialog into the build folder's screenshots/, named by the pixel ratio
// the run had (QT_SCALE_FACTOR=2 gives the "_2x" set), for a reviewer to look at.
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include <cmath>

#include <gtest/gtest.h>

#include "app/options_dialog_model.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/help_window.h"
#include "gui/dialogs/options_dialog.h"
#include "gui/dialogs/progress_window.h"
#include "gui/dialogs/video_progress_window.h"
#include "gui/dialogs/welcome_dialog.h"
#include "modal_watch.h"

namespace roamer::gui {
namespace {

QString SourceDir() { return QString::fromLocal8Bit(qgetenv("ROAMER_SOURCE_DIR")); }

// Grabs what the X server shows of the window and saves it; checks it is not blank.
void Save(QWidget* window, const QString& name) {
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    QTest::qWait(200);
    QScreen* screen = window->screen();
    const QPixmap shot = screen->grabWindow(window->winId());
    const QString folder = QString::fromLocal8Bit(qgetenv("ROAMER_SCREENSHOTS"));
    ASSERT_FALSE(folder.isEmpty());
    ASSERT_TRUE(QDir().mkpath(folder));
    const int ratio = static_cast<int>(std::lround(screen->devicePixelRatio()));
    const QString path = QStringLiteral("%1/%2_%3x.png").arg(folder, name).arg(ratio);
    const QImage image = shot.toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), window->width() * ratio);
    EXPECT_TRUE(image.save(path)) << path.toStdString();
    // Text was drawn: the picture holds more than a couple of colours.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2)
        for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
    EXPECT_GT(colours.size(), 8) << name.toStdString();
}

TEST(DialogScreenshots, OptionsDialog) {
    app::PlayerSettings settings;
    settings.repeatCount = 2;
    settings.editMode = true;
    bool modified = true;
    app::OptionsDialogModel model(settings, modified, [] { return true; });
    OptionsDialog dialog(model, nullptr);
    dialog.show();
    Save(&dialog, QStringLiteral("options_dialog"));
}

TEST(DialogScreenshots, CountMessage) {
    QMessageBox* box = nullptr;
    app::PlayerSettings settings;
    bool modified = false;
    app::OptionsDialogModel model(settings, modified, [] { return true; });
    OptionsDialog dialog(model, nullptr);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    test::WhenModalAppears([&box](QWidget* modal) {
        box = qobject_cast<QMessageBox*>(modal);
        Save(modal, QStringLiteral("options_count_message"));
        modal->close();
    });
    dialog.findChild<QWidget*>(QStringLiteral("count"))->setFocus();
    QTest::keyClick(dialog.findChild<QWidget*>(QStringLiteral("count")), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(dialog.findChild<QWidget*>(QStringLiteral("count")), QStringLiteral("abc"));
    dialog.accept();
    EXPECT_NE(box, nullptr);
}

TEST(DialogScreenshots, ProgressWindow) {
    ProgressWindow window;
    window.SetMessage(QStringLiteral("讀取牆資料..."));
    window.SetRange(0, 1000);
    window.show();
    window.SetPos(400);
    Save(&window, QStringLiteral("progress_window"));
}

TEST(DialogScreenshots, VideoProgressWindow) {
    VideoProgressWindow window(QStringLiteral("兩房公寓.mp4"));
    window.SetProgress(420, QStringLiteral("已完成 1260 / 3000 格,剩餘時間約 1:05"));
    window.show();
    Save(&window, QStringLiteral("video_progress_window"));
}

TEST(DialogScreenshots, WelcomeDialog) {
    WelcomeDialog dialog(QUrl::fromLocalFile(SourceDir() + QStringLiteral("/doc/manual/index.html")));
    dialog.StopRotation();
    dialog.show();
    Save(&dialog, QStringLiteral("welcome_dialog"));
}

TEST(DialogScreenshots, AboutBox) {
    bool seen = false;
    test::WhenModalAppears([&seen](QWidget* modal) {
        seen = true;
        Save(modal, QStringLiteral("about_box"));
        modal->close();
    });
    ShowAboutBox(nullptr);
    EXPECT_TRUE(seen);
}

TEST(DialogScreenshots, HelpWindow) {
    HelpWindow window(SourceDir() + QStringLiteral("/doc/manual"), nullptr);
    window.ShowContents();
    Save(&window, QStringLiteral("help_window"));
}

}  // namespace
}  // namespace roamer::gui
