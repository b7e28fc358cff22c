#include "gui/panel_layout.h"

namespace roamer::gui {
namespace {

using Panel = app::ControlPanel;

// The controls in dialog units, buttons in hit-test order.
constexpr std::array<QRect, PanelLayout::kButtonCount> kButtonUnits{{
    {110, 71, 39, 34},  // play
    {34, 86, 20, 19},   // stop
    {55, 87, 17, 18},   // pause
    {8, 85, 24, 20},    // previous design
    {74, 84, 19, 20},   // next design
    {53, 6, 20, 20},    // open designs
    {80, 6, 20, 20},    // open play list
    {8, 5, 30, 38},     // options
    {126, 11, 19, 20},  // close
}};

}  // namespace

PanelLayout::PanelLayout(const PanelUnits& units)
    : m_panel(units.X(kPanelUnits.width()), units.Y(kPanelUnits.height())),
      m_picture(units.Map({0, 0, 166, 113})),
      m_loop(units.Map({12, 47, 19, 20})),
      m_designCounter(units.Map({1, 118, 50, 10})),
      m_passCounter(units.Map({53, 118, 50, 10})),
      m_state(units.Map({103, 118, 63, 10})) {
    for (std::size_t i = 0; i < m_buttons.size(); ++i) m_buttons[i] = units.Map(kButtonUnits[i]);
}

int PanelLayout::HitTest(QPoint point) const {
    for (int i = 0; i < kButtonCount; ++i)
        if (Button(i).contains(point)) return i;
    return -1;
}

QString PanelLayout::ButtonTip(int index) {
    switch (index) {
        case Panel::kPlay: return QStringLiteral("播放");
        case Panel::kStop: return QStringLiteral("停止");
        case Panel::kPause: return QStringLiteral("暫停");
        case Panel::kPrevious: return QStringLiteral("前一個設計案");
        case Panel::kNext: return QStringLiteral("下一個設計案");
        case Panel::kOpenDesigns: return QStringLiteral("開啟設計案");
        case Panel::kOpenPlayList: return QStringLiteral("開啟播放表");
        case Panel::kOptions: return QStringLiteral("設定選項");
        case Panel::kClose: return QStringLiteral("關閉播放機");
        default: return {};
    }
}

QString PanelLayout::LoopTip() { return QStringLiteral("循環播放"); }

}  // namespace roamer::gui
