#pragma once
// Image files decoded on worker threads while the caller goes on with other work (compiling
// shaders, loading fonts); the caller takes each image when it needs it.
#include "engine/gfx/image.h"

#include <atomic>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace Engine::GFX {

class ImageBatch {
public:
    static constexpr unsigned kWorkers = 2;

    // Starts decoding `paths`, in their order, on kWorkers threads. Call on the main thread.
    explicit ImageBatch(std::vector<std::string> paths);
    // Waits for the workers.
    ~ImageBatch();
    ImageBatch(const ImageBatch&) = delete;
    ImageBatch& operator=(const ImageBatch&) = delete;

    // The image of the path at `index`, once decoded; a file that cannot be decoded is reported
    // on the console (on the calling thread) and gives nothing. Each index is taken once; an index
    // out of range or taken before gives nothing.
    std::optional<Image> take(size_t index);

private:
    struct Decoded {
        std::optional<Image> image;
        std::string error;
    };
    void work();

    std::vector<std::string> paths;
    std::vector<std::promise<Decoded>> promises;
    std::vector<std::future<Decoded>> results;
    std::atomic<size_t> next{0};
    std::vector<std::thread> workers;
};

} // namespace Engine::GFX
