#include "gui/dialogs/progress_window.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>

#include <algorithm>

#include "gui/dialogs/dialog_font.h"

namespace roamer::gui {
namespace {

constexpr int kLowest = -32768;
constexpr int kHighest = 32767;

int Clamp16(int value) { return std::clamp(value, kLowest, kHighest); }

}  // namespace

ProgressWindow::ProgressWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setFont(DialogFont());
    setWindowTitle(QStringLiteral("Roamer"));
    const DialogUnits units(font());
    setFixedSize(units.X(186), units.Y(93));

    // Without a title bar the window needs an edge of its own to stand out from what lies below.
    auto* edge = new QFrame(this);
    edge->setFrameStyle(QFrame::Panel | QFrame::Raised);
    edge->setLineWidth(2);
    edge->setGeometry(rect());

    m_message = new QLabel(QStringLiteral("Progress Message"), this);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setGeometry(units.Rect(7, 19, 172, 16));

    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("bar"));
    m_bar->setTextVisible(false);
    m_bar->setRange(m_lower, m_upper);
    m_bar->setValue(m_lower);
    m_bar->setGeometry(units.Rect(7, 70, 172, 9));
}

void ProgressWindow::showEvent(QShowEvent* event) {
    // Centred on the screen, not over the parent: the player sits in a corner.
    const QScreen* screen = parentWidget() != nullptr ? parentWidget()->screen()
                                                      : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void ProgressWindow::SetMessage(const QString& text) { m_message->setText(text); }

QString ProgressWindow::Message() const { return m_message->text(); }

void ProgressWindow::SetRange(int lower, int upper) {
    m_lower = Clamp16(lower);
    m_upper = std::max(Clamp16(upper), m_lower + 1);
    m_bar->setRange(m_lower, m_upper);
    MoveTo(m_bar->value());
}

void ProgressWindow::SetStep(int step) { m_step = Clamp16(step); }

void ProgressWindow::SetPos(int position) {
    PumpMessages();
    MoveTo(position);
}

void ProgressWindow::OffsetPos(int delta) {
    PumpMessages();
    MoveTo(static_cast<long long>(Pos()) + delta);
}

void ProgressWindow::StepIt() {
    PumpMessages();
    MoveTo(static_cast<long long>(Pos()) + m_step);
}

int ProgressWindow::Pos() const { return std::max(m_bar->value(), m_lower); }

void ProgressWindow::MoveTo(long long position) {
    // Positions outside the range would be ignored by the bar, not shown at its ends.
    m_bar->setValue(static_cast<int>(std::clamp<long long>(position, m_lower, m_upper)));
}

void ProgressWindow::PumpMessages() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace roamer::gui
