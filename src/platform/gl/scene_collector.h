#pragma once

#include <memory>
#include <vector>

#include "platform/rm/frame.h"
#include "platform/rm/light.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/shadow.h"
#include "platform/rm/transform.h"

namespace roamer::gl {

// What one frame of drawing needs from the scene graph, with every placement resolved into scene
// coordinates: one walk over the frames per render.
struct SceneContents {
    struct MeshInstance {
        std::shared_ptr<rm::MeshBuilder> mesh;
        rm::Transform world;
    };
    struct LightInstance {
        const rm::Light* light;
        rm::Transform world;
    };
    struct ShadowInstance {
        std::shared_ptr<rm::Shadow> shadow;
        rm::Transform world;
    };
    std::vector<MeshInstance> meshes;
    std::vector<LightInstance> lights;
    std::vector<ShadowInstance> shadows;
};

void CollectScene(const rm::Frame& scene, SceneContents* contents);

}  // namespace roamer::gl
