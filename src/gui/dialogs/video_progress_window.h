#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace roamer::gui {

// The window shown while a walkthrough video is made: which file, a bar, the frames done and
// the time left, and 取消. Cancelling (the button, Escape or closing the window) only asks the
// work to stop; the window stays until the work says it has ended, so the user never sees the
// player back while a half-made file is still being cleaned up.
class VideoProgressWindow final : public QDialog {
    Q_OBJECT
public:
    VideoProgressWindow(const QString& fileName, QWidget* parent = nullptr);

    // `permille` 0..1000 of the bar, `status` the frames and time left.
    void SetProgress(int permille, const QString& status);
    // The work has ended: the window closes.
    void Finish();
    bool StopAsked() const { return m_stopAsked; }

    void reject() override;

signals:
    void stopRequested();

private:
    QLabel* m_message = nullptr;
    QProgressBar* m_bar = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_stopAsked = false;
    bool m_finished = false;
};

}  // namespace roamer::gui
