#include "engine/autoplay/privatexserver.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <string>

namespace Engine::Autoplay {
namespace {

constexpr int kStartTimeoutMs = 10000;

// In the child: becomes Xvfb, which picks a free display and writes its number to `displayFd`.
[[noreturn]] void execXvfb(int displayFd)
{
    prctl(PR_SET_PDEATHSIG, SIGTERM); // no server left behind if the driver dies
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
        dup2(null, STDIN_FILENO);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
    }
    const std::string fd = std::to_string(displayFd);
    execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x720x24", "-nolisten", "tcp",
           static_cast<char*>(nullptr));
    _exit(127);
}

// Reads the display number that Xvfb writes once it accepts connections; empty on failure.
std::string readDisplayNumber(int fd)
{
    std::string number;
    pollfd request{fd, POLLIN, 0};
    while (poll(&request, 1, kStartTimeoutMs) > 0) {
        char c = 0;
        if (read(fd, &c, 1) != 1)
            break;
        if (c == '\n')
            return number;
        if (!std::isdigit(static_cast<unsigned char>(c)))
            break;
        number += c;
    }
    return {};
}

} // namespace

PrivateXServer::~PrivateXServer()
{
    stop();
}

bool PrivateXServer::start(std::string& error)
{
    stop();
    int fds[2];
    if (pipe(fds) != 0) {
        error = "cannot create a pipe for Xvfb";
        return false;
    }
    pid_ = fork();
    if (pid_ == 0) {
        close(fds[0]);
        execXvfb(fds[1]);
    }
    close(fds[1]);
    if (pid_ < 0) {
        close(fds[0]);
        error = "cannot start a process for Xvfb";
        return false;
    }
    const std::string number = readDisplayNumber(fds[0]);
    close(fds[0]);
    if (number.empty()) {
        stop();
        error = "Xvfb did not start (is it installed?)";
        return false;
    }
    setenv("DISPLAY", (":" + number).c_str(), 1);
    return true;
}

void PrivateXServer::stop()
{
    if (pid_ <= 0)
        return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    unsetenv("DISPLAY");
}

} // namespace Engine::Autoplay
