#include "game/editor/editorselector.h"

#include "game/editor/editorview.h"
#include "game/physics/raycast.h"
#include "game/transform/transformcomponent.h"

#include <cstdlib>

namespace Game {

using Component::EditorDataComponent;
using Component::TransformComponent;

namespace {

glm::vec2 pointerPixel(const Engine::MouseState& mouse)
{
    return glm::vec2(float(mouse.posX), float(mouse.posY));
}

} // namespace

EditorSelector::EditorSelector(EditorScene& scene, GamePhysics::PhysicsWorld& physics, EditorCamera& camera,
                               EditorHost& host)
    : scene(&scene)
    , physics(&physics)
    , camera(&camera)
    , host(&host)
{
}

ECS::EntityId EditorSelector::blockUnderPointer(const Engine::MouseState& mouse)
{
    const auto ray = camera->pointerRay(mouse);
    const glm::vec3 end = ray.eye + ray.direction * camera->data().farPlane;
    const auto hit = GamePhysics::RayCast::closestHit(*physics, ray.eye, end, GamePhysics::RayMask::blocksOnly);
    ECS::EntityId block = hit ? hit->entityID : ECS::InvalidEntity;
    // A gate is met where the ray enters its box, before or behind the block hit.
    const auto gate = scene->gates().pick(ray.eye, end);
    if (gate && (!hit || gate->fraction < hit->fraction))
        block = gate->gate;
    return scene->isLiveBlock(block) ? block : ECS::InvalidEntity;
}

void EditorSelector::click(const Engine::MouseState& mouse, bool additive)
{
    const ECS::EntityId block = blockUnderPointer(mouse);
    EditorDataComponent& d = scene->data();
    if (!scene->isLiveBlock(block)) {
        if (!additive)
            unselectAll();
        return;
    }
    if (!additive) {
        unselectAll();
    } else if (d.selections.hasSelection(block)) {
        Revision unselect(Revision::unselect);
        unselect.add(scene->serialOf(block), block);
        scene->unselect(block);
        d.history.record(std::move(unselect));
        return;
    }
    Revision select(Revision::select);
    select.add(scene->serialOf(block), block);
    scene->queueSelect(block);
    d.history.record(std::move(select));
}

void EditorSelector::unselectAll()
{
    EditorDataComponent& d = scene->data();
    Revision unselect(Revision::unselect);
    for (const auto& pair : d.selections.entityToSelection)
        unselect.add(scene->serialOf(pair.first), pair.first);
    scene->clearSelection();
    d.history.record(std::move(unselect));
}

void EditorSelector::armBox(const Engine::MouseState& mouse)
{
    EditorDataComponent& d = scene->data();
    d.boxArmed = blockUnderPointer(mouse) == ECS::InvalidEntity;
    d.boxStart = glm::ivec2(mouse.posX, mouse.posY);
}

void EditorSelector::followBox(const Engine::MouseState& mouse)
{
    EditorDataComponent& d = scene->data();
    if (d.mode != EditorMode::boxSelecting) {
        const bool farEnough = std::abs(mouse.posX - d.boxStart.x) >= kBoxThreshold
                            || std::abs(mouse.posY - d.boxStart.y) >= kBoxThreshold;
        if (!farEnough)
            return;
        d.mode = EditorMode::boxSelecting;
        d.boxArmed = false;
    }
    host->showSelectionBox(glm::vec2(d.boxStart), pointerPixel(mouse));
}

void EditorSelector::finishBox(const Engine::MouseState& mouse, bool additive)
{
    EditorDataComponent& d = scene->data();
    host->hideSelectionBox();
    d.mode = EditorMode::idle;
    host->closeAddDropdown();
    const std::set<ECS::EntityId> inside = blocksInside(glm::vec2(d.boxStart), pointerPixel(mouse));

    // One group: what leaves the selection and what joins it, so one undo restores the old one.
    Revision unselect(Revision::unselect);
    Revision select(Revision::select);
    const std::map<ECS::EntityId, ECS::EntityId> selected = d.selections.entityToSelection;
    if (!additive) {
        for (const auto& pair : selected) {
            if (inside.count(pair.first) == 0) {
                unselect.add(scene->serialOf(pair.first), pair.first);
                scene->unselect(pair.first);
            }
        }
    }
    for (const ECS::EntityId block : inside) {
        if (selected.count(block) != 0)
            continue;
        select.add(scene->serialOf(block), block);
        scene->queueSelect(block);
    }
    scene->data().history.record(std::move(unselect), std::move(select));
}

std::set<ECS::EntityId> EditorSelector::blocksInside(const glm::vec2& corner, const glm::vec2& opposite)
{
    const EditorView::PixelBox box = EditorView::PixelBox::spanning(corner, opposite);
    const CameraData& view = camera->data();
    const glm::vec3 eye = camera->position();
    std::set<ECS::EntityId> inside;
    const auto consider = [&](ECS::EntityId item) {
        // An item made in this update has its transform only after the refresh.
        if (!scene->isLiveBlock(item) || !scene->world().hasComponent<TransformComponent>(item))
            return;
        const auto pixel = EditorView::projectToWindow(view, eye, scene->poseOf(item).position);
        if (pixel && box.contains(*pixel))
            inside.insert(item);
    };
    for (const ECS::EntityId block : scene->map().qubeIDs)
        consider(block);
    for (const ECS::EntityId gate : scene->gates().entities())
        consider(gate);
    return inside;
}

} // namespace Game
