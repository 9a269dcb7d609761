// rmapinfo FILE...: checks map files with the game's own reader. Prints, per file, its name,
// the number of blocks and the extent of the block positions, or one line naming the file and
// what is wrong with it. Exit status 0 only when every file is a valid map.
#include "game/gamemap/mapfile.h"

#include <cstdio>
#include <filesystem>

namespace {

void printSummary(const char* name, const Game::MapReadResult& map)
{
    std::printf("%s: %zu block%s", name, map.qubes.size(), map.qubes.size() == 1 ? "" : "s");
    if (map.qubes.empty()) {
        std::printf("\n");
        return;
    }
    glm::vec3 low = map.qubes.front().position;
    glm::vec3 high = low;
    for (const Game::QubeRecord& qube : map.qubes) {
        low = glm::min(low, qube.position);
        high = glm::max(high, qube.position);
    }
    std::printf(", x %.2f to %.2f, y %.2f to %.2f, z %.2f to %.2f\n", low.x, high.x, low.y, high.y, low.z, high.z);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: rmapinfo FILE...\n");
        return 2;
    }
    bool allValid = true;
    for (int i = 1; i < argc; ++i) {
        const Game::MapReadResult map = Game::MapFile::readFile(std::filesystem::path(argv[i]));
        if (map.ok()) {
            printSummary(argv[i], map);
        } else {
            std::printf("%s: not a valid map: %s\n", argv[i], map.problem.c_str());
            allValid = false;
        }
    }
    std::fflush(stdout);
    return allValid ? 0 : 1;
}
