#include "game/ui/uilayerdrawsystem.h"

#include "engine/core/assert.h"
#include "engine/ecs/entitymanager.h"
#include "engine/gfx/rendercontext.h"
#include "engine/gfx/shader.h"
#include "engine/gfx/textmesh.h"
#include "engine/gfx/texture.h"
#include "engine/gfx/vao.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"
#include "game/ui/uitextplacement.h"
#include "game/ui/windowsize.h"

#include <glm/gtc/matrix_transform.hpp>

namespace UI::System {

using Component::TransformComponent;
using Component::UIBackgroundComponent;
using Component::UIclickableComponent;
using Component::UISpriteComponent;
using Component::UItextComponent;
using Component::UItextInputComponent;

namespace {

// Draws `quad` over the pixel rectangle from `at` to `at` + `size`.
void drawQuad(const UiDrawResources& resources, const Engine::GFX::Drawable& quad, glm::vec2 at, glm::vec2 size)
{
    const glm::mat4 model =
        glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(at, 0.0f)), glm::vec3(size, 1.0f));
    resources.renderContext->setModelMatrix(model);
    quad.draw();
    ++resources.stats->drawCalls;
}

void setBounds(const UiDrawUniforms& uniforms, glm::vec2 lower, glm::vec2 upper)
{
    glUniform2f(uniforms.boundsX, lower.x, upper.x);
    glUniform2f(uniforms.boundsY, lower.y, upper.y);
}

} // namespace

void beginUiPass(const UiDrawResources& resources, const Engine::GFX::ShaderProgram& program)
{
    resources.renderContext->useProgram(program);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    glActiveTexture(GL_TEXTURE0);
}

void endUiPass()
{
    Engine::GFX::Texture2D::unbind();
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

UiDrawUniforms lookUpUniforms(const Engine::GFX::ShaderProgram& program, bool fontProgram)
{
    if (!fontProgram)
        return {program.getUniformLocation("uBackgroundColor")};
    return {program.getUniformLocation("uColor"), program.getUniformLocation("uDrawBoundsX"),
            program.getUniformLocation("uDrawBoundsY")};
}

int32_t UiBackgroundKind::layerOf(ECS::EntityManager& world, ECS::EntityId entity)
{
    return world.hasComponent<UIBackgroundComponent>(entity) ? world.getComponent<UIBackgroundComponent>(entity).layer
                                                              : -1;
}

void UiBackgroundKind::draw(ECS::EntityManager& world, ECS::EntityId entity, const UiDrawResources& resources,
                            const UiDrawUniforms& uniforms)
{
    const UIBackgroundComponent& background = world.getComponent<UIBackgroundComponent>(entity);
    const Engine::GFX::Texture2D* texture = background.texture;
    glm::vec4 color = background.color;
    if (world.hasComponent<UIclickableComponent>(entity)) {
        const UIclickableComponent& clickable = world.getComponent<UIclickableComponent>(entity);
        if (clickable.state == Pressed) {
            TX_ASSERT(clickable.backgroundPressed != nullptr, "a pressed button needs its texture");
            texture = clickable.backgroundPressed;
            if (clickable.useStateColors)
                color = clickable.pressedColor;
        } else if (clickable.state == Hovered) {
            TX_ASSERT(clickable.backgroundHover != nullptr, "a hovered button needs its texture");
            texture = clickable.backgroundHover;
            if (clickable.useStateColors)
                color = clickable.hoverColor;
        }
    }
    if (color.a <= 0.0f)
        return;
    const TransformComponent& element = world.getComponent<TransformComponent>(entity);
    glUniform4f(uniforms.color, color.r, color.g, color.b, color.a);
    texture->bind();
    drawQuad(resources, *resources.quad, glm::vec2(element.position), glm::vec2(element.scale));
}

int32_t UiSpriteKind::layerOf(ECS::EntityManager& world, ECS::EntityId entity)
{
    return UiBackgroundKind::layerOf(world, entity);
}

void UiSpriteKind::beginLayer(const UiDrawResources&, const UiDrawUniforms& uniforms)
{
    glUniform4f(uniforms.color, 1.0f, 1.0f, 1.0f, 1.0f);
}

void UiSpriteKind::draw(ECS::EntityManager& world, ECS::EntityId entity, const UiDrawResources& resources,
                        const UiDrawUniforms&)
{
    const UISpriteComponent& sprite = world.getComponent<UISpriteComponent>(entity);
    const TransformComponent& element = world.getComponent<TransformComponent>(entity);
    const float x = element.position.x;
    const float y = element.position.y;
    const float w = element.scale.x;
    const float h = element.scale.y;
    const float tw = static_cast<float>(sprite.texture->width);
    const float th = static_cast<float>(sprite.texture->height);

    glm::vec2 at(x, y);
    if (sprite.alignX == AlignCentreX)
        at.x = x + w / 2.0f - tw / 2.0f;
    else if (sprite.alignX == AlignRight)
        at.x = x + w - tw;
    if (sprite.alignY == AlignTop)
        at.y = y + h - th;
    else if (sprite.alignY == AlignCentreY)
        at.y = y + h / 2.0f - th / 2.0f;
    sprite.texture->bind();
    drawQuad(resources, *resources.quad, at + sprite.offset, glm::vec2(tw, th));
}

int32_t UiTextKind::layerOf(ECS::EntityManager& world, ECS::EntityId entity)
{
    return world.hasComponent<UItextComponent>(entity)
               ? static_cast<int32_t>(world.getComponent<UItextComponent>(entity).layer)
               : -1;
}

void UiTextKind::beginLayer(const UiDrawResources& resources, const UiDrawUniforms&)
{
    window = glm::vec2(windowSize(*resources.engine));
}

void UiTextKind::draw(ECS::EntityManager& world, ECS::EntityId entity, const UiDrawResources& resources,
                      const UiDrawUniforms& uniforms)
{
    const UItextComponent& text = world.getComponent<UItextComponent>(entity);
    if (!text.textMesh.hasMesh())
        return;
    const TransformComponent& element = world.getComponent<TransformComponent>(entity);
    const bool beingEdited = world.hasComponent<UItextInputComponent>(entity);
    const glm::vec2 origin = textOrigin(element, text, beingEdited);

    glUniform4f(uniforms.color, text.color.r, text.color.g, text.color.b, text.color.a);
    if (text.clipToBox)
        setBounds(uniforms, glm::vec2(element.position) + text.clipPadding,
                  glm::vec2(element.position) + glm::vec2(element.scale) - text.clipPadding);
    else
        setBounds(uniforms, glm::vec2(0.0f), window);
    Engine::GFX::drawTextMesh(*resources.renderContext, text.textMesh, glm::vec3(origin, 0.0f), glm::vec2(1.0f));
    ++resources.stats->drawCalls;
}

void UiCaretKind::beginLayer(const UiDrawResources& resources, const UiDrawUniforms& uniforms)
{
    setBounds(uniforms, glm::vec2(0.0f), glm::vec2(windowSize(*resources.engine)));
    resources.whiteTexture->bind();
}

void UiCaretKind::draw(ECS::EntityManager& world, ECS::EntityId entity, const UiDrawResources& resources,
                       const UiDrawUniforms& uniforms)
{
    const UItextComponent& text = world.getComponent<UItextComponent>(entity);
    const glm::vec2 caretSize = text.textMesh.caretSize();
    glm::vec2 at = textOrigin(world.getComponent<TransformComponent>(entity), text, true);
    if (text.text.empty())
        at.y -= caretSize.y / 2.0f; // half a line down: centred on where the line would be
    else
        at += text.textMesh.caretPosition();
    glUniform4f(uniforms.color, text.color.r, text.color.g, text.color.b, text.color.a);
    drawQuad(resources, *resources.caretQuad, at, caretSize);
}

} // namespace UI::System
