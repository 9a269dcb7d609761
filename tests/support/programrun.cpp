#include "tests/support/programrun.h"

#include <SDL_image.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace TestSupport {

ProgramRun runCommand(const std::string& command)
{
    ProgramRun run;
    FILE* pipe = ::popen(("(" + command + ") 2>&1").c_str(), "r");
    if (!pipe)
        return run;
    char chunk[512];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        run.output.append(chunk, got);
    const int raw = ::pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::filesystem::path binaryFolder()
{
    const char* folder = std::getenv("TX_BIN_DIR");
    return folder ? std::filesystem::path(folder) : std::filesystem::path("build/bin");
}

std::string program(const std::string& name)
{
    return shellQuoted((binaryFolder() / name).string());
}

namespace {

ProgramRun runAutoplayWith(const std::string& options, const std::filesystem::path& script,
                           const std::filesystem::path& home)
{
    const std::string user = home.empty() ? "" : "env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME=" + shellQuoted(home.string()) + " ";
    return runCommand(user + program("tetherix-autoplay") + " " + options + shellQuoted(script.string()));
}

} // namespace

ProgramRun runAutoplay(const std::filesystem::path& script, const std::filesystem::path& home)
{
    return runAutoplayWith("", script, home);
}

ProgramRun runAutoplayShotsOnly(const std::filesystem::path& script, const std::filesystem::path& home)
{
    return runAutoplayWith("--shots-only ", script, home);
}

std::filesystem::path scriptWithShotsIn(const TempDir& dir, const std::filesystem::path& script)
{
    std::string text = fileText(script);
    if (text.empty())
        return {};
    const std::string shots = "build/shots/";
    const std::string into = dir.path().string() + "/";
    for (size_t at = text.find(shots); at != std::string::npos; at = text.find(shots, at + into.size()))
        text.replace(at, shots.size(), into);
    return dir.write(script.filename(), text);
}

std::string fileText(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

Image loadRgba(const std::filesystem::path& file)
{
    const Image loaded(IMG_Load(file.c_str()));
    return Image(loaded ? SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGBA32, 0) : nullptr);
}

namespace {

const Uint8* pixel(const SDL_Surface& image, int x, int y)
{
    return static_cast<const Uint8*>(image.pixels) + y * image.pitch + x * 4;
}

} // namespace

double changedFraction(const SDL_Surface& a, const SDL_Surface& b, int x0, int y0, int x1, int y1)
{
    size_t changed = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Uint8* p = pixel(a, x, y);
            const Uint8* q = pixel(b, x, y);
            const int difference = std::max({std::abs(p[0] - q[0]), std::abs(p[1] - q[1]), std::abs(p[2] - q[2])});
            changed += difference > 24 ? 1 : 0;
        }
    return static_cast<double>(changed) / (static_cast<double>(x1 - x0) * (y1 - y0));
}

} // namespace TestSupport
