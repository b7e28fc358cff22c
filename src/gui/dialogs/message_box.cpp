#include "gui/dialogs/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "gui/dialogs/dialog_font.h"

namespace roamer::gui {

namespace {

void Show(QMessageBox::Icon icon, QWidget* parent, const QString& text) {
    QMessageBox box(icon, QStringLiteral("Roamer"), text, QMessageBox::NoButton, parent);
    box.setFont(DialogFont());
    // The path of what was made can be copied from it.
    if (icon == QMessageBox::Information) box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The user's language on the button, not the toolkit's.
    QPushButton* ok = box.addButton(QStringLiteral("確定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

}  // namespace

void ShowMessage(QWidget* parent, const QString& text) { Show(QMessageBox::Warning, parent, text); }

void ShowInformation(QWidget* parent, const QString& text) {
    Show(QMessageBox::Information, parent, text);
}

}  // namespace roamer::gui
