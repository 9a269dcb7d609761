#include "engine/gfx/shader.h"

#include "engine/core/assert.h"
#include "engine/core/log.h"
#include "engine/fileutil/fileutil.h"

#include <string_view>

namespace Engine::GFX {
namespace {

constexpr const char* kSeparator = "================================";

// Stands in for a program that failed to build: every vertex lands outside the clip volume and
// every fragment is discarded, so draws with it leave the frame untouched and raise no GL error.
constexpr const char* kEmptyVertexSource = "#version 330 core\nvoid main() { gl_Position = vec4(0.0, 0.0, 2.0, 1.0); }\n";
constexpr const char* kEmptyFragmentSource = "#version 330 core\nvoid main() { discard; }\n";

const char* stageLabel(GLenum type)
{
    return type == GL_VERTEX_SHADER ? "vertex" : "fragment";
}

GLuint buildEmptyProgram()
{
    const GLuint program = glCreateProgram();
    const char* sources[] = {kEmptyVertexSource, kEmptyFragmentSource};
    const GLenum types[] = {GL_VERTEX_SHADER, GL_FRAGMENT_SHADER};
    for (int i = 0; i < 2; ++i) {
        const GLuint shader = glCreateShader(types[i]);
        glShaderSource(shader, 1, &sources[i], nullptr);
        glCompileShader(shader);
        glAttachShader(program, shader);
        glDeleteShader(shader); // freed together with the program
    }
    glLinkProgram(program);
    return program;
}

} // namespace

void scanDeclarations(const std::string& source, ShaderDeclarations& out)
{
    std::string_view text = source;
    std::string_view line;
    std::string_view ending;
    while (takeLine(text, line, ending)) {
        const std::vector<std::string_view> words = splitDroppingEmpty(trim(line), ' ');
        if (words.size() < 3)
            continue;
        std::string_view name = words[2];
        name.remove_suffix(1); // the terminating ";" (a piece is never empty here)
        if (words[0] == "attribute" || words[0] == "in") {
            out.attributes.emplace_back(name);
        } else if (words[0] == "uniform") {
            name = name.substr(0, name.find('['));
            if (words[1] == "sampler2D")
                out.samplers.emplace_back(name);
            else
                out.uniforms.emplace_back(name);
        }
    }
}

ShaderProgram::ShaderProgram(const std::string& vertexSource, const std::string& fragmentSource,
                             const std::string& programName)
    : name_(programName)
{
    program_ = glCreateProgram();
    compile(vertex_, GL_VERTEX_SHADER, vertexSource);
    compile(fragment_, GL_FRAGMENT_SHADER, fragmentSource);
    glAttachShader(program_, vertex_.name);
    glAttachShader(program_, fragment_.name);
    link();
}

ShaderProgram::~ShaderProgram()
{
    glDeleteProgram(program_);
    glDeleteShader(vertex_.name);
    glDeleteShader(fragment_.name);
}

void ShaderProgram::compile(ShaderStage& stage, GLenum type, const std::string& source)
{
    stage.name = glCreateShader(type);
    stage.source = source;
    const char* text = stage.source.c_str();
    glShaderSource(stage.name, 1, &text, nullptr);
    glCompileShader(stage.name);
    GLint status = GL_FALSE;
    glGetShaderiv(stage.name, GL_COMPILE_STATUS, &status);
    if (status == GL_TRUE) {
        stage.compiled = true;
        return;
    }

    logf("Unable to compile shader %u!\n", stage.name);
    logf("%s", kSeparator);
    logf("%s", stage.source.c_str());
    logf("%s", kSeparator);
    if (glIsShader(stage.name)) {
        GLint capacity = 0;
        glGetShaderiv(stage.name, GL_INFO_LOG_LENGTH, &capacity);
        std::string infoLog(static_cast<size_t>(capacity > 0 ? capacity : 1), '\0');
        GLsizei length = 0;
        glGetShaderInfoLog(stage.name, static_cast<GLsizei>(infoLog.size()), &length, infoLog.data());
        if (length > 0)
            logf("%s\n", infoLog.c_str());
    } else {
        logf("Name %u is not a shader\n", stage.name);
    }
    logf("Shader program \"%s\": the %s shader did not compile; the program draws nothing.\n", name_.c_str(),
         stageLabel(type));
}

void ShaderProgram::link()
{
    ShaderDeclarations declarations;
    scanDeclarations(vertex_.source, declarations);
    scanDeclarations(fragment_.source, declarations);
    attributes_ = declarations.attributes;
    for (size_t location = 0; location < attributes_.size(); ++location)
        glBindAttribLocation(program_, static_cast<GLuint>(location), attributes_[location].c_str());

    glLinkProgram(program_);
    glValidateProgram(program_);
    GLint status = GL_FALSE;
    glGetProgramiv(program_, GL_LINK_STATUS, &status);
    linked_ = status == GL_TRUE && vertex_.compiled && fragment_.compiled;

    if (!linked_) {
        logf("Error linking program %u!\n", program_);
        GLint capacity = 0;
        glGetProgramiv(program_, GL_INFO_LOG_LENGTH, &capacity);
        if (capacity > 1) {
            std::string infoLog(static_cast<size_t>(capacity), '\0');
            GLsizei length = 0;
            glGetProgramInfoLog(program_, capacity, &length, infoLog.data());
            if (length > 0)
                logf("%s\n", infoLog.c_str());
        }
        logf("Shader program \"%s\" did not link; it draws nothing.\n", name_.c_str());
        replaceWithEmptyProgram();
    }

    // Uniforms the program declares keep an entry even when the program failed, so that callers
    // setting them find a location (-1: setting is a no-op) instead of stopping the game.
    for (const std::string& uniform : declarations.uniforms)
        uniforms_.emplace(uniform, linked_ ? glGetUniformLocation(program_, uniform.c_str()) : -1);
    for (const std::string& sampler : declarations.samplers) {
        const GLint location = linked_ ? glGetUniformLocation(program_, sampler.c_str()) : -1;
        samplers_.emplace(sampler, location);
        samplerLocations_.push_back(location);
    }
}

void ShaderProgram::replaceWithEmptyProgram()
{
    glDeleteProgram(program_);
    program_ = buildEmptyProgram();
}

bool ShaderProgram::hasUniform(const std::string& uniform) const
{
    return uniforms_.count(uniform) != 0;
}

GLint ShaderProgram::findUniformLocation(const std::string& uniform) const
{
    return hasUniform(uniform) ? getUniformLocation(uniform) : -1;
}

GLint ShaderProgram::getUniformLocation(const std::string& uniform) const
{
    if (!linked_) {
        const auto found = uniforms_.find(uniform);
        return found == uniforms_.end() ? -1 : found->second;
    }
    TX_ASSERT(hasUniform(uniform) == true, "uniform is not declared by the program");
    return uniforms_.at(uniform);
}

} // namespace Engine::GFX
