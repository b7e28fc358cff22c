#include "gui/load_progress.h"

#include <QWidget>

#include <algorithm>

#include "gui/dialogs/progress_window.h"

namespace roamer::gui {
namespace {

// Repaints at about the screen's rate are enough; every record of a long section reports.
constexpr int kPumpEveryMs = 15;

// Bounds are 16-bit, as the bar of old kept them.
int Bounded(int value) { return std::clamp(value, -32768, 32767); }

}  // namespace

LoadProgress::LoadProgress(QWidget* owner) : m_owner(owner) {}

LoadProgress::~LoadProgress() {
    if (m_window) delete m_window.data();
}

void LoadProgress::Begin() {
    if (m_loading) return;
    m_loading = true;
    m_hiddenForMessage = false;
    m_clock.start();
    m_sincePump.start();
}

void LoadProgress::SetMessage(std::string_view text) {
    Begin();
    m_message = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (m_window) m_window->SetMessage(m_message);
}

void LoadProgress::SetRange(int lower, int upper) {
    Begin();
    m_lower = Bounded(lower);
    m_upper = Bounded(upper);
    if (m_window) m_window->SetRange(m_lower, m_upper);
}

void LoadProgress::SetStep(int step) {
    Begin();
    m_step = step;
    if (m_window) m_window->SetStep(step);
}

void LoadProgress::SetPos(int position) { MoveTo(position); }

void LoadProgress::OffsetPos(int delta) { MoveTo(m_position + delta); }

void LoadProgress::StepIt() {
    // The bar wraps to its start when a step passes the end.
    int next = m_position + m_step;
    if (next > m_upper) next = m_lower + (next - m_upper);
    MoveTo(next);
}

void LoadProgress::MoveTo(int position) {
    Begin();
    ShowWhenSlow();
    m_position = position;
    // A shown window pumps the events itself when its bar moves.
    if (WindowShown()) m_window->SetPos(position);
    else Pump();
}

void LoadProgress::ShowWhenSlow() {
    if (m_window || m_hiddenForMessage || !m_owner || m_clock.elapsed() < kShowAfterMs) return;
    m_window = new ProgressWindow(m_owner);
    m_window->SetMessage(m_message);
    m_window->SetRange(m_lower, m_upper);
    m_window->SetStep(m_step);
    m_window->show();
    m_window->raise();
}

void LoadProgress::Pump() {
    if (!m_loading) return;
    if (m_sincePump.elapsed() < kPumpEveryMs) return;
    // Paint and move windows, but keep the user's input queued for after the load.
    ProgressWindow::PumpMessages();
    m_sincePump.start();
}

void LoadProgress::HideWindow() {
    m_hiddenForMessage = m_loading;
    if (m_window) m_window->hide();
}

bool LoadProgress::WindowShown() const { return m_window && m_window->isVisible(); }

void LoadProgress::Close() {
    if (m_window) m_window->hide();
    if (!m_loading) return;
    m_loading = false;
    m_position = 0;
    if (m_onFinished) m_onFinished();
}

}  // namespace roamer::gui
