#include "gui/dialogs/options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "app/options_dialog_model.h"
#include "modal_watch.h"

namespace roamer::gui {
namespace {

app::PlayerSettings StartSettings() {
    app::PlayerSettings settings;
    settings.speedIndex = 2;
    settings.pauseIndex = 0;
    settings.repeatCount = 3;
    return settings;
}

class OptionsDialogTest : public testing::Test {
protected:

    // The dialog shown as the player shows it, without blocking the test.
    std::unique_ptr<OptionsDialog> Open() {
        auto dialog = std::make_unique<OptionsDialog>(model, nullptr);
        dialog->open();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    template <typename W>
    static W* Child(QWidget* dialog, const char* name) {
        auto* widget = dialog->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static void TypeCount(QWidget* dialog, const QString& text) {
        auto* count = Child<QLineEdit>(dialog, "count");
        count->setFocus();
        QTest::keyClick(count, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(count, text);
    }

    // Presses OK and returns the text of the message it brought up, if any.
    static QString PressOk(QWidget* dialog) {
        QString message;
        const QPointer<QTimer> watch = test::AnswerNextMessage(&message, 2000);
        QTest::mouseClick(Child<QPushButton>(dialog, "ok"), Qt::LeftButton);
        test::StopWatching(watch);
        return message;
    }

    app::PlayerSettings settings = StartSettings();
    bool modified = false;
    int saves = 0;
    bool saveSucceeds = true;
    app::OptionsDialogModel model{settings, modified, [this] {
                                      ++saves;
                                      return saveSucceeds;
                                  }};
};

TEST_F(OptionsDialogTest, ShowsTheSettingsUnderItsTitle) {
    auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Roamer-功能選項"));
    EXPECT_EQ(Child<QComboBox>(dialog.get(), "speed")->currentText(), QStringLiteral("適中"));
    EXPECT_EQ(Child<QComboBox>(dialog.get(), "speed")->count(), 4);
    EXPECT_EQ(Child<QComboBox>(dialog.get(), "pause")->currentText(), QStringLiteral("短"));
    EXPECT_EQ(Child<QComboBox>(dialog.get(), "pause")->count(), 3);
    EXPECT_EQ(Child<QLineEdit>(dialog.get(), "count")->text(), QStringLiteral("3"));
    EXPECT_FALSE(Child<QCheckBox>(dialog.get(), "editMode")->isChecked());
}

TEST_F(OptionsDialogTest, EditModeEnablesSaveOnlyForAModifiedDesign) {
    modified = true;
    auto dialog = Open();
    auto* save = Child<QPushButton>(dialog.get(), "saveDesign");
    auto* editMode = Child<QCheckBox>(dialog.get(), "editMode");
    EXPECT_FALSE(save->isEnabled());
    QTest::mouseClick(editMode, Qt::LeftButton);
    EXPECT_TRUE(editMode->isChecked());
    EXPECT_TRUE(save->isEnabled());
    QTest::mouseClick(editMode, Qt::LeftButton);
    EXPECT_FALSE(save->isEnabled());

    modified = false;
    QTest::mouseClick(editMode, Qt::LeftButton);
    EXPECT_TRUE(editMode->isChecked());
    EXPECT_FALSE(save->isEnabled());
}

TEST_F(OptionsDialogTest, SaveButtonSavesAndStaysSavedAfterCancel) {
    modified = true;
    settings.editMode = true;
    model.values = settings;
    auto dialog = Open();
    auto* save = Child<QPushButton>(dialog.get(), "saveDesign");
    ASSERT_TRUE(save->isEnabled());
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(modified);
    EXPECT_FALSE(save->isEnabled());

    QTest::keyClick(Child<QComboBox>(dialog.get(), "speed"), Qt::Key_Down);
    TypeCount(dialog.get(), QStringLiteral("7"));
    QTest::mouseClick(Child<QPushButton>(dialog.get(), "cancel"), Qt::LeftButton);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(modified);
    EXPECT_EQ(model.values.repeatCount, 3);
    EXPECT_EQ(model.values.speedIndex, 2);
}

TEST_F(OptionsDialogTest, AFailedSaveKeepsTheButtonForAnotherTry) {
    modified = true;
    saveSucceeds = false;
    model.values.editMode = true;
    auto dialog = Open();
    auto* save = Child<QPushButton>(dialog.get(), "saveDesign");
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(modified);
    EXPECT_TRUE(save->isEnabled());
}

TEST_F(OptionsDialogTest, RefusesCountsThatAreNotAWholeNumberAboveZero) {
    auto dialog = Open();
    for (const QString& bad : {QStringLiteral("0"), QStringLiteral("-2")}) {
        TypeCount(dialog.get(), bad);
        EXPECT_EQ(PressOk(dialog.get()), QStringLiteral("播放次數不可以小於1！")) << bad.toStdString();
        EXPECT_TRUE(dialog->isVisible());
    }
    for (const QString& bad : {QStringLiteral("abc"), QStringLiteral("2.5"), QString(),
                               QStringLiteral("999999999999")}) {
        TypeCount(dialog.get(), bad);
        EXPECT_EQ(PressOk(dialog.get()), QStringLiteral("播放次數必須是整數！")) << bad.toStdString();
        EXPECT_TRUE(dialog->isVisible());
    }
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    // The dialog is still usable after a refusal.
    TypeCount(dialog.get(), QStringLiteral("2"));
    EXPECT_EQ(PressOk(dialog.get()), QString());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(model.values.repeatCount, 2);
}

TEST_F(OptionsDialogTest, OkTakesEveryControl) {
    auto dialog = Open();
    QTest::keyClick(Child<QComboBox>(dialog.get(), "speed"), Qt::Key_Up);
    QTest::keyClick(Child<QComboBox>(dialog.get(), "pause"), Qt::Key_Down);
    QTest::mouseClick(Child<QCheckBox>(dialog.get(), "wallCollision"), Qt::LeftButton);
    QTest::mouseClick(Child<QCheckBox>(dialog.get(), "editMode"), Qt::LeftButton);
    TypeCount(dialog.get(), QStringLiteral(" 1 "));
    EXPECT_EQ(PressOk(dialog.get()), QString());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);

    int passIndex = 2;
    model.Apply(settings, passIndex);
    EXPECT_EQ(settings.speedIndex, 1);
    EXPECT_EQ(settings.pauseIndex, 1);
    EXPECT_EQ(settings.repeatCount, 1);
    EXPECT_TRUE(settings.wallCollision);
    EXPECT_TRUE(settings.editMode);
    EXPECT_EQ(passIndex, 0);
}

TEST_F(OptionsDialogTest, EnterIsOkAndEscapeIsCancel) {
    auto dialog = Open();
    TypeCount(dialog.get(), QStringLiteral("4"));
    QTest::keyClick(Child<QLineEdit>(dialog.get(), "count"), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(model.values.repeatCount, 4);

    auto again = Open();
    QTest::keyClick(again.get(), Qt::Key_Escape);
    EXPECT_FALSE(again->isVisible());
    EXPECT_EQ(again->result(), QDialog::Rejected);
}

}  // namespace
}  // namespace roamer::gui
