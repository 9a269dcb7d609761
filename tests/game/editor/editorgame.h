#pragma once
// The real game in the editor, driven through the engine loop as a person drives it: clicks on
// named top-bar elements, on any element, and on the button that shows a given text, typing,
// and a look at the pop-ups on show. HOME is a temporary folder, so the user map folder is too.
#include "game/editor/editordatacomponent.h"
#include "game/editor/gameeditor.h"
#include "game/editor/editormapfiles.h"
#include "game/editor/editortopbar.h"
#include "game/filebrowser/uifilebrowsercomponent.h"
#include "game/gamemap/gamemap.h"
#include "game/menu/menu.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"
#include "tests/support/gameharness.h"

#include <filesystem>
#include <string>

namespace EditorTest {

class EditorGame : public TestSupport::GameHarness {
protected:
    void SetUp() override
    {
        GameHarness::SetUp();
        if (HasFatalFailure())
            return;
        game().openEditor();
        runUpdates(2);
        mapFolder = home.home() / "Documents" / "Tetherix";
    }

    ECS::EntityManager& world() { return game().world(); }

    // Presses and releases the left button over the middle of the element, then lets the
    // messages it sends be handled.
    void clickOn(ECS::EntityId element)
    {
        ASSERT_TRUE(world().hasComponent<Component::TransformComponent>(element)) << "no element " << element;
        const auto& t = world().getComponent<Component::TransformComponent>(element);
        source.pointerX = int(t.position.x + t.scale.x / 2);
        source.pointerY = source.windowHeight - int(t.position.y + t.scale.y / 2);
        runUpdates(1);
        source.buttons = SDL_BUTTON_LMASK;
        runUpdates(1);
        source.buttons = 0;
        runUpdates(3);
    }
    void clickOn(const std::string& topBarName)
    {
        ASSERT_TRUE(game().menu().hasElement(topBarName)) << topBarName;
        clickOn(game().menu().element(topBarName));
    }
    // The newest clickable element that shows `text`.
    ECS::EntityId buttonShowing(const std::string& text)
    {
        ECS::EntityId found = ECS::InvalidEntity;
        auto& texts = world().componentList<Component::UItextComponent>();
        for (uint32_t i = 0; i < texts.size(); ++i) {
            const ECS::EntityId owner = texts.ownerOf(i);
            if (world().getComponent<Component::UItextComponent>(owner).text == text &&
                world().hasComponent<Component::UIclickableComponent>(owner) && !world().isDestroyPending(owner))
                found = std::max(found, owner);
        }
        return found;
    }
    void clickButton(const std::string& text)
    {
        const ECS::EntityId button = buttonShowing(text);
        ASSERT_NE(button, ECS::InvalidEntity) << "no button " << text;
        clickOn(button);
    }
    // How many elements show exactly `text` (a pop-up's message, a dialog's question).
    size_t timesShown(const std::string& text)
    {
        size_t count = 0;
        auto& texts = world().componentList<Component::UItextComponent>();
        for (uint32_t i = 0; i < texts.size(); ++i)
            count += world().getComponent<Component::UItextComponent>(texts.ownerOf(i)).text == text ? 1 : 0;
        return count;
    }
    bool showing(const std::string& text) { return timesShown(text) > 0; }

    ECS::EntityId browser() { return game().editorMapFiles().openBrowser(); }
    const Component::UIfileBrowserComponent& browsed()
    {
        return world().getComponent<Component::UIfileBrowserComponent>(browser());
    }
    // Clicks the file name field, types `name` and presses Return.
    void typeFileName(const std::string& name)
    {
        clickOn(browsed().nameField);
        source.text(name.c_str());
        runUpdates(1);
        setKey(SDL_SCANCODE_RETURN, true);
        runUpdates(1);
        setKey(SDL_SCANCODE_RETURN, false);
        runUpdates(2);
    }
    // Save as `name` through the top bar, up to (not including) any overwrite question.
    void saveAs(const std::string& name)
    {
        clickOn(Game::TopBarNames::save);
        typeFileName(name);
        clickButton("SAVE");
    }
    // A block at `position`, as if placed (the map mesh is rebuilt).
    void addBlock(glm::vec3 position)
    {
        Component::TransformComponent t;
        t.position = position;
        game().map().addQube(world(), t);
        game().map().rebuildPending = true;
        runUpdates(1);
    }
    size_t blocks() { return game().map().qubeIDs.size(); }

    Component::EditorDataComponent& editorData()
    {
        return world().getComponent<Component::EditorDataComponent>(game().editorEntity());
    }
    Game::EditorScene& editorScene() { return dynamic_cast<Game::GameEditor&>(*game().editor()).player().scene(); }
    // A gate of `kind` around `centre`, as if placed.
    ECS::EntityId addGate(Game::GateKind kind, glm::vec3 centre)
    {
        const ECS::EntityId gate =
            editorScene().createGate(Game::Gate{kind, 0, Game::OrientedBox{centre, {0.5f, 2, 1.5f}, {1, 0, 0, 0}}});
        runUpdates(1);
        return gate;
    }

    // Records a step that changes the first block, as an edit would: the map has unsaved changes.
    void makeUnsavedChange()
    {
        ASSERT_FALSE(game().map().qubeIDs.empty());
        Component::EditorDataComponent& data = editorData();
        const ECS::EntityId block = *game().map().qubeIDs.begin();
        Game::Revision modify(Game::Revision::modify);
        modify.add(data.serials.serialOf(block), block, Game::BlockPose{});
        data.history.record(std::move(modify));
        runUpdates(1);
    }
    // Presses and releases a key.
    void tap(SDL_Scancode key)
    {
        setKey(key, true);
        runUpdates(1);
        setKey(key, false);
        runUpdates(2);
    }

    std::filesystem::path mapFolder;
};

} // namespace EditorTest
