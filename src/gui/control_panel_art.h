#pragma once

#include <QPixmap>
#include <QString>
#include <QSvgRenderer>

#include <map>
#include <memory>
#include <tuple>

#include "app/control_panel.h"

class QPainter;

namespace roamer::gui {

// The panel's SVG pictures, drawn stretched into their rectangles at the painter's pixel ratio
// so they stay crisp on HiDPI screens. Rendered pictures are kept for the next paint.
class ControlPanelArt {
public:
    ControlPanelArt();

    void DrawBackground(QPainter& painter, const QRect& rect);
    void DrawLoopToggle(QPainter& painter, const QRect& rect, bool loopOn);
    void DrawButton(QPainter& painter, const QRect& rect, app::ControlPanel::Button button,
                    app::ControlPanel::Image image);

    // Whether every picture could be read from the resources.
    bool Complete() const { return m_complete; }

    static QString ButtonResource(app::ControlPanel::Button button, app::ControlPanel::Image image);

private:
    void Draw(QPainter& painter, const QRect& rect, const QString& resource);

    using Key = std::tuple<QString, int, int, int>;  // resource, width, height, ratio x 100
    std::map<QString, std::unique_ptr<QSvgRenderer>> m_renderers;
    std::map<Key, QPixmap> m_rendered;
    bool m_complete = true;
};

}  // namespace roamer::gui
