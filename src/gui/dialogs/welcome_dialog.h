#pragma once

#include <QDialog>
#include <QPixmap>
#include <QTimer>
#include <QUrl>

#include <array>

class QPainter;
class QPushButton;

namespace roamer::gui {

// The modeless "產品訊息" window shown beside the player: three pictures of the sample rooms,
// changing every ten seconds, and a button that opens the installed manual's start page in the
// system browser. The dialog runs its own ten-second timer (the player's logic does not pick the
// picture); a host that prefers to drive it from its own timer calls StopRotation() and then
// NextImage() on each tick.
class WelcomeDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPictureCount = 3;
    static constexpr int kRotationMs = 10000;
    static const char* const kCannotOpenSite;

    // `siteUrl`: the page the button opens, normally the manual's start page as a file URL.
    explicit WelcomeDialog(const QUrl& siteUrl, QWidget* parent = nullptr);

    void SetSiteUrl(const QUrl& url) { m_siteUrl = url; }
    QUrl SiteUrl() const { return m_siteUrl; }
    // `index` 0..2 (pictures one to three); other values are ignored.
    void ShowPicture(int index);
    int PictureIndex() const { return m_index; }
    // The next picture, wrapping from the third to the first.
    void NextImage();
    void StopRotation() { m_rotation.stop(); }
    bool Rotating() const { return m_rotation.isActive(); }
    // Opens the site; false (after telling the user) when it cannot be opened.
    bool OpenSite();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintProductName(QPainter& painter, const QRect& area);
    std::array<QPixmap, kPictureCount> m_pictures;
    int m_index = 0;
    QUrl m_siteUrl;
    QTimer m_rotation;
    QPushButton* m_site = nullptr;
};

}  // namespace roamer::gui
