#include "engine/gfx/imagebatch.h"

#include "engine/gfx/imageloader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Engine::GFX::ImageBatch;

TEST(ImageBatchTest, DecodesEveryFileAsTheLoaderDoesAndReportsTheBadOnesWhenTaken)
{
    const std::vector<std::string> paths = {"data/textures/skybox.png", "data/textures/missing.png",
                                            "data/textures/hexagon.png", "data/textures/grid.png"};
    ImageBatch batch(paths);
    // Taken out of order: each waits for its own image only.
    for (const size_t index : {size_t(3), size_t(0), size_t(2)}) {
        const auto decoded = batch.take(index);
        const auto loaded = Engine::GFX::loadImage(paths[index]);
        ASSERT_TRUE(decoded && loaded) << paths[index];
        EXPECT_EQ(decoded->width, loaded->width);
        EXPECT_EQ(decoded->height, loaded->height);
        EXPECT_TRUE(decoded->pixels == loaded->pixels) << paths[index];
    }
    testing::internal::CaptureStdout();
    EXPECT_FALSE(batch.take(1));
    EXPECT_NE(testing::internal::GetCapturedStdout().find("Cannot load image \"data/textures/missing.png\""),
              std::string::npos);
    EXPECT_FALSE(batch.take(0)) << "each image is taken once";
    EXPECT_FALSE(batch.take(4));
}

TEST(ImageBatchTest, ImagesNeverTakenAreWaitedForAtTheEnd)
{
    ImageBatch batch({"data/textures/skybox.png", "data/textures/default.png", "data/textures/hexagon.png"});
    EXPECT_TRUE(batch.take(1));
}
