#include "game/resources/shadercollection.h"

#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"

namespace Game {

const std::array<const char*, 20> ShaderCollection::kProgramNames = {
    "defaultShader",         "shaderSceneMapMRT",   "shaderEntity",
    "shaderDepthVisualisation", "skeletalShader",   "shaderFinalComposit",
    "shaderMaxDepthWrite",   "shaderMapGeometry",   "shaderEdgeDetection",
    "shaderDefaultWithColorID", "shaderSkybox",     "shaderRope",
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
        Engine::logLine("MISSING FILE: " + path);
    return sourceCache.emplace(fileName, std::move(text)).first->second;
}

std::string ShaderCollection::fileNameFor(const Engine::IniSectionData& section, const std::string& shaderName,
                                          const char* key) const
{
    if (section.hasString(key))
        return section.getString(key);
    Engine::logf("Shader configuration %s: section \"%s\" has no string \"%s\"; the program stays empty\n",
                 configName.c_str(), shaderName.c_str(), key);
    return std::string();
}

std::unique_ptr<Engine::GFX::ShaderProgram> ShaderCollection::createProgram(const std::string& shaderName)
{
    using Engine::GFX::ShaderProgram;
    if (!iniData.hasSection(shaderName)) {
        Engine::logf("Shader configuration %s: no section \"%s\"; the program stays empty\n", configName.c_str(),
                     shaderName.c_str());
        return std::make_unique<ShaderProgram>(std::string(), std::string(), shaderName);
    }
    const Engine::IniSectionData& section = iniData.getSection(shaderName);
    const std::string vertexFile = fileNameFor(section, shaderName, "shaderVert");
    const std::string fragmentFile = fileNameFor(section, shaderName, "shaderFrag");
    if (vertexFile.empty() || fragmentFile.empty())
        return std::make_unique<ShaderProgram>(std::string(), std::string(), shaderName);
    return std::make_unique<ShaderProgram>(source(vertexFile), source(fragmentFile), shaderName);
}

} // namespace Game
