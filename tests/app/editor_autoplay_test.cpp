// Plays tests/autoplay/editor.txt on the real game: open the editor, add a block, select it, drag
// its x arrow to the right, undo. Checks where the selection's highlight stands in each shot.
#include "tests/support/tempdir.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Image = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

Image loadRgba(const std::filesystem::path& file)
{
    const Image loaded(IMG_Load(file.c_str()));
    return Image(loaded ? SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0) : nullptr);
}

// Mean x of the pixels in the band of rows [top, bottom) that show the selection's warm yellow
// highlight; -1 when there are none.
double highlightCentreX(const SDL_Surface& image, int top, int bottom)
{
    double sum = 0;
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        const auto* row = static_cast<const Uint8*>(image.pixels) + y * image.pitch;
        for (int x = 0; x < image.w; ++x) {
            const int r = row[x * 4];
            const int g = row[x * 4 + 1];
            const int b = row[x * 4 + 2];
            if (r > 150 && g > 90 && b < 90 && r > b + 80) {
                sum += x;
                ++count;
            }
        }
    }
    return count > 20 ? sum / count : -1.0;
}

} // namespace

TEST(EditorAutoplayTest, AddSelectDragAlongXAndUndo)
{
    const TestSupport::TempDir dir;
    std::ifstream in("tests/autoplay/editor.txt");
    std::string script(std::istreambuf_iterator<char>(in), {});
    ASSERT_FALSE(script.empty());
    for (size_t at = script.find("build/shots/"); at != std::string::npos; at = script.find("build/shots/", at))
        script.replace(at, 12, dir.path().string() + "/");

    const char* binDir = std::getenv("TX_BIN_DIR");
    const std::string driver = std::string(binDir ? binDir : "build/bin") + "/tetherix-autoplay";
    const auto scriptFile = dir.write("editor.txt", script);
    const std::string command = "'" + driver + "' '" + scriptFile.string() + "' > '" + (dir.path() / "log").string() + "' 2>&1";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);

    const auto shot = [&](const char* name) { return loadRgba(dir.path() / name); };
    const Image placing = shot("editor-2-placing.png");
    const Image selected = shot("editor-4-selected.png");
    const Image dragged = shot("editor-7-dragged.png");
    const Image undone = shot("editor-8-undone.png");
    ASSERT_TRUE(placing && selected && dragged && undone) << IMG_GetError();

    // The block stands under the pointer at the middle of the window, below the horizon.
    EXPECT_LT(highlightCentreX(*placing, 420, 490), 0) << "nothing is selected while placing";
    const double before = highlightCentreX(*selected, 430, 490);
    EXPECT_NEAR(before, 640, 20);
    // Two hundred pixels of drag along the x arrow carry the block well to the right, and undo
    // brings it back.
    const double after = highlightCentreX(*dragged, 430, 490);
    EXPECT_GT(after, before + 120);
    EXPECT_NEAR(highlightCentreX(*undone, 430, 490), before, 3);
}
