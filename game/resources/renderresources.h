#pragma once
// Every graphics resource of the game, loaded once at start-up and kept for the whole run: meshes,
// the skinned figure, fonts and text meshes, cameras, render targets, the twenty programs,
// samplers and textures. Systems and render passes read them; nothing here changes per frame.
#include "engine/gfx/animation.h"
#include "engine/gfx/fbo.h"
#include "engine/gfx/font.h"
#include "engine/gfx/imagebatch.h"
#include "engine/gfx/model3d.h"
#include "engine/gfx/sampler.h"
#include "engine/gfx/shader.h"
#include "engine/gfx/skeletalmesh.h"
#include "engine/gfx/skeleton.h"
#include "engine/gfx/textmesh.h"
#include "engine/gfx/texture.h"
#include "game/camera/cameradata.h"

#include <glm/mat4x4.hpp>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>


namespace Game {

class RenderResources {
public:
    // Loads everything for a window of `width` x `height` pixels from the data/ folder under
    // `root` (empty: the working directory), printing a progress line before each group. Needs a
    // current GL context. Files that are missing or bad are reported and replaced by safe
    // stand-ins (empty fonts, empty programs, the fallback texture, absent meshes), so start-up
    // always completes.
    // `images` are the game's texture files, decoding since startDecodingTextures(); without
    // them the decoding starts here.
    RenderResources(int width, int height, const std::filesystem::path& root = {},
                    std::unique_ptr<Engine::GFX::ImageBatch> images = nullptr);
    // Starts decoding the game's texture files under `root` on worker threads. Needs no GL
    // context, so it may start before the window opens.
    static std::unique_ptr<Engine::GFX::ImageBatch> startDecodingTextures(const std::filesystem::path& root);
    RenderResources(const RenderResources&) = delete;
    RenderResources& operator=(const RenderResources&) = delete;

    // Follows a new window size: the scene, outline and picking targets are made anew at
    // `width` x `height` pixels (the scene and outline targets at the scene scale's share of it;
    // the old ones and their images are deleted), and the default camera's projection, the
    // screen-pixel camera and the font program's default clip bounds follow. Sizes below one
    // pixel count as one.
    void resize(int width, int height);
    // The scene and outline targets from now on at `percent` of the window size in each
    // direction (made anew when that changes); the picking target keeps the window's size.
    void setSceneScale(int32_t percent);
    int32_t sceneScale() const { return scenePercent; }

    using Model3D = Engine::GFX::Mesh::Model3D;
    using ProgramPtr = std::unique_ptr<Engine::GFX::ShaderProgram>;
    using TexturePtr = std::shared_ptr<Engine::GFX::Texture2D>;

    // Skeletal data: the running figure that the ghost of a course's best run is drawn with.
    std::shared_ptr<Model3D> unitQuadA;                       // (0,0)-(1,1)
    std::unique_ptr<Engine::GFX::Mesh::SkeletalMesh> skinnedMesh; // null when the file is bad
    Engine::GFX::Skeleton skeleton;
    Engine::GFX::Animation animation;
    std::vector<glm::mat4> boneMatrices; // one identity per bone of the skinned mesh

    // Fonts.
    Engine::GFX::Font engineFont;
    Engine::GFX::Font editorTopBarFont;
    Engine::GFX::Font editorSmallFont;
    Engine::GFX::Font fileBrowserFont;

    // Scene texts, all in the engine font.
    Engine::GFX::TextMesh testText{engineFont};
    Engine::GFX::TextMesh fpsText{engineFont};
    Engine::GFX::TextMesh bannerText{engineFont};

    CameraData defaultCamera;     // perspective fallback and prototype of every camera component
    CameraData screenPixelCamera; // orthographic, window pixels, y up

    std::unique_ptr<Engine::GFX::FBO> sceneTarget;
    std::unique_ptr<Engine::GFX::FBO> outlineTarget;
    std::unique_ptr<Engine::GFX::FBO> pickingTarget;

    ProgramPtr defaultShader;
    ProgramPtr shaderSceneMapMRT;
    ProgramPtr shaderEntity;
    ProgramPtr shaderDepthVisualisation;
    ProgramPtr skeletalShader;
    ProgramPtr shaderFinalComposit; // the scene darkened along its outlines, found in one pass
    ProgramPtr shaderMaxDepthWrite;
    ProgramPtr shaderMapGeometry;
    // The outline image alone. Loaded with the others, but no pass draws with it: the composite
    // finds the outlines itself, which saves a full-screen pass.
    ProgramPtr shaderEdgeDetection;
    ProgramPtr shaderDefaultWithColorID;
    ProgramPtr shaderSkybox;
    ProgramPtr shaderRope;
    ProgramPtr shaderFloor;
    ProgramPtr shaderFontDefault;
    ProgramPtr shaderPhysicsDebug;
    ProgramPtr shaderUiBackground;
    ProgramPtr shaderDefaultPremultipliedAlpha;
    ProgramPtr shaderEntitySelection;
    ProgramPtr shaderEditorAxis;
    ProgramPtr shaderEditorAxisID;

    std::unique_ptr<Engine::GFX::Sampler> repeatSampler;  // trilinear, repeating, anisotropic
    std::unique_ptr<Engine::GFX::Sampler> nearestSampler; // nearest, clamped

    TexturePtr gridTexture;
    TexturePtr selectionTexture;
    TexturePtr skyboxTexture;
    TexturePtr defaultTexture;
    TexturePtr hexagonTexture;
    TexturePtr crosshairTexture;
    TexturePtr testBoxTexture;
    TexturePtr whiteTexture;
    TexturePtr mouseTexture;
    TexturePtr toolTranslateTexture;
    TexturePtr toolScaleTexture;
    TexturePtr toolRotateTexture;
    TexturePtr pathBackTexture;
    TexturePtr directoryTexture;
    TexturePtr browserPagePreviousTexture;
    TexturePtr browserPageNextTexture;

    std::shared_ptr<Model3D> yellowSphere;
    std::shared_ptr<Model3D> floor;
    std::shared_ptr<Model3D> redSphere;
    std::shared_ptr<Model3D> cursorQuad; // (-0.5,-0.5)-(0.5,0.5)
    std::shared_ptr<Model3D> cube;
    std::shared_ptr<Model3D> greenSphere;
    std::shared_ptr<Model3D> rod;
    std::unique_ptr<Engine::GFX::Mesh::Model3Di> editorAxisMesh; // null when the file is bad
    std::shared_ptr<Model3D> unitQuadB;                          // (0,0)-(1,1)

    // The sub-meshes the editor draws from the axis mesh.
    static const std::vector<std::string> kEditorAxisSubMeshes;

private:
    std::filesystem::path root;
    int32_t scenePercent = 100;
    int targetWidth = 1; // the window size the targets follow
    int targetHeight = 1;

    // `relative` ("./data/..." or "data/...") under the root; unchanged for the working directory.
    std::string shippedFile(const std::string& relative) const;
    void loadSkeletalData();
    void loadFonts();
    void createTextMeshes();
    void setUpCameras(int width, int height);
    void setScreenPixelCamera(int width, int height);
    void setFontBounds(int width, int height);
    // Makes the three render targets for a window of this size; when the GPU cannot, the old
    // ones stay.
    void createRenderTargets(int width, int height);
    void loadShaders(int width, int height);
    // Makes the textures from the images `images` decodes, in the order of gameTextures().
    void loadTextures(Engine::GFX::ImageBatch& images);
    void loadMeshes();
};

// The text of the banner shown in the main menu.
extern const char* const kBannerText;

} // namespace Game
