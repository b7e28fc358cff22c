#include "platform/gl/scene_collector.h"

namespace roamer::gl {

void CollectScene(const rm::Frame& scene, SceneContents* contents) {
    contents->meshes.clear();
    contents->lights.clear();
    contents->shadows.clear();
    struct Pending {
        const rm::Frame* frame;
        rm::Transform world;
    };
    std::vector<Pending> pending{{&scene, scene.LocalTransform()}};
    while (!pending.empty()) {
        const Pending item = pending.back();
        pending.pop_back();
        for (const auto& visual : item.frame->GetVisuals()) {
            if (visual->GetKind() == rm::Visual::Kind::Mesh) {
                contents->meshes.push_back(
                    {std::static_pointer_cast<rm::MeshBuilder>(visual), item.world});
            } else {
                contents->shadows.push_back(
                    {std::static_pointer_cast<rm::Shadow>(visual), item.world});
            }
        }
        for (const auto& light : item.frame->GetLights()) {
            contents->lights.push_back({light.get(), item.world});
        }
        for (const auto& child : item.frame->GetChildren()) {
            pending.push_back({child.get(), child->LocalTransform().Then(item.world)});
        }
    }
}

}  // namespace roamer::gl
