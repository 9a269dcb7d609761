#pragma once
// GLSL programs built from one vertex and one fragment source. A program learns its interface by
// scanning its own source text: vertex inputs get attribute locations in declaration order, each
// `sampler2D` uniform gets the next texture unit, every other uniform is looked up once after linking.
#include <GL/glew.h>

#include <map>
#include <string>
#include <vector>

namespace Engine::GFX {

// Names one source text declares, in declaration order. Array uniforms are kept under their base name.
struct ShaderDeclarations {
    std::vector<std::string> attributes; // "in"/"attribute" declarations
    std::vector<std::string> uniforms;   // uniforms that are not samplers
    std::vector<std::string> samplers;   // `sampler2D` uniforms
};

// Appends the declarations of `source` to `out`. Each declaration must sit on its own line as three
// words separated by spaces (qualifier, type, name directly followed by ";"); nothing else is parsed.
void scanDeclarations(const std::string& source, ShaderDeclarations& out);

// One compiled shader object, owned by its program.
struct ShaderStage {
    GLuint name = 0;
    std::string source; // the text last handed to the compiler
    bool compiled = false;
};

class ShaderProgram {
public:
    // Compiles both stages and links them. `programName` only labels the console messages. A program
    // whose stages fail to compile or that fails to link reports why and stays usable but draws
    // nothing: it binds a program that discards everything and its uniform locations are all -1.
    ShaderProgram(const std::string& vertexSource, const std::string& fragmentSource,
                  const std::string& programName = "");
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    // The GL program to bind.
    GLuint programId() const { return program_; }
    const std::string& name() const { return name_; }
    // True when both stages compiled and the program linked.
    bool isLinked() const { return linked_; }

    // True when the source declares `uniform` (not a sampler). A declared uniform the compiler
    // removed is present with location -1, where setting it does nothing.
    bool hasUniform(const std::string& uniform) const;
    // Location of a declared uniform. Asking a linked program for an undeclared name is a programming
    // error; a program that failed to build answers -1 for any name.
    GLint getUniformLocation(const std::string& uniform) const;
    // Location of `uniform`, or -1 (where setting it does nothing) when the source does not
    // declare it: for uniforms that a program loaded from the data files may leave out.
    GLint findUniformLocation(const std::string& uniform) const;

    const std::vector<std::string>& attributes() const { return attributes_; }
    const std::map<std::string, GLint>& uniforms() const { return uniforms_; }
    const std::map<std::string, GLint>& samplers() const { return samplers_; }
    // One entry per `sampler2D` declaration in scan order; entry i is tied to texture unit i.
    const std::vector<GLint>& samplerLocations() const { return samplerLocations_; }
    const ShaderStage& vertexStage() const { return vertex_; }
    const ShaderStage& fragmentStage() const { return fragment_; }

private:
    void compile(ShaderStage& stage, GLenum type, const std::string& source);
    void link();
    void replaceWithEmptyProgram();

    std::string name_;
    GLuint program_ = 0;
    bool linked_ = false;
    std::vector<std::string> attributes_;
    std::map<std::string, GLint> uniforms_;
    std::map<std::string, GLint> samplers_;
    std::vector<GLint> samplerLocations_;
    ShaderStage vertex_;
    ShaderStage fragment_;
};

} // namespace Engine::GFX
