#include "model/build_context.h"

#include "platform/text/cp950.h"

namespace roamer::model {

std::string MissingTextureMessage(const TextureKey& key) {
    return "材質圖案:" + text::ToDisplayText(key.TextureName) + "不存在，無法載入！";
}

void BuildSurface(CFaceObj& group, bool refine, float refineScale, const rm::Frame* frame,
                  BuildContext& context, std::vector<std::shared_ptr<rm::Face>>& faces) {
    const rm::Color color = group.GetColor();
    if (refine) group.Refine(refineScale, context.host, context.cells);
    std::vector<std::shared_ptr<rm::Face>> created;
    if (rm::Succeeded(group.CreateRenderFaces(created)))
        faces.insert(faces.end(), created.begin(), created.end());
    group.SetColor(color);
    if (group.GetTextureKey().TextureID <= 0) return;

    TextureKey key = group.GetTextureKey();
    std::shared_ptr<rm::Texture> texture;
    if (rm::Failed(context.textures.Get(key, &texture))) {
        context.host.ShowMessage(MissingTextureMessage(key));
        key.Clear();
        texture.reset();
    }
    group.SetTexture(key, texture);
    if (key.TextureID > 0) group.ApplyWrap(frame);
}

}  // namespace roamer::model
