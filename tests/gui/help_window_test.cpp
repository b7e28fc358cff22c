#include "gui/dialogs/help_window.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

#include <gtest/gtest.h>

namespace roamer::gui {
namespace {

QString ManualFolder() {
    return QDir(QString::fromLocal8Bit(qgetenv("ROAMER_SOURCE_DIR")))
        .absoluteFilePath(QStringLiteral("doc/manual"));
}

QString Page(const QTextBrowser* browser) { return browser->source().fileName(); }

// Clicks the first link to `href` on the page shown, as a user would.
bool ClickLink(QTextBrowser* browser, const QString& href) {
    const QTextDocument* document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() != href) continue;
            QTextCursor cursor(browser->document());
            cursor.setPosition(fragment.position() + 1);
            browser->setTextCursor(cursor);
            browser->ensureCursorVisible();
            const QPoint point = browser->cursorRect(cursor).center();
            QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, point);
            return true;
        }
    }
    return false;
}

class HelpWindowTest : public testing::Test {
protected:
    HelpWindowTest() : window(ManualFolder(), nullptr) {
        window.ShowContents();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    QToolButton* Button(const char* name) {
        return window.findChild<QToolButton*>(QString::fromLatin1(name));
    }
    HelpWindow window;
};

TEST_F(HelpWindowTest, OpensAtTheContents) {
    EXPECT_EQ(Page(window.Browser()), QStringLiteral("index.html"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Roamer 使用手冊 - 目錄"));
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("目錄")));
    EXPECT_FALSE(Button("back")->isEnabled());
    EXPECT_FALSE(Button("forward")->isEnabled());
}

TEST_F(HelpWindowTest, FollowsLinksBackForwardAndToTheContents) {
    QTextBrowser* browser = window.Browser();
    ASSERT_TRUE(ClickLink(browser, QStringLiteral("panel.html")));
    EXPECT_EQ(Page(browser), QStringLiteral("panel.html"));
    EXPECT_TRUE(browser->toPlainText().contains(QStringLiteral("控制面板")));
    EXPECT_TRUE(Button("back")->isEnabled());

    ASSERT_TRUE(ClickLink(browser, QStringLiteral("index.html")));
    ASSERT_TRUE(ClickLink(browser, QStringLiteral("options.html")));
    EXPECT_EQ(Page(browser), QStringLiteral("options.html"));

    QTest::mouseClick(Button("back"), Qt::LeftButton);
    EXPECT_EQ(Page(browser), QStringLiteral("index.html"));
    EXPECT_TRUE(Button("forward")->isEnabled());
    QTest::mouseClick(Button("forward"), Qt::LeftButton);
    EXPECT_EQ(Page(browser), QStringLiteral("options.html"));
    EXPECT_FALSE(Button("forward")->isEnabled());

    QTest::mouseClick(Button("contents"), Qt::LeftButton);
    EXPECT_EQ(Page(browser), QStringLiteral("index.html"));
}

TEST_F(HelpWindowTest, EveryPageOfTheContentsOpens) {
    const QStringList pages = QDir(ManualFolder()).entryList({QStringLiteral("*.html")});
    for (const QString& page : pages) {
        if (page == QStringLiteral("index.html")) continue;
        QTest::mouseClick(Button("contents"), Qt::LeftButton);
        ASSERT_TRUE(ClickLink(window.Browser(), page)) << page.toStdString();
        EXPECT_EQ(Page(window.Browser()), page);
        EXPECT_GT(window.Browser()->toPlainText().size(), 200) << page.toStdString();
    }
}

TEST(HelpWindowMissingTest, SaysWhereTheManualWasLookedFor) {
    HelpWindow window(QStringLiteral("/nonexistent/manual"), nullptr);
    window.ShowContents();
    EXPECT_TRUE(window.Browser()->toPlainText().contains(QStringLiteral("/nonexistent/manual")));
}

}  // namespace
}  // namespace roamer::gui
