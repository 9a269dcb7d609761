#include "game/editor/editorgatetools.h"

#include <algorithm>

namespace Game {

using Component::EditorDataComponent;

EditorGateTools::EditorGateTools(EditorScene& scene, EditorSelector& selector, EditorHost& host)
    : scene(&scene)
    , selector(&selector)
    , host(&host)
{
}

bool EditorGateTools::selectExisting(GateKind kind)
{
    if (kind == GateKind::Checkpoint)
        return false;
    const ECS::EntityId existing = scene->gates().entityOf(kind);
    if (!scene->isLiveBlock(existing))
        return false;
    selector->unselectAll();
    EditorDataComponent& d = scene->data();
    Revision select(Revision::select);
    select.add(scene->serialOf(existing), existing);
    scene->queueSelect(existing);
    d.history.record(std::move(select));
    host->showMessage(kind == GateKind::Start ? kHasStartText : kHasFinishText);
    return true;
}

ECS::EntityId EditorGateTools::selectedCheckpoint()
{
    ECS::EntityId found = ECS::InvalidEntity;
    for (const auto& pair : scene->data().selections.entityToSelection) {
        const Gate* gate = scene->gates().gateOf(pair.first);
        if (!gate || gate->kind != GateKind::Checkpoint)
            continue;
        if (found != ECS::InvalidEntity)
            return ECS::InvalidEntity;
        found = pair.first;
    }
    return found;
}

bool EditorGateTools::renumber(int steps)
{
    const ECS::EntityId checkpoint = selectedCheckpoint();
    const Gate* gate = scene->gates().gateOf(checkpoint);
    if (steps == 0 || !gate)
        return false;
    const int before = gate->number;
    scene->gates().setNumber(checkpoint, before + steps);
    if (scene->gates().gateOf(checkpoint)->number == before)
        return false;
    Revision renumbered(Revision::renumber);
    renumbered.addNumber(scene->serialOf(checkpoint), checkpoint, before);
    scene->data().history.record(std::move(renumbered));
    return true;
}

void EditorGateTools::numberInput(int steps, Engine::MouseState& mouse)
{
    if (steps != 0)
        renumber(steps);
    if (mouse.wheel == 0)
        return;
    const ECS::EntityId checkpoint = selectedCheckpoint();
    if (checkpoint == ECS::InvalidEntity || selector->blockUnderPointer(mouse) != checkpoint)
        return;
    renumber(mouse.wheel);
    mouse.wheel = 0;
}

std::vector<ECS::EntityId> EditorGateTools::destroyOrder(const EditorScene& scene, std::vector<ECS::EntityId> items)
{
    const auto key = [&scene](ECS::EntityId item) {
        const Gate* gate = scene.gates().gateOf(item);
        return gate && gate->kind == GateKind::Checkpoint ? -gate->number : -int(Course::kMaxGates) - 1;
    };
    std::stable_sort(items.begin(), items.end(), [&key](ECS::EntityId a, ECS::EntityId b) { return key(a) < key(b); });
    return items;
}

} // namespace Game
