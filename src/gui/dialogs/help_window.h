#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace roamer::gui {

// The player's own help: the Traditional Chinese manual, an HTML folder whose index.html is the
// table of contents, in a browser with back, forward and contents buttons (Alt+Left, Alt+Right,
// Alt+Home). Links between the manual's pages stay in the window; links to the web open in the
// system browser.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    HelpWindow(const QString& manualFolder, QWidget* parent);

    // Shows the table of contents and brings the window forward.
    void ShowContents();
    QTextBrowser* Browser() const { return m_browser; }

private:
    QString m_contents;
    QTextBrowser* m_browser = nullptr;
    QToolButton* m_back = nullptr;
    QToolButton* m_forward = nullptr;
    QToolButton* m_home = nullptr;
};

}  // namespace roamer::gui
