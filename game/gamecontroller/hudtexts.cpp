#include "game/gamecontroller/hudtexts.h"

#include "engine/ecs/entitymanager.h"
#include "game/player/charactercontrollercomponent.h"
#include "game/player/playermovement.h"

#include <cmath>

namespace Game {

using Component::CharacterControllerComponent;

int fpsValue(float averageFrameMs)
{
    if (!(averageFrameMs > 0.0f) || !std::isfinite(averageFrameMs))
        return 0;
    return static_cast<int>(std::lround(1000.0f / averageFrameMs));
}

std::string fpsText(float averageFrameMs)
{
    return "FPS: " + std::to_string(fpsValue(averageFrameMs));
}

HudTexts::HudTexts(const Engine::GFX::Font& font, Engine::GFX::TextMesh& fps)
    : speedMesh(font), ropeMesh(font), fpsMesh(&fps)
{
}

void HudTexts::show(Engine::GFX::TextMesh& mesh, std::string& shown, std::string text)
{
    if (text == shown)
        return;
    mesh.setText(text);
    shown = std::move(text);
}

void HudTexts::refreshPlayer(ECS::EntityManager& world, ECS::EntityId player)
{
    if (!world.hasComponent<CharacterControllerComponent>(player))
        return;
    const CharacterControllerComponent& body = world.getComponent<CharacterControllerComponent>(player);
    show(speedMesh, shownSpeed, body.enabled ? PlayerMovement::speedText(body.velocity) : std::string());
    show(ropeMesh, shownRope,
         body.enabled && body.attached ? PlayerMovement::ropeText(body.ropeLength) : std::string());
}

void HudTexts::refreshFps(float averageFrameMs)
{
    const int fps = fpsValue(averageFrameMs);
    if (fps == shownFps)
        return;
    shownFps = fps;
    fpsMesh->setText(fpsText(averageFrameMs));
}

} // namespace Game
