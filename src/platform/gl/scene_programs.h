#pragma once

#include <epoxy/gl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/gl/shader_program.h"

namespace roamer::gl {

// The scene's shader programs, built for each arrangement of lights a frame brings: the lights'
// count, their types and how many are summed at the vertices are constants of the source, so the
// compiler unrolls the sums instead of looping over uniform arrays at every pixel.
class SceneProgramCache {
public:
    struct Programs {
        ShaderProgram solid;  // keeps every texel, and with it the early depth test
        ShaderProgram holes;  // drops colour-keyed texels
    };

    // The programs for lights of `types` in that order, the first `vertexCount` of them summed at
    // the vertices; null with the compiler's log in `error` when they do not build (asked again,
    // the same answer without building them again).
    const Programs* Get(const std::vector<GLint>& types, int vertexCount, std::string* error);

private:
    // A player meets one arrangement per design; past this many, all are dropped and built anew.
    static constexpr std::size_t kMostArrangements = 16;
    struct Arrangement {
        std::unique_ptr<Programs> programs;  // null when they did not build
        std::string log;                     // the compiler's, then
    };
    std::map<std::string, Arrangement> m_built;
};

}  // namespace roamer::gl
