// Plays tests/autoplay/editor.txt on the real game: open the editor, add a block, select it, drag
// its x arrow to the right, undo. Checks where the selection's highlight stands in each shot.
#include "tests/support/programrun.h"
#include "tests/support/tempdir.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>

using TestSupport::highlightCentreX;
using TestSupport::Image;
using TestSupport::loadRgba;

TEST(EditorAutoplayTest, AddSelectDragAlongXAndUndo)
{
    const TestSupport::TempDir dir;
    const auto script = TestSupport::scriptWithShotsIn(dir, "tests/autoplay/editor.txt");
    ASSERT_FALSE(script.empty());
    const TestSupport::ProgramRun run = TestSupport::runAutoplay(script);
    ASSERT_EQ(run.status, 0) << run.output;

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
