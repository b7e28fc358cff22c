#pragma once

#include <QDialog>

#include "app/options_dialog_model.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace roamer::gui {

// The playback settings dialog. It shows the model's values, forwards the edit-mode box and the
// save button to it, and ends with Accepted only when the model accepted the values taken from
// the controls; the caller then applies them:
//   auto m = app.BeginOptions(); OptionsDialog d(m, parent);
//   app.EndOptions(m, d.exec() == QDialog::Accepted);
// Child object names, for tests and accessibility: "speed", "pause", "count", "editMode",
// "wallCollision", "saveDesign", "ok", "cancel".
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    static const char* const kCountNotWhole;

    OptionsDialog(app::OptionsDialogModel& model, QWidget* parent);

    void accept() override;

private:
    QWidget* MakePlaybackGroup();
    QWidget* MakeAdvancedGroup();
    void ShowValues();
    // The values of the controls into the model; false (after telling the user) when the count
    // is not a whole number.
    bool TakeValues();
    void OnEditModeClicked();
    void OnSaveClicked();

    app::OptionsDialogModel& m_model;
    QComboBox* m_speed = nullptr;
    QComboBox* m_pause = nullptr;
    QLineEdit* m_count = nullptr;
    QCheckBox* m_editMode = nullptr;
    QCheckBox* m_wallCollision = nullptr;
    QPushButton* m_save = nullptr;
};

}  // namespace roamer::gui
