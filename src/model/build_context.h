#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/cell_budget.h"
#include "model/face_obj.h"
#include "model/texture_cache.h"
#include "platform/host.h"
#include "platform/rm/retained_mode.h"

namespace roamer::model {

// What building a design's surfaces needs beside the objects themselves: the render context,
// the host that shows the builder's messages, the design's texture cache and its cell budget.
struct BuildContext {
    rm::RetainedMode& d3drm;
    Host& host;
    TextureCache& textures;
    CellBudget& cells;
};

// "材質圖案:%s不存在，無法載入！" with the texture's name.
std::string MissingTextureMessage(const TextureKey& key);

// Builds one surface group into `faces`: refinement when asked, render faces with the group's
// colour, then its texture from the cache and its wrap in `frame`. A texture that cannot be
// loaded is reported, its identity cleared and the group left untextured. Errors of the render
// layer are not reported: building goes on with the next group.
void BuildSurface(CFaceObj& group, bool refine, float refineScale, const rm::Frame* frame,
                  BuildContext& context, std::vector<std::shared_ptr<rm::Face>>& faces);

}  // namespace roamer::model
