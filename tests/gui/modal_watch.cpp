#include "modal_watch.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <memory>

namespace roamer::test {

QPointer<QTimer> WhenModalAppears(std::function<void(QWidget*)> act, int timeoutMs,
                                  std::function<bool(QWidget*)> wanted) {
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* poll = new QTimer(qApp);
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    QObject::connect(poll, &QTimer::timeout, poll, [poll, before, clock, act, timeoutMs, wanted] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr && modal != before && modal->isVisible() &&
            (!wanted || wanted(modal))) {
            poll->stop();
            poll->deleteLater();
            act(modal);
        } else if (clock->elapsed() > timeoutMs) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(20);
    return poll;
}

void StopWatching(const QPointer<QTimer>& watch) {
    if (watch) delete watch.data();
}

QPointer<QTimer> AnswerNextMessage(QString* text, int timeoutMs) {
    return WhenModalAppears(
        [text](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            *text = box->text();
            QTest::mouseClick(box->buttons().value(0), Qt::LeftButton);
        },
        timeoutMs, [](QWidget* modal) { return qobject_cast<QMessageBox*>(modal) != nullptr; });
}

}  // namespace roamer::test
