#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>

#include <functional>

#include "platform/progress.h"

class QWidget;

namespace roamer::gui {

class ProgressWindow;

// The progress of a design's loading. The window appears only when a load lasts longer than
// kShowAfterMs, above the other windows. While the load runs, each report lets the window
// system repaint and move windows, but the user's clicks and keys wait until the load has
// ended: a button pressed meanwhile must not start other work on the half-read design.
class LoadProgress final : public Progress {
public:
    static constexpr int kShowAfterMs = 300;

    // `owner` is the window the progress window stands above.
    explicit LoadProgress(QWidget* owner);
    ~LoadProgress() override;

    // The readers report to it whenever a load runs.
    bool HasWindow() const override { return true; }
    void SetMessage(std::string_view text) override;
    void SetRange(int lower, int upper) override;
    void SetStep(int step) override;
    void SetPos(int position) override;
    void OffsetPos(int delta) override;
    void StepIt() override;
    // The load has ended: the window goes, and what waited runs.
    void Close() override;

    // Whether a load is running: the player's timers wait for its end.
    bool Loading() const { return m_loading; }
    // Called once after each load, when the user's input flows again.
    void SetOnFinished(std::function<void()> onFinished) { m_onFinished = std::move(onFinished); }
    void SetOwner(QWidget* owner) { m_owner = owner; }
    // Hides the window, as a message box shown during the load must not stand below it.
    void HideWindow();
    bool WindowShown() const;

private:
    void Begin();
    void MoveTo(int position);
    void ShowWhenSlow();
    void Pump();

    QPointer<QWidget> m_owner;
    QPointer<ProgressWindow> m_window;
    QElapsedTimer m_clock;
    QElapsedTimer m_sincePump;
    std::function<void()> m_onFinished;
    QString m_message = QStringLiteral("Progress Message");
    bool m_loading = false;
    bool m_hiddenForMessage = false;
    int m_lower = 0;
    int m_upper = 100;
    int m_step = 10;
    int m_position = 0;
};

}  // namespace roamer::gui
