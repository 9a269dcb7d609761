// Plays tests/autoplay/editortools.txt on the real game: three blocks added, one selected with a
// click, all three with a box, a snapped drag along x, undo and redo, framing, the shortcut help and the unsaved-change question.
// Checks the screenshots where the selection's highlight and the overlays stand.
#include "tests/support/programrun.h"
#include "tests/support/tempdir.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using TestSupport::Image;
using TestSupport::loadRgba;

const Uint8* pixel(const SDL_Surface& image, int x, int y)
{
    return static_cast<const Uint8*>(image.pixels) + y * image.pitch + x * 4;
}

bool highlighted(const Uint8* p)
{
    return p[0] > 150 && p[1] > 90 && p[2] < 90 && p[0] > p[2] + 80;
}

// Pixels of the selection's warm yellow highlight in [left, right) x [top, bottom).
int highlightCount(const SDL_Surface& image, int left, int right, int top, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += highlighted(pixel(image, x, y)) ? 1 : 0;
    return count;
}

// Mean x of the highlight pixels in the band of rows [top, bottom); -1 when there are hardly any.
double highlightCentreX(const SDL_Surface& image, int top, int bottom)
{
    double sum = 0;
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.w; ++x)
            if (highlighted(pixel(image, x, y))) {
                sum += x;
                ++count;
            }
    return count > 20 ? sum / count : -1.0;
}

// Mean brightness of the rectangle.
double brightness(const SDL_Surface& image, int left, int right, int top, int bottom)
{
    double sum = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Uint8* p = pixel(image, x, y);
            sum += (p[0] + p[1] + p[2]) / 3.0;
        }
    return sum / ((right - left) * (bottom - top));
}

} // namespace

TEST(EditorToolsAutoplayTest, BoxSelectSnappedDragUndoRedoFramingHelpAndTheGuard)
{
    const TestSupport::TempDir dir;
    const auto script = TestSupport::scriptWithShotsIn(dir, "tests/autoplay/editortools.txt");
    ASSERT_FALSE(script.empty());
    const TestSupport::ProgramRun run = TestSupport::runAutoplay(script, dir.path());
    const std::string& console = run.output;
    ASSERT_EQ(run.status, 0) << console;
    EXPECT_NE(console.find("REV MODIFY\n"), std::string::npos) << console;
    EXPECT_NE(console.find("REV REDO MODIFY\n"), std::string::npos) << console;

    const auto shot = [&](const char* name) { return loadRgba(dir.path() / name); };
    const Image three = shot("tools-1-three-blocks.png");
    const Image clicked = shot("tools-1-clicked.png");
    const Image box = shot("tools-2-box.png");
    const Image selected = shot("tools-3-box-selected.png");
    const Image dragged = shot("tools-5-snapped-dragged.png");
    const Image undone = shot("tools-6-undone.png");
    const Image redone = shot("tools-7-redone.png");
    const Image framed = shot("tools-8-framed.png");
    const Image help = shot("tools-9-help.png");
    const Image asks = shot("tools-10-new-asks.png");
    ASSERT_TRUE(three && clicked && box && selected && dragged && undone && redone && framed && help && asks) << IMG_GetError();

    // A click selects the block under the pointer alone, in the middle of the window.
    EXPECT_LT(highlightCentreX(*three, 420, 490), 0) << "nothing is selected after placing";
    EXPECT_NEAR(highlightCentreX(*clicked, 420, 490), 640, 20);
    EXPECT_EQ(highlightCount(*clicked, 380, 490, 420, 490) + highlightCount(*clicked, 790, 900, 420, 490), 0);

    // The box's pale blue frame runs along its top edge, where the drag started 380 pixels down.
    int frame = 0;
    for (int x = 320; x < 960; ++x) {
        bool edge = false;
        for (int y = 378; y <= 381; ++y) {
            const Uint8* p = pixel(*box, x, y);
            edge = edge || (p[2] > 200 && p[1] > 160 && p[0] < 190);
        }
        frame += edge ? 1 : 0;
    }
    EXPECT_GT(frame, 600) << "the selection box is drawn";
    EXPECT_EQ(highlightCount(*box, 380, 490, 420, 490) + highlightCount(*box, 790, 900, 420, 490), 0)
        << "the box selects nothing before the release";

    // All three blocks are highlighted after the release.
    for (const int left : {380, 590, 790})
        EXPECT_GT(highlightCount(*selected, left, left + 110, 420, 490), 200) << "block at x " << left;

    // The drag carries the selection to the right, undo brings it back, redo carries it again.
    const double before = highlightCentreX(*selected, 420, 490);
    const double after = highlightCentreX(*dragged, 420, 490);
    EXPECT_GT(after, before + 80);
    EXPECT_NEAR(highlightCentreX(*undone, 420, 490), before, 3);
    EXPECT_NEAR(highlightCentreX(*redone, 420, 490), after, 3);

    // Framing keeps all three in view, farther away.
    EXPECT_GT(highlightCount(*framed, 0, 640, 300, 450), 100);
    EXPECT_GT(highlightCount(*framed, 640, 1280, 300, 450), 100);

    // The help and the question lie over the view and darken it.
    EXPECT_LT(brightness(*help, 400, 880, 300, 420), brightness(*framed, 400, 880, 300, 420) - 20);
    EXPECT_LT(brightness(*asks, 100, 300, 600, 700), brightness(*framed, 100, 300, 600, 700) - 20);
}
