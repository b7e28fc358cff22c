#include "gui/dialogs/welcome_dialog.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QPainter>
#include <QPushButton>

#include "gui/dialogs/dialog_font.h"
#include "gui/dialogs/message_box.h"

namespace roamer::gui {
namespace {

constexpr int kPictureWidth = 615;
constexpr int kPictureHeight = 420;

}  // namespace

const char* const WelcomeDialog::kCannotOpenSite = "無法開啟Decorama網站!";

WelcomeDialog::WelcomeDialog(const QUrl& siteUrl, QWidget* parent)
    : QDialog(parent), m_siteUrl(siteUrl) {
    setModal(false);
    setFont(DialogFont());
    setWindowTitle(QStringLiteral("產品訊息"));
    for (int i = 0; i < kPictureCount; ++i)
        m_pictures[static_cast<std::size_t>(i)] =
            QPixmap(QStringLiteral(":/roamer/welcome/welcome_%1.png").arg(i + 1));
    // The pictures sit one pixel in from the top and left edges, at their own size.
    setFixedSize(kPictureWidth + 1, kPictureHeight + 1);

    const DialogUnits units(font());
    m_site = new QPushButton(QStringLiteral("歡迎光臨網站"), this);
    m_site->setObjectName(QStringLiteral("site"));
    m_site->setAutoDefault(false);
    QRect place = units.Rect(7, 259, 57, 16);
    place.setWidth(std::max(place.width(), m_site->sizeHint().width()));
    place.setHeight(std::max(place.height(), m_site->sizeHint().height()));
    m_site->setGeometry(place);
    connect(m_site, &QPushButton::clicked, this, &WelcomeDialog::OpenSite);

    m_rotation.setInterval(kRotationMs);
    connect(&m_rotation, &QTimer::timeout, this, &WelcomeDialog::NextImage);
    m_rotation.start();
}

void WelcomeDialog::ShowPicture(int index) {
    if (index < 0 || index >= kPictureCount) return;
    m_index = index;
    update();
}

void WelcomeDialog::NextImage() { ShowPicture((m_index + 1) % kPictureCount); }

bool WelcomeDialog::OpenSite() {
    // A manual page that is not installed would only make the browser show an error of its own.
    const bool missing = m_siteUrl.isLocalFile() && !QFileInfo(m_siteUrl.toLocalFile()).isFile();
    if (!m_siteUrl.isValid() || m_siteUrl.isEmpty() || missing ||
        !QDesktopServices::openUrl(m_siteUrl)) {
        ShowMessage(this, QString::fromUtf8(kCannotOpenSite));
        return false;
    }
    return true;
}

void WelcomeDialog::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect area = rect().adjusted(1, 1, 0, 0);
    const QPixmap& picture = m_pictures[static_cast<std::size_t>(m_index)];
    if (picture.isNull())
        painter.fillRect(area, Qt::black);
    else
        painter.drawPixmap(area, picture);
    PaintProductName(painter, area);
}

void WelcomeDialog::PaintProductName(QPainter& painter, const QRect& area) {
    // The name sits on the ceiling of every picture, on a soft band that keeps it readable over
    // light and dark rooms alike.
    painter.setRenderHint(QPainter::Antialiasing);
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(44);
    title.setBold(true);
    QFont subtitle = DialogFont();
    subtitle.setPixelSize(17);
    const QRect band(area.left(), area.top() + 18, 300, 84);
    QLinearGradient shade(band.topLeft(), band.topRight());
    shade.setColorAt(0.0, QColor(20, 24, 32, 170));
    shade.setColorAt(0.75, QColor(20, 24, 32, 110));
    shade.setColorAt(1.0, QColor(20, 24, 32, 0));
    painter.fillRect(band, shade);
    painter.setPen(QColor(255, 255, 255));
    painter.setFont(title);
    painter.drawText(band.adjusted(22, 4, 0, -32), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Roamer"));
    painter.setPen(QColor(230, 214, 170));
    painter.setFont(subtitle);
    painter.drawText(band.adjusted(24, 52, 0, -6), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("室內設計漫遊播放器"));
}

}  // namespace roamer::gui
