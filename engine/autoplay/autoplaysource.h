#pragma once
// The loop source of an autoplay run: it plays a script into the engine's loop instead of reading
// a person's input, and keeps time itself so that every run of a script is the same.
//
// The script advances after each rendered frame (in swapWindow, before the real swap): its input
// commands queue the events and set the key, button and pointer state that the next update
// reads; "wait N" lets exactly N updates run, one per frame, the clock moving one 10 ms step per
// frame; "screenshot" saves the frame just rendered; "resize" sizes the window as a user's drag
// would; "quit", or the end of the script, sends a
// quit event that one more update reads, and the engine ends after it.
//
// The game's pointer requests are honoured as SDL would: in relative mode the pointer stays where
// it was captured and script moves arrive as relative motion without bounds; otherwise the pointer
// stays inside the window and the motion is what it really moved. A warp moves the pointer without
// a motion event. Typed text arrives only while the game has text input on, one event per character.
#include "engine/autoplay/script.h"
#include "engine/core/loopsource.h"

#include <SDL.h>

#include <array>
#include <cstddef>
#include <deque>

namespace Engine::Autoplay {

class AutoplaySource final : public SdlLoopSource {
public:
    // The clock's advance per frame while the script waits: one update of the game's step.
    static constexpr Uint32 kStepMs = 10;
    // The window size assumed while the engine has no window (tests of the loop alone).
    static constexpr int kFallbackWidth = 640;
    static constexpr int kFallbackHeight = 480;
    // How far a captured mouse's position may run from the origin; the motion between two
    // positions then always fits an int.
    static constexpr int kMaxDeviceTravel = 1 << 29;

    enum class Outcome {
        Playing,     // the script still has commands
        Finished,    // "quit" or the end of the script was reached
        Failed,      // a screenshot could not be saved; the run stops
        Interrupted, // the window was closed or the process asked to stop
    };

    explicit AutoplaySource(Script script);

    Uint32 ticks() override { return clock_; }
    // Script events first; then SDL's queue is drained so the window stays responsive, passing on
    // only its quit request. Each call that finds nothing more ends one update's input.
    bool pollEvent(SDL_Event& event) override;
    const Uint8* keyboardState(int& numKeys) override;
    Uint32 mouseState(int& x, int& y) override;
    void windowSize(SDL_Window* window, int& width, int& height) override;
    void drawableSize(SDL_Window* window, int& width, int& height) override;
    // Advances the script after the frame rendered, then swaps.
    void swapWindow(SDL_Window* window) override;
    // With drawOnlyScreenshots set, only the frames that a screenshot saves; else every frame.
    bool wantsFrame() override;
    // Draws only the frames that screenshots save, which makes a run that checks the game's
    // behaviour several times faster on a software renderer.
    void drawOnlyScreenshots(bool on) { screenshotsOnly_ = on; }
    void startTextInput() override { textInput_ = true; }
    void stopTextInput() override { textInput_ = false; }
    void setRelativeMouseMode(bool enabled) override;
    void warpMouse(SDL_Window* window, int x, int y) override;

    Outcome outcome() const { return outcome_; }
    // Script line of the command played last (0 before the first).
    int line() const { return line_; }
    // The window's close button was pressed during the run (the game answered it).
    bool windowCloseSeen() const { return windowCloseSeen_; }

private:
    void playUntilWait(SDL_Window* window);
    void play(const ScriptCommand& command, SDL_Window* window);
    void setKey(SDL_Scancode key, bool down);
    void moveMouse(long long deviceX, long long deviceY, SDL_Window* window);
    void setButton(Uint8 button, bool down);
    void scrollWheel(int notches);
    void typeText(const std::string& text);
    void takeScreenshot(const std::string& file, SDL_Window* window);
    void finish(Outcome outcome);
    void queue(const SDL_Event& event) { pending_.push_back(event); }

    Script script_;
    size_t next_ = 0;     // index of the next command to play
    int waitLeft_ = 0;    // updates still to run before the next command
    int line_ = 0;
    Outcome outcome_ = Outcome::Playing;
    Uint32 clock_ = 0;
    std::deque<SDL_Event> pending_;
    std::array<Uint8, SDL_NUM_SCANCODES> keys_{};
    Uint32 buttons_ = 0;
    int pointerX_ = 0; // where the game sees the pointer, window pixels
    int pointerY_ = 0;
    int deviceX_ = 0;  // where the script's moves have taken the mouse; the pointer unless captured
    int deviceY_ = 0;
    bool relativeMode_ = false;
    bool textInput_ = false;
    bool driverKept_ = false;
    bool windowCloseSeen_ = false;
    bool screenshotsOnly_ = false;
};

} // namespace Engine::Autoplay
