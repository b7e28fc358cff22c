#include "gui/dialogs/dialog_font.h"

#include <QFontMetricsF>
#include <QString>

#include <cmath>

namespace roamer::gui {

QFont DialogFont() {
    QFont font(QStringLiteral("AR PL UMing TW"));
    font.setPointSize(9);
    font.setStyleHint(QFont::Serif);
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetricsF metrics(font);
    // The average width of the Latin letters, as the dialog units were always measured.
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = metrics.horizontalAdvance(kLetters) / static_cast<double>(kLetters.size());
    m_baseY = metrics.height();
}

int DialogUnits::X(int units) const {
    return static_cast<int>(std::lround(units * m_baseX / 4.0));
}

int DialogUnits::Y(int units) const {
    return static_cast<int>(std::lround(units * m_baseY / 8.0));
}

QRect DialogUnits::Rect(int x, int y, int width, int height) const {
    return {X(x), Y(y), X(width), Y(height)};
}

}  // namespace roamer::gui
