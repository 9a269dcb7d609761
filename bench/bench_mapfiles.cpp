// Map files in the editor, measured on the real game in a real 1280 x 720 window (the software
// renderer under Xvfb), with HOME in a temporary folder so the user map folder is a fresh one.
// Prints
//   - the time from "Load" to the browser's first page on screen over a folder of 5,000 map
//     files (the top bar's action, the updates until the listing is built, one frame), the
//     folder listing alone, and one frame with the browser open;
//   - the time to save a map of 1,800 blocks through the browser's SAVE button until "Map Saved"
//     is up (the write includes flushing the file to the disk);
//   - the time to load that map from the browser's OPEN until its 1,800 blocks stand in the
//     world with their mesh built and one frame is on screen;
//   - and, last, the listing's time as a share of a 10 ms game step.
// Run it from the repository root with a display (scripts/xvfb.sh), on a quiet machine.
#include "engine/core/enginecore.h"
#include "bench/support/benchsource.h"
#include "game/editor/editormapfiles.h"
#include "game/editor/editortopbar.h"
#include "game/filebrowser/filebrowser.h"
#include "game/gamecontroller/gamecontroller.h"
#include "game/gamemap/gamemap.h"
#include "game/menu/menu.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"

#include <GL/glew.h>
#include <SDL.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace BenchSupport;
namespace fs = std::filesystem;

constexpr int kFolderFiles = 5000;
constexpr int kBlocks = 1800;
constexpr int kRepeats = 10;
constexpr int kMaxUpdates = 20;
constexpr double kStepMs = Game::GameController::kStepMs;

struct Figures {
    std::vector<double> ms;
    double mean() const { return BenchSupport::mean(ms); }
    double worst() const { return ms.empty() ? 0.0 : *std::max_element(ms.begin(), ms.end()); }
};

struct Bench {
    BenchSource source{1200, 700};
    Engine::EngineCore engine{&source};
    Game::GameController game{engine};

    ECS::EntityManager& world() { return game.world(); }

    void update()
    {
        source.clock += Game::GameController::kStepMs;
        engine.keyboard->refresh();
        game.update();
    }
    void frame()
    {
        game.render(0.5f);
        source.swapWindow(engine.window->window);
        glFinish();
    }
    // Runs updates until `done` holds (at most kMaxUpdates); false if it never did.
    bool updateUntil(const std::function<bool()>& done)
    {
        for (int i = 0; i < kMaxUpdates; ++i) {
            if (done())
                return true;
            update();
        }
        return done();
    }
    // Runs the click action of a clickable element, as a click on it does.
    void press(ECS::EntityId element)
    {
        const auto callback = world().getComponent<Component::UIclickableComponent>(element).callback;
        if (callback)
            callback();
    }
    void pressTopBar(const std::string& name) { press(game.menu().element(name)); }
    // The newest clickable element showing `text`.
    ECS::EntityId button(const std::string& text)
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
    bool showing(const std::string& text) { return button(text) != ECS::InvalidEntity; }
    const Component::UIfileBrowserComponent* browser()
    {
        const ECS::EntityId id = game.editorMapFiles().openBrowser();
        return world().hasComponent<Component::UIfileBrowserComponent>(id)
                   ? &world().getComponent<Component::UIfileBrowserComponent>(id)
                   : nullptr;
    }
    bool listed()
    {
        const Component::UIfileBrowserComponent* b = browser();
        return b && !b->entries.empty();
    }
    // Takes down whatever pop-up or browser is open.
    void dismiss()
    {
        for (const char* text : {"OK", "CANCEL", "NO"}) {
            while (showing(text)) {
                press(button(text));
                update();
            }
        }
        update();
    }
};

} // namespace

int main()
{
    const double loadAtStart = loadAverage();
    char pattern[] = "/tmp/tx-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const fs::path home = fs::path(pattern);
    fs::create_directories(home / "Documents" / "Tetherix");
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    const fs::path maps = home / "Documents" / "Tetherix";
    const std::string emptyMap("\x04rmap\x00\x00\x00\x00\x00", 10);
    for (int i = 0; i < kFolderFiles; ++i)
        std::ofstream(maps / ("map" + std::to_string(i) + ".rmap"), std::ios::binary) << emptyMap;

    Bench bench;
    bench.engine.game = &bench.game;
    SDL_SetMainReady();
    if (!bench.engine.startUp()) {
        std::fprintf(stderr, "The engine could not start (is there a display?)\n");
        return 1;
    }
    std::printf("--- game start-up ---\n");
    bench.game.init();
    bench.update();
    bench.game.openEditor();
    bench.update();
    bench.frame();
    std::printf("---\n");

    // "Load" over 5,000 files, to the first page on screen.
    Figures listing;
    Figures listingAlone;
    Figures browserFrame;
    for (int i = 0; i < kRepeats; ++i) {
        const Clock::time_point start = Clock::now();
        bench.pressTopBar(Game::TopBarNames::load);
        if (!bench.updateUntil([&] { return bench.listed(); })) {
            std::fprintf(stderr, "the browser never listed the folder\n");
            return 1;
        }
        bench.frame();
        listing.ms.push_back(msSince(start));
        const size_t listed = bench.browser()->entryCount;
        if (listed != size_t(kFolderFiles)) {
            std::fprintf(stderr, "listed %zu entries\n", listed);
            return 1;
        }
        const Clock::time_point frameStart = Clock::now();
        bench.frame();
        browserFrame.ms.push_back(msSince(frameStart));
        bench.dismiss();
        const Clock::time_point alone = Clock::now();
        const UI::FolderListing folder = UI::listFolder(maps);
        listingAlone.ms.push_back(msSince(alone));
        if (folder.files.size() != size_t(kFolderFiles))
            return 1;
    }

    // A map of 1,800 blocks, saved through SAVE under a new name each time.
    Game::GameMap& map = bench.game.map();
    for (int i = 0; i < kBlocks; ++i) {
        Component::TransformComponent block;
        block.position = glm::vec3(float(i % 60) * 3.0f, float(i / 60) * 3.0f, 1.0f);
        block.scale = glm::vec3(1.0f + float(i % 7) * 0.5f);
        map.addQube(bench.world(), block);
    }
    map.rebuildPending = true;
    bench.update();
    Figures saving;
    for (int i = 0; i < kRepeats; ++i) {
        bench.pressTopBar(Game::TopBarNames::save);
        bench.updateUntil([&] { return bench.listed(); });
        const ECS::EntityId field = bench.browser()->nameField;
        bench.world().getComponent<Component::UItextComponent>(field).setText("big" + std::to_string(i));
        UI::FileBrowser::setConfirmEnabled(bench.world(), bench.game.editorMapFiles().openBrowser(), true);
        const Clock::time_point start = Clock::now();
        bench.press(bench.button("SAVE"));
        if (!bench.updateUntil([&] { return bench.showing("OK"); })) {
            std::fprintf(stderr, "no pop-up after saving\n");
            return 1;
        }
        saving.ms.push_back(msSince(start));
        bench.dismiss();
    }
    const Game::MapReadResult saved = Game::MapFile::readFile(maps / "big0.rmap");
    if (saved.qubes.size() != size_t(kBlocks)) {
        std::fprintf(stderr, "the saved map holds %zu blocks\n", saved.qubes.size());
        return 1;
    }

    // Loading it back from the browser's OPEN, over the 1,800 blocks in the world.
    Figures loading;
    for (int i = 0; i < kRepeats; ++i) {
        bench.pressTopBar(Game::TopBarNames::load);
        bench.updateUntil([&] { return bench.listed(); });
        const ECS::EntityId browser = bench.game.editorMapFiles().openBrowser();
        UI::FileBrowser::chooseFile(bench.world(), browser, bench.browser()->entries.front(), "big0.rmap");
        const Clock::time_point start = Clock::now();
        bench.press(bench.button("OPEN"));
        bench.update();
        // The map in the world is saved, so no "Discard unsaved changes?" question comes between.
        if (!bench.updateUntil([&] { return map.qubeIDs.size() == size_t(kBlocks) && !map.rebuildPending &&
                                            bench.showing("OK"); })) {
            std::fprintf(stderr, "the map was not loaded\n");
            return 1;
        }
        bench.frame();
        loading.ms.push_back(msSince(start));
        bench.dismiss();
    }

    std::printf("load average at start: %.2f, at end: %.2f\n", loadAtStart, loadAverage());
    std::printf("\"Load\" to the first page on screen, %d files: mean %.2f ms, worst %.2f ms (%d runs)\n", kFolderFiles,
                listing.mean(), listing.worst(), kRepeats);
    std::printf("  the folder listing alone: mean %.2f ms, worst %.2f ms; one frame with the browser open: mean "
                "%.2f ms\n",
                listingAlone.mean(), listingAlone.worst(), browserFrame.mean());
    std::printf("save of %d blocks, SAVE to \"Map Saved\": mean %.2f ms, worst %.2f ms\n", kBlocks, saving.mean(),
                saving.worst());
    std::printf("load of %d blocks, OPEN to the blocks on screen: mean %.2f ms, worst %.2f ms\n", kBlocks,
                loading.mean(), loading.worst());
    std::printf("folder listing / step: %.3f\n", listingAlone.mean() / kStepMs);

    bench.game.shutdown();
    std::error_code ignored;
    fs::remove_all(home, ignored);
    return 0;
}
