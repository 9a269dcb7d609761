#include "game/gamecontroller/padcontrols.h"

#include "engine/core/enginecore.h"
#include "engine/ecs/entitymanager.h"
#include "game/core/gamestaterecord.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"

#include <glm/geometric.hpp>

#include <climits>
#include <cmath>
#include <limits>

namespace Game {

namespace {

using Component::TransformComponent;
using Component::UIBackgroundComponent;
using Component::UIblockerComponent;
using Component::UIclickableComponent;

// Buttons off to the side of the direction count this much more than their distance along it.
constexpr float kSidewaysWeight = 2.0f;

int32_t layerOf(ECS::EntityManager& world, ECS::EntityId entity)
{
    return world.hasComponent<UIBackgroundComponent>(entity) ? world.getComponent<UIBackgroundComponent>(entity).layer
                                                             : 0;
}

// The highest layer of a live pop-up backdrop; everything on it or below takes no clicks.
int32_t topBlockerLayer(ECS::EntityManager& world)
{
    int32_t top = INT_MIN;
    const auto& blockers = world.componentList<UIblockerComponent>();
    for (uint32_t i = 0; i < blockers.size(); ++i) {
        const ECS::EntityId owner = blockers.ownerOf(i);
        if (!world.isDestroyPending(owner))
            top = std::max(top, layerOf(world, owner));
    }
    return top;
}

glm::vec2 centreOf(const TransformComponent& t)
{
    return glm::vec2(t.position) + glm::vec2(t.scale) / 2.0f;
}

} // namespace

PadControls::PadControls(Engine::EngineCore& engine, ECS::EntityManager& world, const GameStateRecord& state)
    : engine(&engine), world(&world), state(&state)
{
}

bool PadControls::pausePressed(const Engine::EngineCore& engine, const Engine::Bindings& bindings)
{
    const bool pad = engine.gamepad && engine.gamepad->buttonPressed(SDL_CONTROLLER_BUTTON_START);
    return pad || engine.keyboard->isPressed(SDL_SCANCODE_ESCAPE) ||
           Engine::bindingPressed(bindings[indexOf(Engine::Action::pause)], *engine.keyboard, *engine.mouse);
}

void PadControls::beforeUpdate()
{
    const Engine::GamepadState* pad = engine->gamepad.get();
    if (!pad || !pad->connected())
        return;
    if (pad->buttonPressed(SDL_CONTROLLER_BUTTON_B))
        engine->keyboard->press(SDL_SCANCODE_ESCAPE);
    if (!state->showCursor)
        return;
    if (const std::optional<glm::vec2> direction = navigation())
        moveFocus(*direction);
    // A click that lasts as long as A is held: pressed when A goes down, released when it comes up.
    if (pad->buttonDown(SDL_CONTROLLER_BUTTON_A))
        engine->mouse->buttons |= SDL_BUTTON_LMASK;
}

std::optional<glm::vec2> PadControls::navigation()
{
    const Engine::GamepadState& pad = *engine->gamepad;
    const struct {
        SDL_GameControllerButton button;
        glm::vec2 direction;
    } dpad[] = {{SDL_CONTROLLER_BUTTON_DPAD_UP, {0.0f, 1.0f}},
                {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {0.0f, -1.0f}},
                {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {-1.0f, 0.0f}},
                {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {1.0f, 0.0f}}};
    for (const auto& arrow : dpad) {
        if (pad.buttonPressed(arrow.button))
            return arrow.direction;
    }
    const glm::vec2 stick = pad.leftStick();
    if (glm::length(stick) < kStickPush) {
        repeatWait = 0;
        return std::nullopt;
    }
    if (repeatWait-- > 0)
        return std::nullopt;
    repeatWait = kRepeatTicks;
    return std::fabs(stick.x) > std::fabs(stick.y) ? glm::vec2(stick.x > 0.0f ? 1.0f : -1.0f, 0.0f)
                                                   : glm::vec2(0.0f, stick.y > 0.0f ? 1.0f : -1.0f);
}

ECS::EntityId PadControls::focusTarget(glm::vec2 from, glm::vec2 direction) const
{
    const int32_t covered = topBlockerLayer(*world);
    const auto& clickables = world->componentList<UIclickableComponent>();
    ECS::EntityId best = ECS::InvalidEntity;
    float bestScore = std::numeric_limits<float>::max();
    for (uint32_t i = 0; i < clickables.size(); ++i) {
        const ECS::EntityId entity = clickables.ownerOf(i);
        if (world->isDestroyPending(entity) || !world->hasComponent<TransformComponent>(entity) ||
            (covered != INT_MIN && layerOf(*world, entity) <= covered))
            continue;
        const glm::vec2 offset = centreOf(world->getComponent<TransformComponent>(entity)) - from;
        const float along = glm::dot(offset, direction);
        const bool anyWay = direction == glm::vec2(0.0f);
        if (!anyWay && !(along > 1.0f))
            continue;
        const float sideways = glm::length(offset - direction * along);
        const float score = anyWay ? glm::length(offset) : along + kSidewaysWeight * sideways;
        if (score < bestScore) {
            bestScore = score;
            best = entity;
        }
    }
    return best;
}

void PadControls::moveFocus(glm::vec2 direction)
{
    Engine::MouseState& mouse = *engine->mouse;
    const glm::vec2 from(float(mouse.posX), float(mouse.posY));
    ECS::EntityId target = focusTarget(from, direction);
    if (target == ECS::InvalidEntity)
        target = focusTarget(from, glm::vec2(0.0f));
    if (target == ECS::InvalidEntity)
        return;
    const glm::ivec2 to(centreOf(world->getComponent<TransformComponent>(target)));
    const int height = mouse.posY + mouse.y; // the window's height: posY counts from the bottom
    mouse.posX = mouse.x = to.x;
    mouse.posY = to.y;
    mouse.y = height - to.y;
    engine->loopSource().warpMouse(mouse.window, mouse.x, mouse.y);
}

} // namespace Game
