#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

namespace roamer::gui {

// The small window without a title bar that shows what a design load is reading and how far it
// got, kept above the other windows. Moving the bar pumps the event queue so that the windows stay
// painted, but the user's clicks and keys wait until the load is over: a button pressed during a
// load must not start a second load into the half-built design.
class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void SetMessage(const QString& text);
    // Bounds are 16-bit, as the bar always took them; an empty range becomes one step wide.
    void SetRange(int lower, int upper);
    void SetStep(int step);
    // These pump the events first, then move the bar; the position stays within the range.
    void SetPos(int position);
    void OffsetPos(int delta);
    void StepIt();
    // Delivers pending paint, timer and window events, holding back the user's input. Qt hands
    // the held input over once the load returns to the event loop (with GLib's loop, together
    // with the next event from the X server, such as the next pointer motion).
    static void PumpMessages();

    QString Message() const;
    int Lower() const { return m_lower; }
    int Upper() const { return m_upper; }
    int Step() const { return m_step; }
    int Pos() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void MoveTo(long long position);

    QLabel* m_message = nullptr;
    QProgressBar* m_bar = nullptr;
    int m_lower = 0;
    int m_upper = 100;
    int m_step = 10;
};

}  // namespace roamer::gui
