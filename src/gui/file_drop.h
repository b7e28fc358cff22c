#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QMimeData;
class QWidget;

namespace roamer::gui {

// The local play lists (.vol) and designs (.dsg) a drag carries; empty when it carries
// anything else as well, so that such a drag is refused before it is dropped.
std::vector<std::string> PlayerFilesIn(const QMimeData& data);

// Lets play lists and designs be dropped on a window. The files are opened after the drop has
// ended, so that the unsaved-changes question and the messages do not hold up the drag source.
class FileDrop final : public QObject {
public:
    using Open = std::function<void(const std::vector<std::string>&)>;
    FileDrop(Open open, QObject* parent);
    // Accepts drops on `window` and on its children that take none themselves.
    void Watch(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Open m_open;
};

}  // namespace roamer::gui
