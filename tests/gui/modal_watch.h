#pragma once

#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>

class QWidget;

namespace roamer::test {

// Waits (in the event loop of whatever modal window is running) for a new modal window that
// `wanted` accepts (any, when empty) to appear, then hands it to `act`, which must close it.
// Gives up after `timeoutMs`; deleting the returned watch stops it earlier.
QPointer<QTimer> WhenModalAppears(std::function<void(QWidget*)> act, int timeoutMs = 5000,
                                  std::function<bool(QWidget*)> wanted = {});

// The text of the next message box, which is then answered with OK. `text` is written once
// the box was seen; it stays empty when none appeared.
QPointer<QTimer> AnswerNextMessage(QString* text, int timeoutMs = 5000);

// Stops a watch that may still be waiting.
void StopWatching(const QPointer<QTimer>& watch);

}  // namespace roamer::test
