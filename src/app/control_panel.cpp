#include "app/control_panel.h"

#include "platform/text/cp950.h"

namespace roamer::app {

void ControlPanel::SetStatus(std::int32_t state, std::string_view designPath, bool loop) {
    const char* text = nullptr;
    switch (state) {
        case PS_PLAYING: text = loop ? "[循環]播放中" : "播放中"; break;
        case PS_PAUSED: text = loop ? "[循環]暫停" : "暫停"; break;
        case PS_LOADING: text = loop ? "[循環]載入中" : "載入中"; break;
        case PS_NONE:
        case PS_NOLIST:
        case PS_READY: text = loop ? "[循環]" : ""; break;
        default: m_stateText.clear(); return;
    }
    m_stateText = text;
    if (m_frameExists) {
        std::string title;
        if (TitleFor(state, designPath, loop, title)) m_frameTitle = std::move(title);
    }
}

void ControlPanel::ShowDesignCounter(int a, int b) {
    m_designCounter = "選播" + std::to_string(a) + "/" + std::to_string(b);
}

void ControlPanel::ShowPassCounter(int a, int b) {
    m_passCounter = "次數" + std::to_string(a) + "/" + std::to_string(b);
}

void ControlPanel::UpdateButtons(std::int32_t state) {
    // Play, stop, pause, previous, next and options follow the state.
    std::array<Image, 6> images{};
    switch (state) {
        case PS_READY: images = {kNormal, kDisabled, kDisabled, kNormal, kNormal, kNormal}; break;
        case PS_PLAYING: images = {kDisabled, kNormal, kNormal, kNormal, kNormal, kDisabled}; break;
        case PS_PAUSED: images = {kNormal, kNormal, kDisabled, kNormal, kNormal, kNormal}; break;
        case -1:
        case PS_NONE:
        case PS_NOLIST: images.fill(kDisabled); break;
        default: return;
    }
    for (int i = 0; i < 5; ++i) m_images[static_cast<std::size_t>(i)] = images[static_cast<std::size_t>(i)];
    m_images[kOptions] = images[5];
}

std::string ControlPanel::DesignName(std::string_view designPath) {
    const std::string path = text::ToDisplayText(designPath);
    const std::size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (slash == std::string::npos && name.size() >= 2 && name[1] == ':') name.erase(0, 2);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}

bool ControlPanel::TitleFor(std::int32_t state, std::string_view designPath, bool loop,
                            std::string& title) {
    title.assign(kApplicationTitle);
    const std::string suffix = loop ? "[循環]" : "";
    switch (state) {
        case -1:
        case PS_NONE:
        case PS_NOLIST: title += "-[未開啟]"; return true;
        case PS_READY: title += "-[準備播放]"; return true;
        case PS_PLAYING: title += "-" + DesignName(designPath) + "-播放中" + suffix; return true;
        case PS_PAUSED: title += "-" + DesignName(designPath) + "-暫停" + suffix; return true;
        case PS_LOADING: title += "-" + DesignName(designPath) + "-載入中" + suffix; return true;
        default: return false;
    }
}

}  // namespace roamer::app
