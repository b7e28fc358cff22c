// The player opened from outside its buttons: files on the command line, and play lists and
// designs dropped on its windows, on the test's own X display.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <filesystem>

#include "app/player_app.h"
#include "gui/d3d_frame.h"
#include "gui/player_dialog.h"
#include "gui/player_program.h"
#include "player_test_support.h"
#include "support/temp_dir.h"

namespace roamer::gui {
namespace {

class PlayerStart : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::copy(test::SamplesFolder().toStdString(), dir.Path(),
                              std::filesystem::copy_options::recursive);
        program = std::make_unique<PlayerProgram>();
        program->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->Dialog()));
    }
    void TearDown() override { program.reset(); }

    app::PlayerApp& App() { return program->App(); }
    std::string InDir(const char* name) const { return dir.File(name); }

    // A drag of `files` from a file manager, entered and dropped on `target`; whether the
    // target accepted it.
    static bool Drop(QWidget& target, const std::vector<std::string>& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& f : files) urls.push_back(QUrl::fromLocalFile(QString::fromStdString(f)));
        data.setUrls(urls);
        const QPoint at = target.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        return drop.isAccepted();
    }

    roamer::test::TempDir dir;
    std::unique_ptr<PlayerProgram> program;
};

TEST_F(PlayerStart, APlayListFromTheCommandLinePlaysItsFirstDesign) {
    // As `roamer --play samples/default.vol` from the folder above the samples.
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.Path()));
    program->OpenAtStart({"default.vol"}, true);
    const bool playing = QTest::qWaitFor([this] { return App().state == app::PS_PLAYING; }, 20000);
    QDir::setCurrent(before);
    ASSERT_TRUE(playing);
    EXPECT_EQ(App().designCount, 3);
    EXPECT_EQ(App().designIndex, 0);
    ASSERT_NE(program->Host().Frame(), nullptr);
    EXPECT_TRUE(program->Host().Frame()->isVisible());
    EXPECT_EQ(program->Host().Frame()->windowTitle(), QStringLiteral("Roamer-客廳-播放中"));
    EXPECT_FALSE(program->Dialog().Welcome()->isVisible());  // closed by the first list
}

TEST_F(PlayerStart, ADesignDroppedOnThePanelOpensAfterTheUnsavedQuestion) {
    ASSERT_TRUE(Drop(program->Dialog(), {InDir("臥室.dsg")}));
    ASSERT_TRUE(QTest::qWaitFor([this] { return App().designCount == 1; }, 20000));
    EXPECT_EQ(App().playList, std::vector<std::string>{InDir("臥室.dsg")});
    EXPECT_EQ(App().loadedEntry, InDir("臥室.dsg"));
    EXPECT_EQ(App().state, app::PS_READY);
    ASSERT_NE(program->Host().Frame(), nullptr);
    EXPECT_TRUE(program->Host().Frame()->isVisible());

    // A changed design is offered for saving first; No drops the change. Two designs dropped
    // on the 3D frame this time.
    App().modified = true;
    QString asked;
    test::AnswerMessageBox(QMessageBox::No, &asked);
    ASSERT_TRUE(Drop(*program->Host().Frame(), {InDir("客廳.dsg"), InDir("兩房公寓.dsg")}));
    ASSERT_TRUE(QTest::qWaitFor([this] { return App().designCount == 2; }, 20000));
    EXPECT_EQ(asked, QStringLiteral("設計案已修改!是否儲存?"));
    EXPECT_EQ(App().loadedEntry, InDir("客廳.dsg"));
}

TEST_F(PlayerStart, OtherFilesAreRefusedAtTheDoorAndAMixGetsTheListMessage) {
    std::filesystem::copy_file(InDir("客廳.dsg"), InDir("notes.txt"));
    EXPECT_FALSE(Drop(program->Dialog(), {InDir("notes.txt")}));
    EXPECT_FALSE(Drop(program->Dialog(), {InDir("客廳.dsg"), InDir("notes.txt")}));
    EXPECT_EQ(App().designCount, 0);

    QString shown;
    test::AnswerMessageBox(QMessageBox::Ok, &shown);
    ASSERT_TRUE(Drop(program->Dialog(), {InDir("default.vol"), InDir("客廳.dsg")}));
    ASSERT_TRUE(QTest::qWaitFor([&shown] { return !shown.isEmpty(); }, 20000));
    EXPECT_EQ(shown, QStringLiteral("錯誤的播放表!"));
    EXPECT_EQ(App().designCount, 0);
}

}  // namespace
}  // namespace roamer::gui
