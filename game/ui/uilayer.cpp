#include "game/ui/uilayer.h"

#include "engine/core/enginecore.h"
#include "engine/ecs/entitymanager.h"
#include "game/resources/renderresources.h"
#include "game/ui/mouseonuichecksystem.h"
#include "game/ui/uiclicksystem.h"
#include "game/ui/uilayerdrawsystem.h"
#include "game/ui/uitextinputsystem.h"

namespace UI {

UiLayer::UiLayer(ECS::EntityManager& world, Engine::EngineCore& engine, const Game::RenderResources& resources,
                 Game::GameStateRecord& state)
{
    registerUiComponents(world);

    UiDrawResources draw;
    draw.engine = &engine;
    draw.renderContext = engine.renderContext.get();
    draw.backgroundProgram = resources.shaderUiBackground.get();
    draw.fontProgram = resources.shaderFontDefault.get();
    draw.quad = resources.unitQuadA.get();
    draw.caretQuad = resources.unitQuadB.get();
    draw.whiteTexture = resources.whiteTexture.get();
    draw.stats = &stats;

    for (uint32_t layer = 0; layer < kLayerCount; ++layer) {
        const auto l = static_cast<int32_t>(layer);
        layers[layer].backgrounds = world.addSystem(System::UiBackgroundDrawSystem(world, l, draw));
        layers[layer].texts = world.addSystem(System::UiTextDrawSystem(world, l, draw));
        layers[layer].carets = world.addSystem(System::UItextInputAnimationRenderSystem(world, l, draw));
        layers[layer].sprites = world.addSystem(System::UiSpriteDrawSystem(world, l, draw));
    }
    clickSystem = world.addSystem(System::UIclickSystem(world, engine));
    world.addSystem(System::MouseOnUIcheckSystem(world, engine, state));
    world.addSystem(System::UItextInputSystem(world, engine));
}

void UiLayer::handleClicks()
{
    clickSystem->run(0.0f);
}

void UiLayer::draw()
{
    stats.drawCalls = 0;
    for (const LayerSystems& layer : layers) {
        layer.backgrounds->run(0.0f);
        layer.sprites->run(0.0f);
        layer.texts->run(0.0f);
        layer.carets->run(0.0f);
    }
}

} // namespace UI
