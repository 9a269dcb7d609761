#pragma once
// A private X server (Xvfb, 1280 x 720, 24-bit) for a program that needs a window but was started
// without a display. It lives as long as the object, and dies with the process if that ends first.
#include <sys/types.h>

#include <string>

namespace Engine::Autoplay {

class PrivateXServer {
public:
    PrivateXServer() = default;
    // Stops the server and unsets DISPLAY again.
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // Starts Xvfb on a free display number and sets DISPLAY to it. False, with the reason in
    // `error`, when Xvfb cannot be started or does not come up within a few seconds.
    bool start(std::string& error);
    bool running() const { return pid_ > 0; }

private:
    void stop();

    pid_t pid_ = -1;
};

} // namespace Engine::Autoplay
