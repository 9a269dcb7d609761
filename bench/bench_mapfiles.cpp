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
#include "bench/support/gamebench.h"
#include "game/editor/editormapfiles.h"
#include "game/editor/editortopbar.h"
#include "game/filebrowser/filebrowser.h"
#include "game/gamecontroller/gamecontroller.h"
#include "game/gamemap/gamemap.h"
#include "game/menu/menu.h"
#include "game/transform/transformcomponent.h"
#include "game/ui/uicomponents.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
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

using Samples = std::vector<double>;

struct Bench : GameBench {
    Bench() : GameBench(1200, 700) {}

    ECS::EntityManager& world() { return game.world(); }

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

// HOME in a fresh temporary folder, its user map folder holding kFolderFiles empty maps; the
// folder goes, with everything in it, when this does.
class TempHome {
public:
    TempHome() = default;
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    ~TempHome()
    {
        std::error_code ignored;
        if (!home.empty())
            fs::remove_all(home, ignored);
    }

    // False when there is no temporary folder.
    bool create()
    {
        char pattern[] = "/tmp/tx-bench-XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            return false;
        home = fs::path(pattern);
        fs::create_directories(maps());
        setenv("HOME", home.c_str(), 1);
        unsetenv("XDG_CONFIG_HOME");
        const std::string emptyMap("\x04rmap\x00\x00\x00\x00\x00", 10);
        for (int i = 0; i < kFolderFiles; ++i)
            std::ofstream(maps() / ("map" + std::to_string(i) + ".rmap"), std::ios::binary) << emptyMap;
        return true;
    }

    fs::path maps() const { return home / "Documents" / "Tetherix"; }

private:
    fs::path home;
};

// The game started and in the editor, one frame on screen; the game's start-up lines between
// two markers.
void openEditor(Bench& bench)
{
    std::printf("--- game start-up ---\n");
    bench.game.init();
    bench.update();
    bench.game.openEditor();
    bench.update();
    bench.frame();
    std::printf("---\n");
}

struct ListingFigures {
    Samples toFirstPage;  // "Load" to the first page on screen
    Samples alone;        // the folder listing alone
    Samples browserFrame; // one frame with the browser open
};

// One "Load" over the map folder, one more frame with the browser open, and the folder listed
// alone; false, with a line on standard error where it tells why, when the listing is wrong.
bool timeListingOnce(Bench& bench, const fs::path& maps, ListingFigures& figures)
{
    const Clock::time_point start = Clock::now();
    bench.pressTopBar(Game::TopBarNames::load);
    if (!bench.updateUntil([&] { return bench.listed(); })) {
        std::fprintf(stderr, "the browser never listed the folder\n");
        return false;
    }
    bench.frame();
    figures.toFirstPage.push_back(msSince(start));
    const size_t listed = bench.browser()->entryCount;
    if (listed != size_t(kFolderFiles)) {
        std::fprintf(stderr, "listed %zu entries\n", listed);
        return false;
    }
    figures.browserFrame.push_back(bench.frame());
    bench.dismiss();
    const Clock::time_point alone = Clock::now();
    const UI::FolderListing folder = UI::listFolder(maps);
    figures.alone.push_back(msSince(alone));
    return folder.files.size() == size_t(kFolderFiles);
}

std::optional<ListingFigures> measureListing(Bench& bench, const fs::path& maps)
{
    ListingFigures figures;
    for (int i = 0; i < kRepeats; ++i) {
        if (!timeListingOnce(bench, maps, figures))
            return std::nullopt;
    }
    return figures;
}

// A map of kBlocks blocks in the world, its mesh built.
void addBlocks(Bench& bench)
{
    Game::GameMap& map = bench.game.map();
    for (int i = 0; i < kBlocks; ++i) {
        Component::TransformComponent block;
        block.position = glm::vec3(float(i % 60) * 3.0f, float(i / 60) * 3.0f, 1.0f);
        block.scale = glm::vec3(1.0f + float(i % 7) * 0.5f);
        map.addQube(bench.world(), block);
    }
    map.rebuildPending = true;
    bench.update();
}

// The map in the world saved through SAVE as `name`, until "Map Saved" is up; nothing, with a
// line on standard error, when no pop-up came.
std::optional<double> timeSave(Bench& bench, const std::string& name)
{
    bench.pressTopBar(Game::TopBarNames::save);
    bench.updateUntil([&] { return bench.listed(); });
    const ECS::EntityId field = bench.browser()->nameField;
    bench.world().getComponent<Component::UItextComponent>(field).setText(name);
    UI::FileBrowser::setConfirmEnabled(bench.world(), bench.game.editorMapFiles().openBrowser(), true);
    const Clock::time_point start = Clock::now();
    bench.press(bench.button("SAVE"));
    if (!bench.updateUntil([&] { return bench.showing("OK"); })) {
        std::fprintf(stderr, "no pop-up after saving\n");
        return std::nullopt;
    }
    const double ms = msSince(start);
    bench.dismiss();
    return ms;
}

// Saves under a new name each time; the first one must read back whole.
std::optional<Samples> measureSaving(Bench& bench, const fs::path& maps)
{
    Samples saving;
    for (int i = 0; i < kRepeats; ++i) {
        const std::optional<double> ms = timeSave(bench, "big" + std::to_string(i));
        if (!ms)
            return std::nullopt;
        saving.push_back(*ms);
    }
    const Game::MapReadResult saved = Game::MapFile::readFile(maps / "big0.rmap");
    if (saved.qubes.size() != size_t(kBlocks)) {
        std::fprintf(stderr, "the saved map holds %zu blocks\n", saved.qubes.size());
        return std::nullopt;
    }
    return saving;
}

// The saved map opened through the browser's OPEN, over the kBlocks blocks in the world, until
// they stand in the world with their mesh built and one frame is on screen; nothing, with a
// line on standard error, when the map did not load.
std::optional<double> timeOpen(Bench& bench)
{
    const Game::GameMap& map = bench.game.map();
    bench.pressTopBar(Game::TopBarNames::load);
    bench.updateUntil([&] { return bench.listed(); });
    const ECS::EntityId browser = bench.game.editorMapFiles().openBrowser();
    UI::FileBrowser::chooseFile(bench.world(), browser, bench.browser()->entries.front(), "big0.rmap");
    const Clock::time_point start = Clock::now();
    bench.press(bench.button("OPEN"));
    bench.update();
    // The map in the world is saved, so no "Discard unsaved changes?" question comes between.
    if (!bench.updateUntil([&] {
            return map.qubeIDs.size() == size_t(kBlocks) && !map.rebuildPending && bench.showing("OK");
        })) {
        std::fprintf(stderr, "the map was not loaded\n");
        return std::nullopt;
    }
    bench.frame();
    const double ms = msSince(start);
    bench.dismiss();
    return ms;
}

std::optional<Samples> measureOpening(Bench& bench)
{
    Samples loading;
    for (int i = 0; i < kRepeats; ++i) {
        const std::optional<double> ms = timeOpen(bench);
        if (!ms)
            return std::nullopt;
        loading.push_back(*ms);
    }
    return loading;
}

void printFigures(double loadAtStart, const ListingFigures& listing, const Samples& saving, const Samples& loading)
{
    std::printf("load average at start: %.2f, at end: %.2f\n", loadAtStart, loadAverage());
    std::printf("\"Load\" to the first page on screen, %d files: mean %.2f ms, worst %.2f ms (%d runs)\n", kFolderFiles,
                mean(listing.toFirstPage), worst(listing.toFirstPage), kRepeats);
    std::printf("  the folder listing alone: mean %.2f ms, worst %.2f ms; one frame with the browser open: mean "
                "%.2f ms\n",
                mean(listing.alone), worst(listing.alone), mean(listing.browserFrame));
    std::printf("save of %d blocks, SAVE to \"Map Saved\": mean %.2f ms, worst %.2f ms\n", kBlocks, mean(saving),
                worst(saving));
    std::printf("load of %d blocks, OPEN to the blocks on screen: mean %.2f ms, worst %.2f ms\n", kBlocks,
                mean(loading), worst(loading));
    std::printf("folder listing / step: %.3f\n", mean(listing.alone) / kStepMs);
}

} // namespace

int main()
{
    const double loadAtStart = loadAverage();
    TempHome home;
    if (!home.create()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    Bench bench;
    if (!bench.start())
        return 1;
    openEditor(bench);
    const std::optional<ListingFigures> listing = measureListing(bench, home.maps());
    if (!listing)
        return 1;
    addBlocks(bench);
    const std::optional<Samples> saving = measureSaving(bench, home.maps());
    if (!saving)
        return 1;
    const std::optional<Samples> loading = measureOpening(bench);
    if (!loading)
        return 1;
    printFigures(loadAtStart, *listing, *saving, *loading);
    bench.game.shutdown();
    return 0;
}
