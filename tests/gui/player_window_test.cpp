// The player's windows run for real on the test's own X display: a user's session with the
// sample play list, driven through the panel's pictures, the 3D view's keys and mouse, and the
// real file dialogs, options dialog and message boxes.
#include <QCheckBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "app/design_session.h"
#include "app/player_app.h"
#include "gui/d3d_frame.h"
#include "gui/d3d_view.h"
#include "gui/dialogs/options_dialog.h"
#include "gui/load_progress.h"
#include "gui/player_dialog.h"
#include "gui/player_program.h"
#include "player_test_support.h"
#include "model/room_design.h"
#include "platform/recording_host.h"
#include "support/temp_dir.h"

namespace roamer::gui {
namespace {

using test::AnswerFileDialog;
using test::AnswerMessageBox;
using test::WhenModal;
using Panel = app::ControlPanel;

// Reads a saved design back as the player's design reader does, without any window.
struct DesignReader : app::DesignView {
    void ApplyViewer(const app::ViewerState&) override {}
    void SetAmbientColor(rm::Color) override {}
    app::ViewerState GetViewer() const override { return {}; }
    void LoadBrowsePath(const std::string&) override {}

    rm::RetainedMode d3drm;
    std::unique_ptr<rm::Frame> scene = d3drm.CreateScene();
    rm::Frame* room = scene->CreateChild();
    RecordingHost host;
    app::DesignSession session{d3drm, room, scene.get(), host, *this, "/"};
};

model::CFurniture* Sofa(model::CRoomDesign& design) {
    for (const auto& piece : design.Furniture().Items())
        if (piece->GetKey().FurnitureFile.find("\\sofa.x") != std::string::npos) return piece.get();
    return nullptr;
}

class PlayerWindows : public ::testing::Test {
protected:
    void SetUp() override {
        // The samples are copied, so saving beside them leaves the tree alone.
        std::filesystem::copy(test::SamplesFolder().toStdString(), dir.Path(),
                              std::filesystem::copy_options::recursive);
        program = std::make_unique<PlayerProgram>();
        program->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Dialog()));
    }
    void TearDown() override { program.reset(); }

    PlayerDialog& Dialog() { return program->Dialog(); }
    app::PlayerApp& App() { return program->App(); }
    const Panel& ThePanel() { return App().Panel(); }
    QString InDir(const char* name) const {
        return QString::fromStdString(dir.File(name));
    }
    // A click on a button's picture on the panel.
    void Click(int button) {
        QTest::mouseClick(&Dialog(), Qt::LeftButton, {}, Dialog().Layout().Button(button).center());
    }
    D3DFrame* Frame() { return program->Host().Frame(); }
    D3DView& View() { return Frame()->View(); }
    QImage Grab() {
        QTest::qWait(30);
        return View().grabFramebuffer();
    }
    rm::Vector3 Eye() { return App().Navigator().GetViewerPosition(); }
    void OpenSamplePlayList() {
        AnswerFileDialog(InDir("default.vol"));
        Click(Panel::kOpenPlayList);
        ASSERT_NE(Frame(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Frame()));
    }
    // Runs the options dialog and lets `change` work its controls before OK.
    void Options(const std::function<void(OptionsDialog*)>& change) {
        WhenModal<OptionsDialog>([change](OptionsDialog* d) {
            change(d);
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
        });
        Click(Panel::kOptions);
    }
    static void Tick(OptionsDialog* d, const char* box) {
        auto* check = d->findChild<QCheckBox*>(QString::fromLatin1(box));
        ASSERT_NE(check, nullptr);
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(6, check->height() / 2));
    }

    roamer::test::TempDir dir;
    std::unique_ptr<PlayerProgram> program;
};

TEST_F(PlayerWindows, OpenPlayWalkEditSaveAndClose) {
    // The player starts bare at the top-left, with the welcome dialog beside it.
    EXPECT_FALSE(Dialog().TitleBarShown());
    ASSERT_NE(Dialog().Welcome(), nullptr);
    EXPECT_TRUE(Dialog().Welcome()->isVisible());
    EXPECT_FALSE(ThePanel().IsEnabled(Panel::kPlay));

    OpenSamplePlayList();
    EXPECT_EQ(App().designCount, 3);
    EXPECT_EQ(Frame()->size(), QSize(640, 480));
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Roamer-[準備播放]"));
    EXPECT_FALSE(Dialog().Welcome()->isVisible());  // closed by the first list
    EXPECT_EQ(ThePanel().DesignCounterText(), "選播1/3");

    Click(Panel::kPlay);
    ASSERT_EQ(App().state, app::PS_PLAYING);
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Roamer-客廳-播放中"));
    EXPECT_EQ(ThePanel().StateText(), "播放中");
    EXPECT_EQ(ThePanel().DesignCounterText(), "選播1/3");
    EXPECT_EQ(ThePanel().PassCounterText().substr(ThePanel().PassCounterText().size() - 2), "/1");
    EXPECT_EQ(ThePanel().ButtonImage(Panel::kPlay), Panel::kDisabled);
    const QImage playing = Grab();
    EXPECT_EQ(playing.size(), QSize(640, 480) * View().devicePixelRatio());
    EXPECT_GT(test::DistinctColours(playing), 200) << "the room, not a uniform picture";
    EXPECT_GT(test::MeanBrightness(playing), 40.0) << "the room, not a black view";

    // The loop toggle while playing: the texts change at once.
    QTest::mouseClick(&Dialog(), Qt::LeftButton, {}, Dialog().Layout().LoopToggle().center());
    EXPECT_TRUE(App().loop);
    EXPECT_EQ(ThePanel().StateText(), "[循環]播放中");
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Roamer-客廳-播放中[循環]"));
    QTest::mouseClick(&Dialog(), Qt::LeftButton, {}, Dialog().Layout().LoopToggle().center());
    EXPECT_FALSE(App().loop);

    QTest::qWait(400);  // a few play ticks
    Click(Panel::kNext);
    EXPECT_EQ(App().designIndex, 1);
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Roamer-臥室-播放中"));
    Click(Panel::kPause);
    EXPECT_EQ(App().state, app::PS_PAUSED);
    EXPECT_EQ(ThePanel().StateText(), "暫停");
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("Roamer-臥室-暫停"));
    Click(Panel::kStop);
    EXPECT_EQ(App().state, app::PS_READY);
    EXPECT_EQ(ThePanel().StateText(), "");

    // Back to the living room, then walk with the arrow keys in the view.
    for (int i = 0; i < 3 && App().designIndex > -1; ++i) Click(Panel::kPrevious);
    Click(Panel::kPlay);
    ASSERT_EQ(Frame()->windowTitle(), QStringLiteral("Roamer-客廳-播放中"));
    Click(Panel::kStop);
    View().setFocus();
    const QImage standing = Grab();
    const rm::Vector3 start = Eye();
    for (int i = 0; i < 3; ++i) QTest::keyClick(&View(), Qt::Key_Up);
    QTest::keyClick(&View(), Qt::Key_Left);
    EXPECT_GT(test::ChangedShare(standing, Grab()), 0.2) << "the picture follows the walk";
    EXPECT_NE(Eye().z, start.z);

    // Keys pressed on the panel reach the navigator too.
    const rm::Vector3 beforePanelKey = Eye();
    QTest::keyClick(&Dialog(), Qt::Key_Down);
    EXPECT_NE(Eye().z, beforePanelKey.z);

    // Holding the left button away from the press point drives forward on the play timer.
    const QPoint centre = View().rect().center();
    const rm::Vector3 beforeDrive = Eye();
    QTest::mousePress(&View(), Qt::LeftButton, {}, centre);
    QTest::mouseMove(&View(), centre - QPoint(0, 80));
    QTest::qWait(500);
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, centre - QPoint(0, 80));
    const rm::Vector3 afterDrive = Eye();
    EXPECT_GT(std::hypot(afterDrive.x - beforeDrive.x, afterDrive.z - beforeDrive.z), 5.0);
    EXPECT_FALSE(App().mouseDrive);

    // With wall collision on, walking on and on ends at the wall, inside the room.
    Options([](OptionsDialog* d) { Tick(d, "wallCollision"); });
    ASSERT_TRUE(App().settings.wallCollision);
    for (int i = 0; i < 120; ++i) QTest::keyClick(&View(), Qt::Key_Up);
    EXPECT_LT(std::abs(Eye().x), 300.0f);
    EXPECT_LT(std::abs(Eye().z), 300.0f);

    // Edit mode: click the sofa, drag it up the screen (towards +z), save it to a new file.
    Options([](OptionsDialog* d) { Tick(d, "editMode"); });
    ASSERT_TRUE(App().settings.editMode);
    App().Navigator().SetHeading(0.0);
    App().Navigator().SetViewerPosition({0.0f, 160.0f, -250.0f});
    App().Engine().Render();
    model::CFurniture* sofa = Sofa(*App().Design());
    ASSERT_NE(sofa, nullptr);
    // Where the sofa shows in the view, as the engine picks it.
    const auto findSofa = [&] {
        for (int y = 4; y < View().height(); y += 6)
            for (int x = 4; x < View().width(); x += 6) {
                std::vector<rm::PickHit> hits;
                App().Engine().Pick(x, y, &hits);
                if (!hits.empty() && hits.front().visual.get() == sofa->GetMesh().get())
                    return QPoint(x, y + 3);
            }
        return QPoint(-1, -1);
    };
    const QPoint onSofa = findSofa();
    ASSERT_GE(onSofa.x(), 0) << "the sofa is in view";
    const float sofaZ = sofa->GetPosition().z;
    QTest::mousePress(&View(), Qt::LeftButton, {}, onSofa);
    EXPECT_EQ(App().Selected(), sofa);
    QTest::mouseMove(&View(), onSofa - QPoint(0, 15));
    QTest::mouseMove(&View(), onSofa - QPoint(0, 30));
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, onSofa - QPoint(0, 30));
    EXPECT_NEAR(sofa->GetPosition().z, sofaZ + 30.0f, 1.0f);
    EXPECT_TRUE(App().modified);

    const QString saved = InDir("moved.dsg");
    WhenModal<OptionsDialog>([saved](OptionsDialog* d) {
        auto* save = d->findChild<QPushButton*>(QStringLiteral("saveDesign"));
        ASSERT_NE(save, nullptr);
        EXPECT_TRUE(save->isEnabled());
        AnswerFileDialog(saved);
        QTest::mouseClick(save, Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("ok")), Qt::LeftButton);
    });
    Click(Panel::kOptions);
    ASSERT_TRUE(QFileInfo::exists(saved));
    EXPECT_FALSE(App().modified);
    DesignReader reader;
    ASSERT_TRUE(reader.session.LoadDesign(saved.toStdString()));
    model::CFurniture* readBack = Sofa(reader.session.Design());
    ASSERT_NE(readBack, nullptr);
    EXPECT_NEAR(readBack->GetPosition().z, sofaZ + 30.0f, 1.0f);

    // A further change, then closing: the question comes once; No leaves the file alone.
    const QPoint movedSofa = findSofa();
    QTest::mousePress(&View(), Qt::LeftButton, {}, movedSofa);
    QTest::mouseMove(&View(), movedSofa - QPoint(0, 20));
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, movedSofa - QPoint(0, 20));
    ASSERT_TRUE(App().modified);
    QString question;
    AnswerMessageBox(QMessageBox::No, &question);
    Click(Panel::kClose);
    EXPECT_EQ(question, QStringLiteral("設計案已修改!是否儲存?"));
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Frame(), nullptr);
    EXPECT_FALSE(program->Host().TimerRunning(app::PlayerApp::kPlayTimer));
    EXPECT_FALSE(program->Host().TimerRunning(app::PlayerApp::kWelcomeTimer));
}

// The end of the desktop session: left alone when it may not ask, held off during a load,
// otherwise the player closes as from its close button, asking about the changed design.
TEST_F(PlayerWindows, SessionEndClosesWithTheSaveQuestionOnlyWhenItMayAsk) {
    OpenSamplePlayList();
    App().modified = true;
    EXPECT_EQ(program->EndSession(false), PlayerProgram::SessionEnd::kLeftAlone);
    EXPECT_TRUE(Dialog().isVisible());

    program->Loads().SetMessage("loading");
    EXPECT_EQ(program->EndSession(true), PlayerProgram::SessionEnd::kLogoutCancelled);
    EXPECT_TRUE(Dialog().isVisible());
    program->Loads().Close();

    QString question;
    AnswerMessageBox(QMessageBox::No, &question);
    EXPECT_EQ(program->EndSession(true), PlayerProgram::SessionEnd::kClosed);
    EXPECT_EQ(question, QStringLiteral("設計案已修改!是否儲存?"));
    EXPECT_FALSE(Dialog().isVisible());
    EXPECT_EQ(Frame(), nullptr);
    EXPECT_FALSE(program->Host().TimerRunning(app::PlayerApp::kPlayTimer));
    // Once closed, a second request finds nothing to do.
    EXPECT_EQ(program->EndSession(true), PlayerProgram::SessionEnd::kLeftAlone);
}

}  // namespace
}  // namespace roamer::gui
