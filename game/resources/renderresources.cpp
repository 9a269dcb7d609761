#include "game/resources/renderresources.h"

#include "engine/core/log.h"
#include "engine/gfx/gltexturefactory.h"
#include "engine/gfx/imagebatch.h"
#include "engine/gfx/meshdata.h"
#include "game/resources/shadercollection.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>

#include <algorithm>
#include <tuple>
#include <type_traits>
#include <utility>

namespace Game {

using namespace Engine::GFX;

const char* const kBannerText = "Engine Alpha\nTetherix - run, jump, swing";

const std::vector<std::string> RenderResources::kEditorAxisSubMeshes = {
    "x_axis_transform", "y_axis_transform", "z_axis_transform", "x_axis_rotate", "y_axis_rotate", "z_axis_rotate",
    "x_axis_scale",     "y_axis_scale",     "z_axis_scale",     "center",        "center_sphere",
};

namespace {

// Builds one generated mesh from a scratch MeshData that the generator fills.
template <typename Generate>
std::shared_ptr<Mesh::Model3D> generateMesh(Mesh::MeshData& scratch, Generate generate)
{
    scratch.clear();
    generate(scratch);
    auto model = std::make_shared<Mesh::Model3D>();
    model->setMeshData(scratch);
    model->upload();
    return model;
}

std::shared_ptr<Mesh::Model3D> unitQuad()
{
    Mesh::MeshData scratch;
    return generateMesh(scratch, [](Mesh::MeshData& data) {
        Mesh::addQuad2D(data, {0.0f, 0.0f}, {1.0f, 1.0f}, glm::vec4(1.0f), {0.0f, 0.0f}, {1.0f, 1.0f});
    });
}

void loadFont(Font& font, const std::string& path)
{
    if (!font.loadFromFile(path))
        Engine::logf("Font %s is not available; its texts stay invisible\n", path.c_str());
}

// Reports bones that the mesh, the skeleton and the animation do not agree on.
void checkBonesAgree(const Mesh::SkeletalMesh* mesh, const Skeleton& skeleton, const Animation& animation)
{
    if (mesh) {
        for (const Mesh::SkeletalBone& bone : mesh->bones())
            if (skeleton.nameToIndex.count(bone.name) == 0)
                Engine::logLine("Skinned mesh bone \"" + bone.name + "\" is not in the skeleton");
    }
    for (const AnimationChannel& channel : animation.channels)
        if (skeleton.nameToIndex.count(channel.boneName) == 0)
            Engine::logLine("Animation channel \"" + channel.boneName + "\" names no bone of the skeleton");
}

// `relative` (a path under data/, possibly starting with "./") under `root`; as it is when `root`
// is empty.
std::string shippedPath(const std::filesystem::path& root, const std::string& relative)
{
    if (root.empty())
        return relative;
    const std::string_view inside =
        relative.compare(0, 2, "./") == 0 ? std::string_view(relative).substr(2) : std::string_view(relative);
    // The shader folder is handed on as a prefix: keep its trailing separator.
    return (root / inside).string();
}

} // namespace

std::unique_ptr<ImageBatch> RenderResources::startDecodingTextures(const std::filesystem::path& root)
{
    std::vector<std::string> texturePaths;
    for (const GameTexture& texture : gameTextures())
        texturePaths.push_back(shippedPath(root, texture.path));
    return std::make_unique<ImageBatch>(std::move(texturePaths));
}

RenderResources::RenderResources(int width, int height, const std::filesystem::path& root,
                                 std::unique_ptr<ImageBatch> images)
    : root(root)
{
    // The texture files decode on worker threads while the rest loads.
    if (!images)
        images = startDecodingTextures(root);
    loadSkeletalData();
    loadFonts();
    createTextMeshes();
    setUpCameras(width, height);
    createRenderTargets(width, height);
    loadShaders(width, height);
    Engine::logLine("Creating Samplers");
    repeatSampler = std::make_unique<Sampler>(Sampler::makeRepeatSampler());
    nearestSampler = std::make_unique<Sampler>(Sampler::makeNearestSampler());
    loadTextures(*images);
    loadMeshes();
}

std::string RenderResources::shippedFile(const std::string& relative) const
{
    return shippedPath(root, relative);
}

void RenderResources::loadSkeletalData()
{
    Engine::logLine("Loading skeletal data");
    unitQuadA = unitQuad();
    skinnedMesh = Mesh::loadSkeletalMesh(shippedFile("./data/models/animation.camesh"));
    skeleton.loadFromFile(shippedFile("./data/skeletons/animation.cskel"));
    animation.loadFromFile(shippedFile("./data/animations/animation_running.canim"));
    boneMatrices.assign(skinnedMesh ? skinnedMesh->bones().size() : 0, glm::mat4(1.0f));
    checkBonesAgree(skinnedMesh.get(), skeleton, animation);
}

void RenderResources::loadFonts()
{
    Engine::logLine("Loading Font");
    loadFont(engineFont, shippedFile("./data/fonts/engine_font.fnt"));
    loadFont(editorTopBarFont, shippedFile("./data/fonts/editorTopBar.fnt"));
    loadFont(editorSmallFont, shippedFile("./data/fonts/editorFontSmall.fnt"));
    loadFont(fileBrowserFont, shippedFile("./data/fonts/fileBrowser.fnt"));
}

void RenderResources::createTextMeshes()
{
    Engine::logLine("Creating Text-meshes");
    testText.setText("OpenGL Game Engine\nFont Rendering Test");
    fpsText.setText("FPS");
    bannerText.setText(kBannerText);
}

void RenderResources::setUpCameras(int width, int height)
{
    defaultCamera.width = float(width);
    defaultCamera.height = float(height);
    defaultCamera.fieldOfView = 110.0f;
    defaultCamera.nearPlane = 0.01f;
    defaultCamera.farPlane = 2000.0f;
    defaultCamera.eye = {40.0f, 40.0f, 4.0f};
    defaultCamera.center = {0.0f, 0.0f, 10.0f};
    defaultCamera.up = {0.0f, 0.0f, 1.0f};
    defaultCamera.setPerspective(float(width), float(height), defaultCamera.fieldOfView);
    defaultCamera.view = glm::lookAt(defaultCamera.eye, defaultCamera.center, defaultCamera.up);

    screenPixelCamera.nearPlane = -10.0f;
    screenPixelCamera.farPlane = 10.0f;
    screenPixelCamera.eye = {0.0f, 0.0f, 1.0f};
    screenPixelCamera.center = {0.0f, 0.0f, 0.0f};
    screenPixelCamera.up = {0.0f, 1.0f, 0.0f};
    setScreenPixelCamera(width, height);
    screenPixelCamera.view = glm::lookAt(screenPixelCamera.eye, screenPixelCamera.center, screenPixelCamera.up);
}

void RenderResources::resize(int width, int height)
{
    width = std::max(width, 1);
    height = std::max(height, 1);
    defaultCamera.setPerspective(float(width), float(height), defaultCamera.fieldOfView);
    setScreenPixelCamera(width, height);
    createRenderTargets(width, height);
    setFontBounds(width, height);
}

void RenderResources::setScreenPixelCamera(int width, int height)
{
    screenPixelCamera.width = float(width);
    screenPixelCamera.height = float(height);
    screenPixelCamera.projection = glm::ortho(0.0f, float(width), 0.0f, float(height), -10.0f, 10.0f);
}

void RenderResources::setSceneScale(int32_t percent)
{
    if (percent == scenePercent)
        return;
    scenePercent = percent;
    createRenderTargets(targetWidth, targetHeight);
}

void RenderResources::createRenderTargets(int width, int height)
{
    targetWidth = width;
    targetHeight = height;
    const auto scaled = [this](int size) { return uint32_t(std::max((size * scenePercent + 50) / 100, 1)); };
    auto scene = createSceneTarget(scaled(width), scaled(height));
    auto outline = createOutlineTarget(scaled(width), scaled(height));
    auto picking = createPickingTarget(uint32_t(width), uint32_t(height));
    if (!scene || !outline || !picking) {
        Engine::logLine("No render targets for " + std::to_string(width) + "x" + std::to_string(height) +
                        (sceneTarget ? ", the old ones stay" : ", the 3-D view is not drawn"));
        return;
    }
    sceneTarget = std::move(scene);
    outlineTarget = std::move(outline);
    pickingTarget = std::move(picking);
}

void RenderResources::loadShaders(int width, int height)
{
    Engine::logLine("Loading Shaders");
    ShaderCollection collection(shippedFile("./data/shader/"), shippedFile("./data/shaders.shconf"));
    ProgramPtr* const programs[] = {
        &defaultShader,         &shaderSceneMapMRT,   &shaderEntity,       &shaderDepthVisualisation,
        &skeletalShader,        &shaderFinalComposit, &shaderMaxDepthWrite, &shaderMapGeometry,
        &shaderEdgeDetection,   &shaderDefaultWithColorID, &shaderSkybox, &shaderRope,
        &shaderFloor,           &shaderFontDefault,   &shaderPhysicsDebug, &shaderUiBackground,
        &shaderDefaultPremultipliedAlpha, &shaderEntitySelection, &shaderEditorAxis, &shaderEditorAxisID,
    };
    static_assert(std::size(programs) == ShaderCollection::kProgramNames.size());
    for (size_t i = 0; i < std::size(programs); ++i)
        *programs[i] = collection.createProgram(ShaderCollection::kProgramNames[i]);

    glUseProgram(shaderFontDefault->programId());
    glUniform4f(shaderFontDefault->getUniformLocation("uColor"), 1.0f, 1.0f, 1.0f, 1.0f);
    glUseProgram(0);
    setFontBounds(width, height);
}

void RenderResources::setFontBounds(int width, int height)
{
    // Texts drawn before anything sets the font program's colour and clip bounds show white and
    // unclipped rather than invisible (uniforms start at zero).
    glUseProgram(shaderFontDefault->programId());
    glUniform2f(shaderFontDefault->getUniformLocation("uDrawBoundsX"), 0.0f, float(width));
    glUniform2f(shaderFontDefault->getUniformLocation("uDrawBoundsY"), 0.0f, float(height));
    glUseProgram(0);
}

void RenderResources::loadTextures(ImageBatch& images)
{
    Engine::logLine("Loading Textures");
    TexturePtr* const textures[] = {
        &gridTexture,          &selectionTexture,  &skyboxTexture,        &defaultTexture,
        &hexagonTexture,       &crosshairTexture,  &testBoxTexture,       &whiteTexture,
        &mouseTexture,         &toolTranslateTexture, &toolScaleTexture,  &toolRotateTexture,
        &pathBackTexture,      &directoryTexture,  &browserPagePreviousTexture, &browserPageNextTexture,
    };
    static_assert(std::size(textures) == std::tuple_size_v<std::decay_t<decltype(gameTextures())>>);
    for (size_t i = 0; i < std::size(textures); ++i)
        *textures[i] = TexturePtr(createTexture(images.take(i), gameTextures()[i].settings));
}

void RenderResources::loadMeshes()
{
    Engine::logLine("Loading Meshes");
    using namespace Engine::GFX::Mesh;
    MeshData scratch;
    const glm::vec4 white(1.0f);
    yellowSphere = generateMesh(scratch, [](MeshData& data) {
        addSphere(data, glm::vec3(0.0f), 1.0f, 6, 6, {1.0f, 1.0f, 0.0f, 1.0f}, {1.0f, 1.0f});
    });
    redSphere = generateMesh(scratch, [](MeshData& data) {
        addSphere(data, glm::vec3(0.0f), 1.0f, 32, 16, {1.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 1.0f});
    });
    cube = generateMesh(scratch, [&](MeshData& data) {
        addBox(data, glm::vec3(-0.5f), glm::vec3(0.5f), white, {1.0f, 1.0f});
    });
    greenSphere = generateMesh(scratch, [](MeshData& data) {
        addSphere(data, glm::vec3(0.0f), 0.1f, 5, 5, {0.0f, 1.0f, 0.0f, 1.0f}, {1.0f, 1.0f});
    });
    floor = generateMesh(scratch, [&](MeshData& data) {
        addQuadXY(data, {-80.0f, -80.0f, 0.0f}, {80.0f, 80.0f, 0.0f}, white, {160.0f, 160.0f});
    });
    rod = generateMesh(scratch, [](MeshData& data) {
        addCylinder(data, glm::vec3(0.0f), 1.0f, 0.025f, {1.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 1.0f});
    });
    cursorQuad = generateMesh(scratch, [&](MeshData& data) {
        addQuad2D(data, {-0.5f, -0.5f}, {0.5f, 0.5f}, white, {0.0f, 0.0f}, {1.0f, 1.0f});
    });
    unitQuadB = generateMesh(scratch, [&](MeshData& data) {
        addQuad2D(data, {0.0f, 0.0f}, {1.0f, 1.0f}, white, {0.0f, 0.0f}, {1.0f, 1.0f});
    });
    editorAxisMesh = loadModel3Di(shippedFile("./data/models/axisEditorMesh.cmesh"), kEditorAxisSubMeshes);
}

} // namespace Game
