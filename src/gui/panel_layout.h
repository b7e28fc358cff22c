#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

#include "app/control_panel.h"
#include "gui/panel_units.h"

namespace roamer::gui {

// Where the control panel's pictures, buttons and texts stand, in logical pixels, and which of
// them a point hits.
class PanelLayout {
public:
    static constexpr int kButtonCount = app::ControlPanel::kButtonCount;
    // Size of the whole panel, with the status row, and of its picture area, in dialog units.
    static constexpr QSize kPanelUnits{168, 130};

    explicit PanelLayout(const PanelUnits& units);

    QSize PanelSize() const { return m_panel; }  // the advanced panel
    // The basic panel ends at the picture area's bottom, cutting off the status row.
    QSize BasicPanelSize() const { return {m_panel.width(), m_picture.bottom() + 1}; }
    // The background is drawn 2 pixels wider and 1 higher than its control.
    QRect BackgroundRect() const { return m_picture.adjusted(0, 0, 2, 1); }
    QRect PictureArea() const { return m_picture; }
    QRect LoopToggle() const { return m_loop; }
    QRect Button(int index) const { return m_buttons[static_cast<std::size_t>(index)]; }
    QRect DesignCounter() const { return m_designCounter; }
    QRect PassCounter() const { return m_passCounter; }
    QRect StateText() const { return m_state; }

    // The first button, in index order, whose rectangle holds the point; -1 for none.
    int HitTest(QPoint point) const;
    bool InLoopToggle(QPoint point) const { return m_loop.contains(point); }

    // Tooltips: of the buttons by index, and of the loop toggle.
    static QString ButtonTip(int index);
    static QString LoopTip();

private:
    QSize m_panel;
    QRect m_picture;
    QRect m_loop;
    std::array<QRect, kButtonCount> m_buttons;
    QRect m_designCounter;
    QRect m_passCounter;
    QRect m_state;
};

}  // namespace roamer::gui
