#include "gui/dialogs/message_box.h"

#include <QMessageBox>
#include <QPushButton>

#include "gui/dialogs/dialog_font.h"

namespace roamer::gui {

void ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Roamer"), text, QMessageBox::NoButton,
                    parent);
    box.setFont(DialogFont());
    // The user's language on the button, not the toolkit's.
    QPushButton* ok = box.addButton(QStringLiteral("確定"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
}

}  // namespace roamer::gui
