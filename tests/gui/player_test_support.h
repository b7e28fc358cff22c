#pragma once

#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace roamer::gui::test {

// Runs `answer` on the next modal window of type T as soon as it is shown (the code under test
// is then inside that window's exec), as a user would answer it.
// Deleting the returned timer stops the watch.
template <typename T>
QPointer<QTimer> WhenModal(std::function<void(T*)> answer, int timeoutMs = 20000) {
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer, waited, timeoutMs] {
        *waited += 20;
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
            window != nullptr && window->isVisible()) {
            poll->stop();
            poll->deleteLater();
            answer(window);
        } else if (*waited > timeoutMs) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(20);
    return poll;
}

// Answers the next file dialog by typing `path` into its name field and pressing Enter.
void AnswerFileDialog(const QString& path);
// Answers the next message box with the button of `button` (a QMessageBox::StandardButton);
// the text it showed goes to `shown` when given.
void AnswerMessageBox(int button, QString* shown = nullptr);

// How many different colours an image has (up to `enough`) and its mean brightness 0..255.
int DistinctColours(const QImage& image, int enough = 1000);
double MeanBrightness(const QImage& image);
// The share of pixels, 0..1, that differ between two images of the same size.
double ChangedShare(const QImage& a, const QImage& b);

// The source tree's samples, and where the build writes the screenshots for a reviewer.
QString SamplesFolder();
QString ScreenshotFolder();

}  // namespace roamer::gui::test
