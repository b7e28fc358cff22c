#include "app/options_dialog_model.h"

namespace roamer::app {

OptionsDialogModel::OptionsDialogModel(const PlayerSettings& settings, bool& modified,
                                       std::function<bool()> saveDesign)
    : values(settings), m_modified(modified), m_saveDesign(std::move(saveDesign)) {}

void OptionsDialogModel::Save() {
    if (m_saveDesign && m_saveDesign()) m_modified = false;
}

std::string_view OptionsDialogModel::Validate() const {
    return values.repeatCount < 1 ? kCountTooSmall : std::string_view{};
}

void OptionsDialogModel::Apply(PlayerSettings& settings, int& passIndex) const {
    settings = values;
    if (passIndex >= settings.repeatCount) passIndex = settings.repeatCount - 1;
}

}  // namespace roamer::app
