#include "gui/dialogs/message_box.h"

#include <QMessageBox>

#include "gui/dialogs/dialog_font.h"

namespace roamer::gui {

void ShowMessage(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Roamer"), text, QMessageBox::Ok, parent);
    box.setFont(DialogFont());
    box.exec();
}

}  // namespace roamer::gui
