#include "game/resources/shadercollection.h"

#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"

#include <filesystem>

namespace Game {
namespace {

// A configuration only names files under the shader folder: no absolute path, no ".." step.
bool staysInFolder(const std::string& fileName)
{
    const std::filesystem::path path(fileName);
    if (path.has_root_path() || fileName.find('\\') != std::string::npos)
        return false;
    for (const std::filesystem::path& part : path)
        if (part == "..")
            return false;
    return true;
}

} // namespace

const std::array<const char*, 20> ShaderCollection::kProgramNames = {
    "defaultShader",         "shaderSceneMapMRT",   "shaderEntity",
    "shaderDepthVisualisation", "skeletalShader",   "shaderFinalComposit",
    "shaderMaxDepthWrite",   "shaderMapGeometry",   "shaderEdgeDetection", "shaderDefaultWithColorID",
    "shaderSkybox",          "shaderRope",
    "shaderFloor",           "shaderFontDefault",   "shaderPhysicsDebug",
    "shaderUiBackground",    "shaderDefaultPremultipliedAlpha", "shaderEntitySelection",
    "shaderEditorAxis",      "shaderEditorAxisID",
};

ShaderCollection::ShaderCollection(std::string baseFolder, const std::string& configPath)
    : iniData(Engine::loadIni(configPath)), baseFolder(std::move(baseFolder)), configName(configPath)
{
}

ShaderCollection::ShaderCollection(std::string baseFolder, std::string_view configText, std::string configName)
    : iniData(Engine::parseIni(configText)), baseFolder(std::move(baseFolder)), configName(std::move(configName))
{
}

const std::string& ShaderCollection::source(const std::string& fileName)
{
    const auto cached = sourceCache.find(fileName);
    if (cached != sourceCache.end())
        return cached->second;
    std::string text;
    const std::string path = baseFolder + fileName;
    if (!Engine::readFileBytes(path, text))
        Engine::logMissingFile(path);
    return sourceCache.emplace(fileName, std::move(text)).first->second;
}

std::string ShaderCollection::fileNameFor(const Engine::IniSectionData& section, const std::string& shaderName,
                                          const char* key) const
{
    if (!section.hasString(key) || section.getString(key).empty()) {
        Engine::logf("Shader configuration %s: section \"%s\" has no string \"%s\"; the program stays empty\n",
                     configName.c_str(), shaderName.c_str(), key);
        return std::string();
    }
    const std::string& fileName = section.getString(key);
    if (!staysInFolder(fileName)) {
        Engine::logf("Shader configuration %s: section \"%s\" names \"%s\" outside the shader folder; the program "
                     "stays empty\n",
                     configName.c_str(), shaderName.c_str(), fileName.c_str());
        return std::string();
    }
    return fileName;
}

ShaderCollection::ProgramFiles ShaderCollection::programFiles(const std::string& shaderName) const
{
    if (!iniData.hasSection(shaderName)) {
        Engine::logf("Shader configuration %s: no section \"%s\"; the program stays empty\n", configName.c_str(),
                     shaderName.c_str());
        return {};
    }
    const Engine::IniSectionData& section = iniData.getSection(shaderName);
    ProgramFiles files{fileNameFor(section, shaderName, "shaderVert"), fileNameFor(section, shaderName, "shaderFrag")};
    if (files.vertex.empty() || files.fragment.empty())
        return {};
    return files;
}

std::unique_ptr<Engine::GFX::ShaderProgram> ShaderCollection::createProgram(const std::string& shaderName)
{
    using Engine::GFX::ShaderProgram;
    const ProgramFiles files = programFiles(shaderName);
    if (files.vertex.empty())
        return std::make_unique<ShaderProgram>(std::string(), std::string(), shaderName);
    return std::make_unique<ShaderProgram>(source(files.vertex), source(files.fragment), shaderName);
}

} // namespace Game
