#include "gui/dialogs/help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/dialogs/dialog_font.h"

namespace roamer::gui {
namespace {

QToolButton* MakeButton(QWidget* parent, const char* name, const QString& text,
                        QStyle::StandardPixmap icon, const QKeySequence& key) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setIcon(parent->style()->standardIcon(icon));
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setShortcut(key);
    button->setAutoRaise(true);
    return button;
}

}  // namespace

HelpWindow::HelpWindow(const QString& manualFolder, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_contents(QDir(manualFolder).absoluteFilePath(QStringLiteral("index.html"))) {
    setFont(DialogFont());
    setWindowTitle(QStringLiteral("Roamer 使用說明"));

    m_back = MakeButton(this, "back", QStringLiteral("上一頁"), QStyle::SP_ArrowBack,
                        QKeySequence(Qt::ALT | Qt::Key_Left));
    m_forward = MakeButton(this, "forward", QStringLiteral("下一頁"), QStyle::SP_ArrowForward,
                           QKeySequence(Qt::ALT | Qt::Key_Right));
    m_home = MakeButton(this, "contents", QStringLiteral("目錄"), QStyle::SP_FileDialogContentsView,
                        QKeySequence(Qt::ALT | Qt::Key_Home));

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    m_browser->setOpenExternalLinks(true);
    m_browser->setSearchPaths({manualFolder});
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QToolButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QToolButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_home, &QToolButton::clicked, this, &HelpWindow::ShowContents);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QToolButton::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Roamer 使用說明") : title);
    });

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(4, 2, 4, 2);
    bar->addWidget(m_back);
    bar->addWidget(m_forward);
    bar->addWidget(m_home);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(bar);
    layout->addWidget(m_browser, 1);
    resize(760, 600);
}

void HelpWindow::ShowContents() {
    if (QFileInfo(m_contents).isFile()) {
        m_browser->setSource(QUrl::fromLocalFile(m_contents));
    } else {
        m_browser->setHtml(QStringLiteral("<p>找不到使用說明：%1</p><p>請重新安裝 Roamer。</p>")
                               .arg(m_contents.toHtmlEscaped()));
    }
    show();
    raise();
    activateWindow();
}

}  // namespace roamer::gui
