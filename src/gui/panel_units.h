#pragma once

#include <QFont>
#include <QRect>

namespace roamer::gui {

// Dialog units of the player's panel: a quarter of the average character width and an eighth
// of the character height of its font, the Ming face at 9 points (12 logical pixels at 96 dpi,
// about 1.5 pixels a unit). Qt scales logical pixels for HiDPI screens.
class PanelUnits {
public:
    // The units of the panel font.
    static PanelUnits ForPanelFont();
    // Units from base values in pixels (average character width, character height).
    PanelUnits(int baseWidth, int baseHeight) : m_baseWidth(baseWidth), m_baseHeight(baseHeight) {}

    // The panel's font: the Ming face at 9 points in logical pixels.
    static QFont PanelFont();

    int X(int units) const;
    int Y(int units) const;
    // A rectangle in dialog units as logical pixels.
    QRect Map(const QRect& units) const;
    int BaseWidth() const { return m_baseWidth; }
    int BaseHeight() const { return m_baseHeight; }

private:
    int m_baseWidth;
    int m_baseHeight;
};

}  // namespace roamer::gui
