#pragma once

class QWidget;

namespace roamer::gui {

// The about box: the product name and version and an OK button, run modally.
void ShowAboutBox(QWidget* parent);

}  // namespace roamer::gui
