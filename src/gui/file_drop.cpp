#include "gui/file_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace roamer::gui {

std::vector<std::string> PlayerFilesIn(const QMimeData& data) {
    std::vector<std::string> files;
    if (!data.hasUrls()) return files;
    for (const QUrl& url : data.urls()) {
        const QString path = url.toLocalFile();
        const bool ours = path.endsWith(QLatin1String(".vol"), Qt::CaseInsensitive) ||
                          path.endsWith(QLatin1String(".dsg"), Qt::CaseInsensitive);
        if (!url.isLocalFile() || !ours) return {};
        files.push_back(QFile::encodeName(path).toStdString());
    }
    return files;
}

FileDrop::FileDrop(Open open, QObject* parent) : QObject(parent), m_open(std::move(open)) {}

void FileDrop::Watch(QWidget& window) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (drag->mimeData() != nullptr && !PlayerFilesIn(*drag->mimeData()).empty())
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            std::vector<std::string> files;
            if (drop->mimeData() != nullptr) files = PlayerFilesIn(*drop->mimeData());
            if (files.empty()) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            QTimer::singleShot(0, this, [this, files] { m_open(files); });
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace roamer::gui
