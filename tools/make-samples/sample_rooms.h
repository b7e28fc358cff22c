#pragma once

#include <string>

namespace roamer::samples {

// Writes the textures, plant pictures and furniture models the sample rooms use into `folder`
// (tex/, plants/, models/). False, with the reason on standard error, when one cannot be written.
bool WriteSampleAssets(const std::string& folder);
// Builds each sample room and writes it as `folder/NAME.dsg`, NAME in UTF-8.
bool WriteSampleDesigns(const std::string& folder);

}  // namespace roamer::samples
