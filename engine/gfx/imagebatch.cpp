#include "engine/gfx/imagebatch.h"

#include "engine/core/log.h"
#include "engine/gfx/imageloader.h"

#include <SDL_thread.h>

namespace Engine::GFX {

ImageBatch::ImageBatch(std::vector<std::string> paths) : paths(std::move(paths)), promises(this->paths.size())
{
    startImageDecoding();
    results.reserve(promises.size());
    for (std::promise<Decoded>& promise : promises)
        results.push_back(promise.get_future());
    for (unsigned i = 0; i < kWorkers && i < this->paths.size(); ++i)
        workers.emplace_back([this] { work(); });
}

ImageBatch::~ImageBatch()
{
    for (std::thread& worker : workers)
        worker.join();
}

void ImageBatch::work()
{
    for (size_t index = next++; index < paths.size(); index = next++) {
        Decoded decoded;
        decoded.image = decodeImage(paths[index], decoded.error);
        promises[index].set_value(std::move(decoded));
    }
    // The image library keeps its error text in SDL's per-thread storage, which SDL frees itself
    // only for threads it started.
    SDL_TLSCleanup();
}

std::optional<Image> ImageBatch::take(size_t index)
{
    if (index >= results.size() || !results[index].valid())
        return std::nullopt;
    Decoded decoded = results[index].get();
    if (!decoded.image)
        logLine(decoded.error);
    return std::move(decoded.image);
}

} // namespace Engine::GFX
