#include "game/gamecontroller/renderscale.h"

#include "engine/config/settings.h"
#include "engine/core/log.h"
#include "engine/gfx/gldriver.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace Game {

namespace {

constexpr size_t kSteps = std::size(Engine::kRenderScaleSteps);

} // namespace

void AutoRenderScale::frameShown(double nowMs)
{
    const double sinceLast = nowMs - lastFrameAt;
    lastFrameAt = nowMs;
    if (measuredFrom < 0.0 || sinceLast < 0.0 || sinceLast > kLongestFrameMs) {
        measuredFrom = nowMs;
        frames = 0;
        return;
    }
    ++frames;
    const double elapsed = nowMs - measuredFrom;
    if (elapsed < kMeasuredMs)
        return;
    const double meanMs = elapsed / frames;
    measuredFrom = nowMs;
    frames = 0;
    if (meanMs > kSlowFrameMs && step + 1 < kSteps) {
        ++step;
        return;
    }
    if (step == 0)
        return;
    const double ratio = double(Engine::kRenderScaleSteps[step - 1]) / double(Engine::kRenderScaleSteps[step]);
    if (meanMs * ratio * ratio <= kFastFrameMs)
        --step;
}

void AutoRenderScale::restart()
{
    step = 0;
    measuredFrom = -1.0;
    lastFrameAt = -1.0;
    frames = 0;
}

int32_t AutoRenderScale::percent() const
{
    return Engine::kRenderScaleSteps[step];
}

int32_t renderScalePercent(int32_t setting, const AutoRenderScale& automatic)
{
    if (setting == Engine::kRenderScaleAuto)
        return automatic.percent();
    const bool step = std::find(std::begin(Engine::kRenderScaleSteps), std::end(Engine::kRenderScaleSteps), setting) !=
                      std::end(Engine::kRenderScaleSteps);
    return step ? setting : 100;
}

int32_t firstStartRenderScale(std::string_view renderer)
{
    const std::string name(renderer);
    if (Engine::GFX::isSoftwareRenderer(renderer)) {
        Engine::logLine("Render scale: Auto, as the OpenGL renderer draws in software (" + name + ")");
        return Engine::kRenderScaleAuto;
    }
    Engine::logLine("Render scale: 100%, as the OpenGL renderer is a GPU (" + name + ")");
    return 100;
}

} // namespace Game
