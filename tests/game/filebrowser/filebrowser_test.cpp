// The file browser as a person uses it: pages, folders, choosing, naming, and what it refuses.
#include "game/filebrowser/filebrowser.h"

#include "engine/ecs/messagesystem.h"
#include "game/menu/menumessages.h"
#include "game/ui/uielements.h"
#include "tests/game/ui/uitestworld.h"
#include "tests/support/gltest.h"
#include "tests/support/tempdir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using Component::TransformComponent;
using Component::UIclickableComponent;
using Component::UIfileBrowserComponent;
using Component::UItextComponent;
using UI::FileBrowserSettings;

namespace {

// Keeps the texts of the pop-ups asked for.
class PopupRecorder : public ECS::MessageSystem<Message::CreateOKpopupMessage> {
public:
    static constexpr const char* systemName = "PopupRecorder";
    explicit PopupRecorder(std::vector<std::string>* texts) : texts(texts) {}
    void onMessage(const Message::CreateOKpopupMessage& message) override { texts->push_back(message.text); }

private:
    std::vector<std::string>* texts;
};

class FileBrowserTest : public TestSupport::GLTest {
protected:
    void SetUp() override
    {
        GLTest::SetUp();
        UI::addFileBrowserSystems(ui.world, ui.engine);
        ui.world.registerMessage<Message::CreateOKpopupMessage>();
        ui.world.addMessageSystem(PopupRecorder(&popups));
    }

    // A browser over `folder` as the editor places it in a 1280 x 720 window (seven rows a page).
    void open(const std::filesystem::path& folder, uint32_t mode = FileBrowserSettings::kOpen,
              glm::vec2 size = {768, 572})
    {
        FileBrowserSettings settings;
        settings.mode = mode;
        settings.startFolder = folder;
        settings.onConfirm = [this] { ++confirms; };
        settings.onCancel = [this] { ++cancels; };
        settings.nameFilter = [](const std::string&, uint32_t c) { return c != '/'; };
        settings.onNameConfirm = [this] { ++nameConfirms; };
        // Each click reads the clock: clicks lie `clickGapMs` apart.
        settings.clock = [this] { return nowMs += clickGapMs; };
        settings.blocker = UI::createBlocker(ui.world, 4, ui.white(), 1280, 720);
        browser = ui.world.createEntity();
        UI::createFileBrowser(browser, ui.world, {256, 32}, size, UiTest::resources(), std::move(settings));
        settle();
    }
    // Enough updates for a click's refresh message to be handled and its elements to appear.
    void settle()
    {
        for (int i = 0; i < 3; ++i)
            ui.step();
    }

    const UIfileBrowserComponent& b() { return ui.world.getComponent<UIfileBrowserComponent>(browser); }
    std::string textOf(ECS::EntityId element)
    {
        return ui.world.hasComponent<UItextComponent>(element) ? ui.world.getComponent<UItextComponent>(element).text
                                                               : std::string("<none>");
    }
    std::vector<std::string> page()
    {
        std::vector<std::string> names;
        for (const ECS::EntityId entry : b().entries)
            names.push_back(textOf(entry));
        return names;
    }
    void clickOn(ECS::EntityId element)
    {
        ASSERT_TRUE(ui.world.hasComponent<TransformComponent>(element));
        const TransformComponent& t = ui.world.getComponent<TransformComponent>(element);
        ui.click(int(t.position.x + t.scale.x / 2), int(t.position.y + t.scale.y / 2));
        settle();
    }
    bool confirmEnabled()
    {
        return static_cast<bool>(ui.world.getComponent<UIclickableComponent>(b().confirmButton).callback);
    }
    size_t liveEntities() { return ui.world.liveEntityCount(); }

    UiTest::UiWorld ui;
    TestSupport::TempDir dir;
    ECS::EntityId browser = ECS::InvalidEntity;
    std::vector<std::string> popups;
    int confirms = 0;
    int cancels = 0;
    int nameConfirms = 0;
    uint32_t nowMs = 0;
    uint32_t clickGapMs = 1000;
};

} // namespace

TEST_F(FileBrowserTest, PagesThroughManyFilesWithFoldersFirst)
{
    for (int i = 0; i < 12; ++i)
        dir.write("map" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".rmap", "x");
    std::filesystem::create_directory(dir.path() / "zfolder");
    std::filesystem::create_directory(dir.path() / "afolder");
    open(dir.path());

    EXPECT_EQ(page(), (std::vector<std::string>{"afolder", "zfolder", "map00.rmap", "map01.rmap", "map02.rmap",
                                                "map03.rmap", "map04.rmap"}));
    EXPECT_TRUE(ui.world.hasComponent<Component::UISpriteComponent>(b().entries[0])) << "folder icon";
    EXPECT_EQ(textOf(b().pageLabel), "1 / 2");
    EXPECT_EQ(b().pagePrevious, ECS::InvalidEntity) << "no page before the first";

    clickOn(b().entries[3]);
    EXPECT_EQ(b().selectedName, "map01.rmap");
    EXPECT_TRUE(confirmEnabled());

    clickOn(b().pageNext);
    EXPECT_EQ(page(), (std::vector<std::string>{"map05.rmap", "map06.rmap", "map07.rmap", "map08.rmap",
                                                "map09.rmap", "map10.rmap", "map11.rmap"}));
    EXPECT_EQ(textOf(b().pageLabel), "2 / 2");
    EXPECT_EQ(b().pageNext, ECS::InvalidEntity) << "no page after the last";
    EXPECT_TRUE(b().selectedName.empty()) << "a page change forgets the chosen file";
    EXPECT_FALSE(confirmEnabled());
    clickOn(b().confirmButton);
    EXPECT_EQ(confirms, 0) << "OPEN does nothing until a file is chosen";

    clickOn(b().pagePrevious);
    EXPECT_EQ(page().front(), "afolder");
}

TEST_F(FileBrowserTest, TinyWindowsStillShowOneRow)
{
    for (int i = 0; i < 7; ++i)
        dir.write("m" + std::to_string(i), "x");
    open(dir.path(), FileBrowserSettings::kOpen, {300, 120});
    EXPECT_EQ(page().size(), 1u);
    EXPECT_EQ(textOf(b().pageLabel), "1 / 7");
}

TEST_F(FileBrowserTest, EntersAndLeavesFoldersForgettingTheChosenFile)
{
    std::filesystem::create_directories(dir.path() / "maps" / "old");
    dir.write("maps/level.rmap", "x");
    dir.write("top.rmap", "x");
    open(dir.path());
    clickOn(b().entries[1]);
    ASSERT_EQ(b().selectedName, "top.rmap");

    clickOn(b().entries[0]);
    EXPECT_EQ(b().folder, dir.path() / "maps");
    EXPECT_EQ(page(), (std::vector<std::string>{"old", "level.rmap"}));
    EXPECT_EQ(textOf(b().pathText), (dir.path() / "maps").u8string()) << "the platform's own separator";
    EXPECT_TRUE(b().selectedName.empty());
    EXPECT_FALSE(confirmEnabled()) << "a folder change disables OPEN";

    clickOn(b().pathBackButton);
    EXPECT_EQ(b().folder, dir.path());
    EXPECT_EQ(page(), (std::vector<std::string>{"maps", "top.rmap"}));

    // The root's parent is the root.
    UI::FileBrowser::enterFolder(ui.world, browser, "/");
    settle();
    clickOn(b().pathBackButton);
    EXPECT_EQ(b().folder, std::filesystem::path("/"));
}

TEST_F(FileBrowserTest, ADoubleClickOpensAFileAndEntersAFolderOnce)
{
    std::filesystem::create_directories(dir.path() / "maps" / "deeper");
    dir.write("maps/a.rmap", "x");
    dir.write("top.rmap", "x");
    open(dir.path());
    clickGapMs = 100;
    clickOn(b().entries[1]);
    EXPECT_EQ(confirms, 0) << "one click only chooses";
    clickOn(b().entries[1]);
    EXPECT_EQ(confirms, 1) << "the second click within the time opens";
    clickOn(b().entries[1]);
    EXPECT_EQ(confirms, 1) << "a third click starts a new pair";
    clickGapMs = UI::FileBrowser::kDoubleClickMs + 1;
    clickOn(b().entries[1]);
    EXPECT_EQ(confirms, 1) << "too slow for a double click";

    // The first click enters the folder; the second, on the entry now in its place, is part of it.
    clickGapMs = 100;
    clickOn(b().entries[0]);
    clickOn(b().entries[0]);
    EXPECT_EQ(b().folder, dir.path() / "maps");
    EXPECT_EQ(page(), (std::vector<std::string>{"deeper", "a.rmap"}));
    clickOn(b().entries[0]);
    EXPECT_EQ(b().folder, dir.path() / "maps" / "deeper") << "a later click enters as ever";
}

// A slow frame delivers both clicks of a double click in one step; they still open the file.
TEST_F(FileBrowserTest, ADoubleClickWithinOneStepOpensAFile)
{
    dir.write("a.rmap", "x");
    open(dir.path());
    clickGapMs = 0;
    const TransformComponent& t = ui.world.getComponent<TransformComponent>(b().entries[0]);
    ui.clickWithPresses(int(t.position.x + t.scale.x / 2), int(t.position.y + t.scale.y / 2), 2);
    settle();
    EXPECT_EQ(confirms, 1);
}

TEST_F(FileBrowserTest, ADoubleClickInTheSaveBrowserOnlyTakesTheName)
{
    dir.write("level.rmap", "x");
    open(dir.path(), FileBrowserSettings::kSave);
    clickGapMs = 100;
    clickOn(b().entries[0]);
    clickOn(b().entries[0]);
    EXPECT_EQ(confirms, 0);
    EXPECT_EQ(UI::FileBrowser::nameFieldText(ui.world, browser), "level.rmap");
}

TEST_F(FileBrowserTest, AFolderThatCannotBeListedLeavesTheBrowserWhereItWas)
{
    std::filesystem::create_directory(dir.path() / "going");
    dir.write("keep.rmap", "x");
    open(dir.path());
    clickOn(b().entries[1]);
    std::filesystem::remove(dir.path() / "going");

    clickOn(b().entries[0]);
    EXPECT_EQ(popups, std::vector<std::string>{UI::kUnableToOpenFolderText});
    EXPECT_EQ(b().folder, dir.path());
    EXPECT_EQ(page(), (std::vector<std::string>{"going", "keep.rmap"}));
    EXPECT_EQ(b().selectedName, "keep.rmap");
}

TEST_F(FileBrowserTest, TheNameFieldFiltersTypingAndReturnEnablesSave)
{
    dir.write("existing.rmap", "x");
    open(dir.path(), FileBrowserSettings::kSave);
    EXPECT_FALSE(confirmEnabled());
    EXPECT_EQ(textOf(b().confirmButton), "SAVE");

    clickOn(b().nameField);
    ui.type("my/level");
    ui.step();
    EXPECT_TRUE(confirmEnabled()) << "SAVE follows the name as it is typed";
    ui.tap(SDL_SCANCODE_RETURN);
    settle();
    EXPECT_EQ(UI::FileBrowser::nameFieldText(ui.world, browser), "mylevel");
    EXPECT_EQ(nameConfirms, 1);
    EXPECT_TRUE(confirmEnabled());

    clickOn(b().nameField);
    for (int i = 0; i < 7; ++i)
        ui.tap(SDL_SCANCODE_BACKSPACE);
    EXPECT_FALSE(confirmEnabled()) << "emptied, before Return";
    ui.tap(SDL_SCANCODE_ESCAPE);
    settle();
    EXPECT_TRUE(confirmEnabled()) << "Escape puts the name back, and SAVE with it";
    clickOn(b().nameField);
    for (int i = 0; i < 7; ++i)
        ui.tap(SDL_SCANCODE_BACKSPACE);
    ui.tap(SDL_SCANCODE_RETURN);
    settle();
    EXPECT_FALSE(confirmEnabled()) << "an empty name cannot be saved";
    EXPECT_EQ(nameConfirms, 2);

    clickOn(b().entries[0]);
    EXPECT_EQ(UI::FileBrowser::nameFieldText(ui.world, browser), "existing.rmap");
    EXPECT_TRUE(confirmEnabled());
    clickOn(b().confirmButton);
    EXPECT_EQ(confirms, 1);
}

TEST_F(FileBrowserTest, CancelTakesDownEveryElementOnce)
{
    for (int i = 0; i < 10; ++i)
        dir.write("m" + std::to_string(i), "x");
    const size_t before = liveEntities();
    open(dir.path(), FileBrowserSettings::kSave);
    EXPECT_GT(liveEntities(), before + 10);

    clickOn(b().cancelButton);
    EXPECT_EQ(cancels, 1);
    EXPECT_FALSE(ui.world.isAlive(browser));
    EXPECT_EQ(liveEntities(), before) << "the browser, its elements and its blocker are gone";

    // Destroyed from outside, the browser still takes its elements along.
    open(dir.path());
    ui.world.destroyEntity(browser);
    settle();
    EXPECT_EQ(liveEntities(), before);
}

TEST_F(FileBrowserTest, ATallWindowShowsAtMostTheLargestPage)
{
    for (int i = 0; i < 100; ++i)
        dir.write("m" + std::to_string(i), "x");
    const uint32_t before = ui.world.liveEntityCount();
    open(dir.path(), FileBrowserSettings::kSave, {768, 4000});
    EXPECT_EQ(b().pageSize, UI::FileBrowser::kMaxPageSize);
    EXPECT_EQ(ui.world.liveEntityCount() - before, UI::FileBrowser::kMaxElements - 1)
        << "all but the previous-page button, which the first page does not have";
}

TEST_F(FileBrowserTest, LongNamesAreShortenedButChooseTheWholeName)
{
    const std::string longName(200, 'n');
    const auto deep = dir.path() / std::string(100, 'a') / std::string(100, 'b') / "maps";
    std::filesystem::create_directories(deep);
    const std::string file = longName + ".rmap";
    std::ofstream(deep / file) << "x";
    open(deep);

    const std::string path = textOf(b().pathText);
    EXPECT_EQ(path.substr(0, 3), "...");
    EXPECT_EQ(path.substr(path.size() - 5), "/maps") << "the end of the path tells where the user is";
    const std::string shown = textOf(b().entries[0]);
    EXPECT_EQ(shown.substr(0, 10), longName.substr(0, 10));
    EXPECT_EQ(shown.substr(shown.size() - 3), "...");
    clickOn(b().entries[0]);
    EXPECT_EQ(b().selectedName, file);
}

TEST_F(FileBrowserTest, LaidOutAgainForANewWindowItKeepsWhatTheUserDid)
{
    for (int i = 0; i < 12; ++i)
        dir.write("map" + std::string(i < 10 ? "0" : "") + std::to_string(i) + ".rmap", "x");
    open(dir.path());
    clickOn(b().pageNext);
    clickOn(b().entries[2]);
    ASSERT_EQ(b().selectedName, "map09.rmap");
    const size_t before = liveEntities();

    // Smaller: four rows a page; the page that holds the first entry on show, the chosen file
    // OPEN still enabled, every element inside the new rectangle.
    UI::FileBrowser::relayout(ui.world, browser, {100, 40}, {500, 400}, UiTest::resources());
    settle();
    EXPECT_EQ(page(), (std::vector<std::string>{"map04.rmap", "map05.rmap", "map06.rmap", "map07.rmap"}));
    EXPECT_EQ(b().selectedName, "map09.rmap");
    EXPECT_TRUE(confirmEnabled());
    for (const ECS::EntityId element : {b().confirmButton, b().cancelButton, b().pathText, b().pathBackButton,
                                        b().entries.front(), b().entries.back(), b().pageLabel}) {
        const TransformComponent& t = ui.world.getComponent<TransformComponent>(element);
        EXPECT_GE(t.position.x, 100.0f);
        EXPECT_GE(t.position.y, 40.0f);
        EXPECT_LE(t.position.x + t.scale.x, 600.0f);
        EXPECT_LE(t.position.y + t.scale.y, 440.0f);
    }
    clickOn(b().pageNext);
    ASSERT_EQ(page().front(), "map08.rmap");
    UI::FileBrowser::relayout(ui.world, browser, {256, 32}, {768, 572}, UiTest::resources());
    settle();
    EXPECT_EQ(page().front(), "map07.rmap");
    EXPECT_EQ(liveEntities(), before) << "back at the first size and page: nothing left behind";

    // Saving: the typed name stays.
    UI::FileBrowser::close(ui.world, browser);
    open(dir.path(), FileBrowserSettings::kSave);
    clickOn(b().nameField);
    ui.type("level");
    ui.step();
    ui.tap(SDL_SCANCODE_RETURN);
    settle();
    UI::FileBrowser::relayout(ui.world, browser, {100, 40}, {500, 400}, UiTest::resources());
    settle();
    EXPECT_EQ(UI::FileBrowser::nameFieldText(ui.world, browser), "level");
    EXPECT_TRUE(confirmEnabled());
}
