#pragma once
// GL state shared by the UI draw systems: every pass draws premultiplied colours, so it blends
// with (ONE, ONE_MINUS_SRC_ALPHA), and hands the usual (SRC_ALPHA, ONE_MINUS_SRC_ALPHA) factors
// back with blending off when it ends.
#include "engine/gfx/rendercontext.h"
#include "engine/gfx/shader.h"

#include <GL/glew.h>

namespace UI {

inline void beginUiPass(Engine::GFX::RenderContext& renderContext, const Engine::GFX::ShaderProgram& program)
{
    renderContext.useProgram(program);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
}

inline void endUiPass()
{
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

} // namespace UI
