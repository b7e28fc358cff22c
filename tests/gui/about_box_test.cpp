#include "gui/dialogs/about_box.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "modal_watch.h"

namespace roamer::gui {
namespace {

TEST(AboutBoxTest, ShowsTheVersionUntilOkIsPressed) {
    QString version;
    QString title;
    test::WhenModalAppears([&](QWidget* box) {
        title = box->windowTitle();
        version = box->findChild<QLabel*>(QStringLiteral("version"))->text();
        QTest::mouseClick(box->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    });
    ShowAboutBox(nullptr);
    EXPECT_EQ(version, QStringLiteral("Roamer v1.900"));
    EXPECT_EQ(title, QStringLiteral("關於Roamer"));
}

}  // namespace
}  // namespace roamer::gui
