#pragma once

#include <epoxy/gl.h>

#include <string>

namespace roamer::gl {

// A linked vertex and fragment shader pair.
class ShaderProgram {
public:
    ShaderProgram() = default;
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // False with the compiler's log in `error` when the sources do not build.
    bool Build(const char* vertexSource, const char* fragmentSource, std::string* error);
    GLuint Id() const { return m_program; }
    GLint Uniform(const char* name) const { return glGetUniformLocation(m_program, name); }

private:
    GLuint m_program = 0;
};

}  // namespace roamer::gl
