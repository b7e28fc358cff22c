#pragma once

#include <QFont>
#include <QRect>

namespace roamer::gui {

// The face of the player's dialogs: the Ming face at 9 points, so the Traditional Chinese texts
// look as the designers expect. Points scale with the screen, so it is right at any pixel ratio.
QFont DialogFont();

// Turns dialog units into logical pixels from the metrics of a font: a quarter of the average
// character width across, an eighth of the character height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const;
    int Y(int units) const;
    QRect Rect(int x, int y, int width, int height) const;

private:
    double m_baseX;
    double m_baseY;
};

}  // namespace roamer::gui
