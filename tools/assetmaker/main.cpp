// Writes the game's images (RGBA PNGs with unfiltered rows, through libpng) and the editor gizmo
// mesh into a data folder: `assetmaker [--mesh-only] [DATA_FOLDER]` (default "data").
#include "engine/gfx/meshfile.h"
#include "tools/assetmaker/gizmo.h"
#include "tools/assetmaker/images.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

struct ImageFile {
    const char* path;
    AssetMaker::Canvas (*make)();
};

const ImageFile kImages[] = {
    {"textures/grid.png", AssetMaker::makeGrid},
    {"textures/editor/selection.png", AssetMaker::makeSelection},
    {"textures/skybox.png", AssetMaker::makeSkybox},
    {"textures/default.png", AssetMaker::makeDefaultSurface},
    {"textures/hexagon.png", AssetMaker::makeHexagon},
    {"textures/crosshair.png", AssetMaker::makeCrosshair},
    {"textures/ui/testBox.png", AssetMaker::makeTestBox},
    {"textures/ui/whitetexture.png", AssetMaker::makeWhite},
    {"textures/ui/mouse.png", AssetMaker::makeMousePointer},
    {"textures/ui/editor/tool_translate.png", AssetMaker::makeToolTranslate},
    {"textures/ui/editor/tool_scale.png", AssetMaker::makeToolScale},
    {"textures/ui/editor/tool_rotate.png", AssetMaker::makeToolRotate},
    {"textures/ui/path_back.png", AssetMaker::makePathBack},
    {"textures/ui/directory.png", AssetMaker::makeDirectory},
    {"textures/ui/browser_page_previous.png", AssetMaker::makePagePrevious},
    {"textures/ui/browser_page_next.png", AssetMaker::makePageNext},
    {"textures/icon.png", AssetMaker::makeIcon},
};

bool writeMesh(const std::filesystem::path& folder)
{
    const std::filesystem::path path = folder / "models/axisEditorMesh.cmesh";
    std::filesystem::create_directories(path.parent_path());
    if (!Engine::GFX::Mesh::saveMeshFile(path, AssetMaker::makeGizmoMesh())) {
        std::printf("Cannot write \"%s\"\n", path.string().c_str());
        return false;
    }
    std::printf("wrote %s\n", path.string().c_str());
    return true;
}

bool writeImages(const std::filesystem::path& folder)
{
    bool ok = true;
    for (const ImageFile& image : kImages) {
        const std::filesystem::path path = folder / image.path;
        std::filesystem::create_directories(path.parent_path());
        if (image.make().savePNG(path.string()))
            std::printf("wrote %s\n", path.string().c_str());
        else
            ok = false;
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    bool meshOnly = false;
    std::filesystem::path folder = "data";
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--mesh-only") == 0)
            meshOnly = true;
        else
            folder = argv[i];
    }
    bool ok = writeMesh(folder);
    if (!meshOnly)
        ok = writeImages(folder) && ok;
    return ok ? 0 : 1;
}
