#pragma once
// Small GL helpers for the graphics tests: a throw-away program built straight from GLSL text,
// a primitive counter and a pixel reader.
#include <GL/glew.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace GfxTest {

// Links `vertex` and `fragment`; attribute i of `attributes` is bound to location i.
// Returns 0 and fills `log` when compiling or linking fails.
inline GLuint buildProgram(const std::string& vertex, const std::string& fragment,
                           const std::vector<std::string>& attributes, std::string& log)
{
    const auto compile = [&log](GLenum stage, const std::string& text) -> GLuint {
        const GLuint shader = glCreateShader(stage);
        const char* source = text.c_str();
        glShaderSource(shader, 1, &source, nullptr);
        glCompileShader(shader);
        GLint ok = GL_FALSE;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
        if (ok != GL_TRUE) {
            char buffer[1024] = {};
            glGetShaderInfoLog(shader, sizeof buffer, nullptr, buffer);
            log += buffer;
        }
        return shader;
    };
    const GLuint program = glCreateProgram();
    const GLuint vs = compile(GL_VERTEX_SHADER, vertex);
    const GLuint fs = compile(GL_FRAGMENT_SHADER, fragment);
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    for (size_t i = 0; i < attributes.size(); ++i)
        glBindAttribLocation(program, static_cast<GLuint>(i), attributes[i].c_str());
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        char buffer[1024] = {};
        glGetProgramInfoLog(program, sizeof buffer, nullptr, buffer);
        log += buffer;
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

// Counts the triangles that `drawCall` sends down the pipeline.
template <typename F> GLuint countTriangles(F&& drawCall)
{
    GLuint query = 0;
    glGenQueries(1, &query);
    glBeginQuery(GL_PRIMITIVES_GENERATED, query);
    drawCall();
    glEndQuery(GL_PRIMITIVES_GENERATED);
    GLuint result = 0;
    glGetQueryObjectuiv(query, GL_QUERY_RESULT, &result);
    glDeleteQueries(1, &query);
    return result;
}

// RGBA bytes of one pixel of the bound read framebuffer.
inline std::array<uint8_t, 4> readPixel(int x, int y)
{
    std::array<uint8_t, 4> pixel{};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
    return pixel;
}

} // namespace GfxTest

namespace GfxTest {

// A small RGBA8 render target with depth, bound on creation; restores framebuffer 0 when destroyed.
class OffscreenTarget {
public:
    OffscreenTarget(int width, int height)
    {
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glGenRenderbuffers(2, renderbuffers);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
        glViewport(0, 0, width, height);
        complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    ~OffscreenTarget()
    {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(2, renderbuffers);
        glDeleteFramebuffers(1, &framebuffer);
    }
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    bool complete = false;

private:
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {};
};

} // namespace GfxTest

#include "engine/gfx/meshdata.h"
#include "engine/gfx/model3d.h"

#include <memory>

namespace GfxTest {

// A quad covering clip space from `lower` to `upper`, texture (0,0) at `lower` and (1,1) at `upper`.
inline std::unique_ptr<Engine::GFX::Mesh::Model3D> clipQuad(glm::vec2 lower = glm::vec2(-1.0f),
                                                            glm::vec2 upper = glm::vec2(1.0f))
{
    Engine::GFX::Mesh::MeshData data;
    Engine::GFX::Mesh::addQuad2D(data, lower, upper, glm::vec4(1.0f), {0, 0}, {1, 1});
    auto quad = std::make_unique<Engine::GFX::Mesh::Model3D>();
    quad->setMeshData(data);
    quad->upload();
    return quad;
}

// Vertex stage for the default layout passing the texture coordinate and colour on.
inline const char* defaultLayoutVertexShader()
{
    return R"(#version 330 core
in vec3 aPosition;
in vec3 aNormal;
in vec4 aColour;
in vec2 aTexCoord;
out vec2 vTexCoord;
void main() { vTexCoord = aTexCoord; gl_Position = vec4(aPosition + 0.0 * aNormal, 1.0) + 0.0 * aColour; }
)";
}

inline const std::vector<std::string>& defaultLayoutAttributes()
{
    static const std::vector<std::string> names = {"aPosition", "aNormal", "aColour", "aTexCoord"};
    return names;
}

} // namespace GfxTest
