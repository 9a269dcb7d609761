#pragma once
// The heads-up read-outs refreshed every update: the player's speed and rope length while the
// player is in control, and the frames per second. Each text is laid out again only when it
// changed, since that builds a new mesh.
#include "engine/ecs/ecstypes.h"
#include "engine/gfx/textmesh.h"

#include <string>

namespace ECS {
class EntityManager;
}

namespace Game {

// 1000 / averageFrameMs rounded to the nearest integer; 0 while no frame time is known.
int fpsValue(float averageFrameMs);
// "FPS: " and fpsValue.
std::string fpsText(float averageFrameMs);

class HudTexts {
public:
    // `fps` (the resources' FPS text) must outlive the texts.
    HudTexts(const Engine::GFX::Font& font, Engine::GFX::TextMesh& fps);

    // "Speed: N km/h" while the player's body is in control, and "Rope: N.N m" while it also
    // hangs on the rope; else empty. Nothing changes when `player` has no body.
    void refreshPlayer(ECS::EntityManager& world, ECS::EntityId player);
    void refreshFps(float averageFrameMs);

    const Engine::GFX::TextMesh& speed() const { return speedMesh; }
    const Engine::GFX::TextMesh& rope() const { return ropeMesh; }

private:
    static void show(Engine::GFX::TextMesh& mesh, std::string& shown, std::string text);

    Engine::GFX::TextMesh speedMesh;
    Engine::GFX::TextMesh ropeMesh;
    Engine::GFX::TextMesh* fpsMesh;
    std::string shownSpeed;
    std::string shownRope;
    int shownFps = -1;
};

} // namespace Game
