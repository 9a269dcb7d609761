#pragma once
// The render scale: the share of the window's drawable size the 3-D scene is drawn at. Auto
// measures the frames of the last second and steps between 100%, 75% and 50% to hold 60 frames
// a second, with a margin each way so that it does not flicker between two steps.
#include <cstdint>
#include <string_view>

namespace Game {

class AutoRenderScale {
public:
    // A second of frames slower than this on average steps down.
    static constexpr double kSlowFrameMs = 1000.0 / 60.0 * 1.05;
    // A second of frames steps up when, scaled by the pixels the next step draws more, it would
    // still take no more than this.
    static constexpr double kFastFrameMs = 1000.0 / 60.0 * 0.8;
    static constexpr double kMeasuredMs = 1000.0;
    // A frame longer than this (loading, a window drag), or a clock going back, starts the
    // measuring again.
    static constexpr double kLongestFrameMs = 250.0;

    // A frame was shown at `nowMs` (milliseconds of any steady clock; the game uses its loop
    // clock). Once a second of frames is measured, the scale may change.
    void frameShown(double nowMs);
    // Starts over at 100%, measuring from the next frame.
    void restart();
    // 100, 75 or 50.
    int32_t percent() const;

private:
    size_t step = 0; // index into Engine::kRenderScaleSteps
    double measuredFrom = -1.0; // negative: measuring starts with the next frame
    double lastFrameAt = -1.0;
    int frames = 0;
};

// The scale the game uses for the setting `setting` (Auto, a step, or not chosen: 100%) with the
// Auto scale `automatic`.
int32_t renderScalePercent(int32_t setting, const AutoRenderScale& automatic);

// The setting a first start chooses on the GL renderer named `renderer` (GL_RENDERER): Auto on a
// software renderer, 100% on a GPU, said on the console.
int32_t firstStartRenderScale(std::string_view renderer);

} // namespace Game
