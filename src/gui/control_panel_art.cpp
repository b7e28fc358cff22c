#include "gui/control_panel_art.h"

#include <QPainter>

#include <cmath>

namespace roamer::gui {
namespace {

using Panel = app::ControlPanel;

const char* ButtonName(Panel::Button button) {
    switch (button) {
        case Panel::kPlay: return "play";
        case Panel::kStop: return "stop";
        case Panel::kPause: return "pause";
        case Panel::kPrevious: return "previous";
        case Panel::kNext: return "next";
        case Panel::kOpenDesigns: return "open_design";
        case Panel::kOpenPlayList: return "open_list";
        case Panel::kOptions: return "options";
        case Panel::kClose: return "close";
        default: return "close";
    }
}

const char* ImageName(Panel::Image image) {
    switch (image) {
        case Panel::kPressed: return "pressed";
        case Panel::kDisabled: return "disabled";
        default: return "normal";
    }
}

}  // namespace

ControlPanelArt::ControlPanelArt() {
    QStringList resources = {QStringLiteral(":/art/panel_background.svg"),
                             QStringLiteral(":/art/loop_on.svg"),
                             QStringLiteral(":/art/loop_off.svg")};
    for (int b = 0; b < Panel::kButtonCount; ++b)
        for (int i = Panel::kNormal; i <= Panel::kDisabled; ++i) {
            const auto button = static_cast<Panel::Button>(b);
            const auto image = static_cast<Panel::Image>(i);
            // The close button is never disabled and has no picture for it.
            if (button == Panel::kClose && image == Panel::kDisabled) continue;
            resources << ButtonResource(button, image);
        }
    for (const QString& resource : resources) {
        auto renderer = std::make_unique<QSvgRenderer>(resource);
        if (!renderer->isValid()) {
            m_complete = false;
            continue;
        }
        renderer->setAspectRatioMode(Qt::IgnoreAspectRatio);
        m_renderers[resource] = std::move(renderer);
    }
}

QString ControlPanelArt::ButtonResource(Panel::Button button, Panel::Image image) {
    if (button == Panel::kClose && image == Panel::kDisabled) image = Panel::kNormal;
    return QStringLiteral(":/art/%1_%2.svg")
        .arg(QLatin1String(ButtonName(button)), QLatin1String(ImageName(image)));
}

void ControlPanelArt::DrawBackground(QPainter& painter, const QRect& rect) {
    Draw(painter, rect, QStringLiteral(":/art/panel_background.svg"));
}

void ControlPanelArt::DrawLoopToggle(QPainter& painter, const QRect& rect, bool loopOn) {
    Draw(painter, rect, loopOn ? QStringLiteral(":/art/loop_on.svg")
                               : QStringLiteral(":/art/loop_off.svg"));
}

void ControlPanelArt::DrawButton(QPainter& painter, const QRect& rect, Panel::Button button,
                                 Panel::Image image) {
    Draw(painter, rect, ButtonResource(button, image));
}

void ControlPanelArt::Draw(QPainter& painter, const QRect& rect, const QString& resource) {
    const auto renderer = m_renderers.find(resource);
    if (renderer == m_renderers.end() || rect.isEmpty()) return;
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    const Key key{resource, rect.width(), rect.height(), static_cast<int>(std::lround(ratio * 100))};
    auto found = m_rendered.find(key);
    if (found == m_rendered.end()) {
        QPixmap picture(QSize(static_cast<int>(std::ceil(rect.width() * ratio)),
                              static_cast<int>(std::ceil(rect.height() * ratio))));
        picture.fill(Qt::transparent);
        {
            QPainter onPicture(&picture);
            onPicture.setRenderHint(QPainter::Antialiasing);
            renderer->second->render(&onPicture, QRectF(QPointF(0, 0), QSizeF(picture.size())));
        }
        picture.setDevicePixelRatio(ratio);
        found = m_rendered.emplace(key, std::move(picture)).first;
    }
    painter.drawPixmap(rect.topLeft(), found->second);
}

}  // namespace roamer::gui
