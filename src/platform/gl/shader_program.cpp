#include "platform/gl/shader_program.h"

namespace roamer::gl {
namespace {

GLuint Compile(GLenum kind, const char* source, std::string* error) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        *error = log;
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

ShaderProgram::~ShaderProgram() {
    if (m_program != 0) {
        glDeleteProgram(m_program);
    }
}

bool ShaderProgram::Build(const char* vertexSource, const char* fragmentSource,
                          std::string* error) {
    if (m_program != 0) {  // built again: the new program replaces the old one
        glDeleteProgram(m_program);
        m_program = 0;
    }
    const GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource, error);
    if (vertex == 0) {
        return false;
    }
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentSource, error);
    if (fragment == 0) {
        glDeleteShader(vertex);
        return false;
    }
    m_program = glCreateProgram();
    glAttachShader(m_program, vertex);
    glAttachShader(m_program, fragment);
    glLinkProgram(m_program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(m_program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[2048] = {};
        glGetProgramInfoLog(m_program, sizeof log, nullptr, log);
        *error = log;
        return false;
    }
    return true;
}

}  // namespace roamer::gl
