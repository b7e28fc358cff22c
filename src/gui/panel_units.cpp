#include "gui/panel_units.h"

#include <QFontMetricsF>
#include <QStringList>

#include <cmath>

namespace roamer::gui {
namespace {

// Rounded a * b / c, as the window system scales dialog units.
int ScaleRounded(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

}  // namespace

QFont PanelUnits::PanelFont() {
    QFont font(QStringLiteral("AR PL UMing TW"));
    font.setFamilies(QStringList{QStringLiteral("AR PL UMing TW"), QStringLiteral("AR PL UMing HK"),
                                 QStringLiteral("AR PL UMing CN"), QStringLiteral("serif")});
    font.setPixelSize(12);  // 9 points at 96 dpi
    return font;
}

PanelUnits PanelUnits::ForPanelFont() {
    const QFontMetricsF metrics(PanelFont());
    const QString alphabet =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    // The average width of the alphabet, rounded as the window system does.
    const int average = static_cast<int>((metrics.horizontalAdvance(alphabet) / 26.0 + 1.0) / 2.0);
    const int height = static_cast<int>(std::ceil(metrics.height()));
    return PanelUnits(average > 0 ? average : 6, height > 0 ? height : 12);
}

int PanelUnits::X(int units) const { return ScaleRounded(units, m_baseWidth, 4); }

int PanelUnits::Y(int units) const { return ScaleRounded(units, m_baseHeight, 8); }

QRect PanelUnits::Map(const QRect& units) const {
    const int left = X(units.x());
    const int top = Y(units.y());
    return QRect(left, top, X(units.x() + units.width()) - left,
                 Y(units.y() + units.height()) - top);
}

}  // namespace roamer::gui
