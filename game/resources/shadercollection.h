#pragma once
// Builds the game's GLSL programs by name. The shader configuration (an INI file, one section
// per program with the quoted file names "shaderVert" and "shaderFrag") maps each name to two
// source files under the base folder; each source file is read once however many programs share
// it. The collection only lives while resources load: the programs it hands out outlive it.
#include "engine/gfx/shader.h"
#include "engine/ini/inireader.h"

#include <array>
#include <map>
#include <memory>
#include <string>

namespace Game {

class ShaderCollection {
public:
    // The programs the game loads, in loading order.
    static const std::array<const char*, 20> kProgramNames;

    // Reads the configuration at `configPath`; a missing file is reported and leaves every
    // program empty.
    ShaderCollection(std::string baseFolder, const std::string& configPath);
    // Uses configuration text held in memory; `configName` names it in console lines.
    ShaderCollection(std::string baseFolder, std::string_view configText, std::string configName);

    // Builds the named program. A name without a section or a section without one of the two keys
    // is reported by name and gives an empty program (it binds, draws nothing and answers -1 for
    // every uniform); loading goes on.
    std::unique_ptr<Engine::GFX::ShaderProgram> createProgram(const std::string& shaderName);

    // The vertex and fragment source file names the configuration gives the named program; both
    // empty (with the reason reported) when its section or one of the two keys is missing.
    struct ProgramFiles {
        std::string vertex;
        std::string fragment;
    };
    ProgramFiles programFiles(const std::string& shaderName) const;

    // Number of source files read from disk so far (each file at most once).
    size_t filesRead() const { return sourceCache.size(); }

private:
    // The source text of `fileName`, read on first use.
    const std::string& source(const std::string& fileName);
    // The file name stored under `key`, or "" (reported) when the section lacks it.
    std::string fileNameFor(const Engine::IniSectionData& section, const std::string& shaderName,
                            const char* key) const;

    std::map<std::string, std::string> sourceCache;
    Engine::IniData iniData;
    std::string baseFolder;
    std::string configName;
};

} // namespace Game
