#pragma once

#include <QString>

class QWidget;

namespace roamer::gui {

// A message with one OK button and a warning icon, titled with the product name.
void ShowMessage(QWidget* parent, const QString& text);
// The same with an information icon and selectable text, for news of work that went well.
void ShowInformation(QWidget* parent, const QString& text);

}  // namespace roamer::gui
