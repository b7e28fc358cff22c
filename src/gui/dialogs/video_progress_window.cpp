#include "gui/dialogs/video_progress_window.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/dialogs/dialog_font.h"

namespace roamer::gui {

VideoProgressWindow::VideoProgressWindow(const QString& fileName, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("videoProgress"));
    setFont(DialogFont());
    setWindowTitle(QStringLiteral("匯出影片"));
    const DialogUnits units(font());

    m_message = new QLabel(QStringLiteral("正在匯出 %1").arg(fileName), this);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setTextFormat(Qt::PlainText);
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("bar"));
    m_bar->setRange(0, 1000);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    m_status->setTextFormat(Qt::PlainText);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_cancel->setObjectName(QStringLiteral("cancel"));
    m_cancel->setMinimumWidth(units.X(40));
    m_cancel->setDefault(true);
    connect(m_cancel, &QPushButton::clicked, this, &VideoProgressWindow::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(units.X(10), units.Y(10), units.X(10), units.Y(7));
    layout->setSpacing(units.Y(4));
    layout->addWidget(m_message);
    layout->addWidget(m_bar);
    layout->addWidget(m_status);
    layout->addSpacing(units.Y(4));
    layout->addLayout(buttons);
    setMinimumWidth(units.X(220));
    setSizeGripEnabled(false);
}

void VideoProgressWindow::SetProgress(int permille, const QString& status) {
    m_bar->setValue(std::clamp(permille, 0, 1000));
    if (!m_stopAsked) m_status->setText(status);
}

void VideoProgressWindow::Finish() {
    m_finished = true;
    accept();
}

void VideoProgressWindow::reject() {
    if (m_finished) {
        QDialog::reject();
        return;
    }
    if (m_stopAsked) return;
    m_stopAsked = true;
    m_cancel->setEnabled(false);
    m_status->setText(QStringLiteral("正在停止…"));
    emit stopRequested();
}

}  // namespace roamer::gui
