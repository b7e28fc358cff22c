#include "platform/gl/scene_programs.h"

#include <algorithm>

#include "platform/gl/scene_shaders.h"

namespace roamer::gl {
namespace {

// What the source of one arrangement starts with, after the version line.
std::string ArrangementDefines(const std::vector<GLint>& types, int vertexCount) {
    const int count = static_cast<int>(types.size());
    std::string list;
    for (const GLint type : types) {
        list += (list.empty() ? "" : ", ") + std::to_string(type);
    }
    // GLSL has no empty arrays: a program without lights keeps one unused slot.
    const std::string arraySize = std::to_string(std::max(count, 1));
    return "#define LIGHT_COUNT " + std::to_string(count) + "\n#define VERTEX_LIGHTS " +
           std::to_string(vertexCount) + "\n#define LIGHT_ARRAY_SIZE " + arraySize +
           "\n#define LIGHT_TYPES " + (list.empty() ? "0" : list) + "\n" +
           (vertexCount < count ? "#define PIXEL_LIGHTS\n" : "");
}

bool Build(ShaderProgram* program, const std::string& defines, bool holes, std::string* error) {
    const std::string prefix = "#version 330 core\n" + defines +
                               (holes ? "#define DROP_TEXELS\n" : "") + kSceneLighting;
    const std::string vertex = prefix + kSceneVertexShader;
    const std::string fragment = prefix + kSceneFragmentShader;
    return program->Build(vertex.c_str(), fragment.c_str(), error);
}

}  // namespace

const SceneProgramCache::Programs* SceneProgramCache::Get(const std::vector<GLint>& types,
                                                          int vertexCount, std::string* error) {
    const std::string defines = ArrangementDefines(types, vertexCount);
    auto found = m_built.find(defines);
    if (found == m_built.end()) {
        if (m_built.size() >= kMostArrangements) {
            m_built.clear();
        }
        Arrangement made;
        made.programs = std::make_unique<Programs>();
        // A failure is kept too, so a frame that keeps this arrangement does not compile it
        // again every time.
        if (!Build(&made.programs->solid, defines, false, &made.log) ||
            !Build(&made.programs->holes, defines, true, &made.log)) {
            made.programs.reset();
        }
        found = m_built.emplace(defines, std::move(made)).first;
    }
    if (found->second.programs == nullptr && error != nullptr) *error = found->second.log;
    return found->second.programs.get();
}

}  // namespace roamer::gl
