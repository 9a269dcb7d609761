#pragma once
// The one engine-owned place that binds a program and uploads the standard matrices
// "uModelViewMatrix", "uProjectionMatrix" and "uModelMatrix".
#include <GL/glew.h>
#include <glm/glm.hpp>

namespace Engine::GFX {

class ShaderProgram;

class RenderContext {
public:
    // Binds `program`, ties its samplers to texture units 0, 1, ... and finds its standard matrix
    // uniforms. Uploads no matrix: follow with setModelMatrix.
    void useProgram(const ShaderProgram& program);
    // Stores `model`, computes model-view = view × model and uploads the standard matrices that the
    // bound program declares.
    void setModelMatrix(const glm::mat4& model);

    // Drawing code writes view and projection directly (a camera's pair) before setModelMatrix.
    glm::mat4 viewMatrix{1.0f};
    glm::mat4 projectionMatrix{1.0f};
    glm::mat4 modelMatrix{1.0f};
    glm::mat4 modelViewMatrix{1.0f};

private:
    struct StandardUniform {
        GLint location = -1;
        bool present = false;
    };
    StandardUniform modelView_;
    StandardUniform projection_;
    StandardUniform model_;
};

} // namespace Engine::GFX
