#include "gui/dialogs/welcome_dialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "modal_watch.h"

namespace roamer::gui {
namespace {

QString SourceDir() { return QString::fromLocal8Bit(qgetenv("ROAMER_SOURCE_DIR")); }

QUrl ManualStart() {
    return QUrl::fromLocalFile(QDir(SourceDir()).absoluteFilePath(QStringLiteral("doc/manual/index.html")));
}

QImage Shown(WelcomeDialog& dialog) { return dialog.grab().toImage(); }

// Stands in for the system browser.
class FakeBrowser : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

TEST(WelcomeDialogTest, ShowsThreePicturesInTurn) {
    WelcomeDialog dialog(ManualStart());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("產品訊息"));
    EXPECT_FALSE(dialog.isModal());
    EXPECT_TRUE(dialog.Rotating());
    EXPECT_EQ(dialog.PictureIndex(), 0);

    QList<QImage> pictures;
    for (int i = 0; i < WelcomeDialog::kPictureCount; ++i) {
        dialog.ShowPicture(i);
        pictures.append(Shown(dialog));
    }
    // Every picture was drawn (none is the black of a missing one) and they differ.
    const QPoint middle(300, 200);
    for (const QImage& picture : pictures) EXPECT_NE(picture.pixel(middle), qRgb(0, 0, 0));
    EXPECT_NE(pictures[0], pictures[1]);
    EXPECT_NE(pictures[1], pictures[2]);

    dialog.ShowPicture(0);
    for (int expected : {1, 2, 0, 1}) {
        dialog.NextImage();
        EXPECT_EQ(dialog.PictureIndex(), expected);
    }
    EXPECT_EQ(Shown(dialog), pictures[1]);
    dialog.ShowPicture(3);
    dialog.ShowPicture(-1);
    EXPECT_EQ(dialog.PictureIndex(), 1);
}

TEST(WelcomeDialogTest, SiteButtonOpensTheManualInTheBrowser) {
    FakeBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "Open");
    WelcomeDialog dialog(ManualStart());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QString message;
    test::AnswerNextMessage(&message, 300);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("site")), Qt::LeftButton);
    QTest::qWait(400);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(message, QString());
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(browser.opened[0], ManualStart());
}

TEST(WelcomeDialogTest, SiteThatCannotBeOpenedIsReported) {
    FakeBrowser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &browser, "Open");
    WelcomeDialog dialog(QUrl::fromLocalFile(QStringLiteral("/nonexistent/manual/index.html")));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto* site = dialog.findChild<QPushButton*>(QStringLiteral("site"));
    QString message;
    test::AnswerNextMessage(&message);
    QTest::mouseClick(site, Qt::LeftButton);
    EXPECT_EQ(message, QStringLiteral("無法開啟Decorama網站!"));

    dialog.SetSiteUrl(QUrl());
    message.clear();
    test::AnswerNextMessage(&message);
    QTest::mouseClick(site, Qt::LeftButton);
    EXPECT_EQ(message, QStringLiteral("無法開啟Decorama網站!"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_TRUE(browser.opened.isEmpty());
}

}  // namespace
}  // namespace roamer::gui

#include "welcome_dialog_test.moc"
