#include "game/resources/shadercollection.h"

#include "tests/support/gltest.h"
#include "tests/support/tempdir.h"

#include <GL/glew.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

using Engine::GFX::ShaderProgram;
using Game::ShaderCollection;
using TestSupport::GLTest;

namespace {

// The GL type of an active uniform, 0 when the program has no such active uniform.
GLenum activeUniformType(const ShaderProgram& program, const std::string& name)
{
    GLint count = 0;
    glGetProgramiv(program.programId(), GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        char buffer[128];
        GLsizei length = 0;
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program.programId(), GLuint(i), sizeof(buffer), &length, &size, &type, buffer);
        if (name == std::string(buffer, size_t(length)))
            return type;
    }
    return 0;
}

std::map<std::string, std::unique_ptr<ShaderProgram>> loadShippedPrograms(size_t* filesRead = nullptr)
{
    ShaderCollection collection("./data/shader/", "./data/shaders.shconf");
    std::map<std::string, std::unique_ptr<ShaderProgram>> programs;
    for (const char* name : ShaderCollection::kProgramNames)
        programs[name] = collection.createProgram(name);
    if (filesRead)
        *filesRead = collection.filesRead();
    return programs;
}

} // namespace

TEST_F(GLTest, ShaderCollectionBuildsAllShippedProgramsWithTheirUniforms)
{
    size_t filesRead = 0;
    const auto programs = loadShippedPrograms(&filesRead);
    ASSERT_EQ(programs.size(), 20u);
    EXPECT_EQ(filesRead, 28u) << "each source file is read once";
    for (const auto& [name, program] : programs) {
        EXPECT_TRUE(program->isLinked()) << name;
        EXPECT_TRUE(program->hasUniform("uProjectionMatrix")) << name;
        EXPECT_TRUE(program->hasUniform("uModelViewMatrix")) << name;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Uniforms the drawing code sets by name, with the types it sets them in.
    const std::vector<std::tuple<std::string, std::string, GLenum>> expected = {
        {"shaderEditorAxis", "uColor", GL_FLOAT_VEC4},
        {"shaderEditorAxisID", "uColor", GL_FLOAT_VEC4},
        {"shaderEditorAxisID", "uBorderScale", GL_FLOAT},
        {"shaderFontDefault", "uColor", GL_FLOAT_VEC4},
        {"shaderFontDefault", "uDrawBoundsX", GL_FLOAT_VEC2},
        {"shaderFontDefault", "uDrawBoundsY", GL_FLOAT_VEC2},
        {"shaderFinalComposit", "uPixelSize", GL_FLOAT_VEC2},
        {"shaderEdgeDetection", "uPixelSize", GL_FLOAT_VEC2},
        {"shaderEntitySelection", "uScale", GL_FLOAT_VEC3},
        {"shaderUiBackground", "uBackgroundColor", GL_FLOAT_VEC4},
    };
    for (const auto& [programName, uniform, type] : expected) {
        const ShaderProgram& program = *programs.at(programName);
        ASSERT_TRUE(program.hasUniform(uniform)) << programName << " " << uniform;
        EXPECT_GE(program.getUniformLocation(uniform), 0) << programName << " " << uniform;
        EXPECT_EQ(activeUniformType(program, uniform), type) << programName << " " << uniform;
    }
    // The sky's uColor is set as a vec3; the atlas carries its colours, so GL may drop it.
    ASSERT_TRUE(programs.at("shaderSkybox")->hasUniform("uColor"));
    const GLenum skyColorType = activeUniformType(*programs.at("shaderSkybox"), "uColor");
    EXPECT_TRUE(skyColorType == 0 || skyColorType == GL_FLOAT_VEC3);
    // Vertex inputs follow the buffer slots: the map's face ID in slot 4, texture coordinates in 3.
    EXPECT_EQ(glGetAttribLocation(programs.at("shaderMapGeometry")->programId(), "aFaceId"), 4);
    EXPECT_EQ(glGetAttribLocation(programs.at("shaderMapGeometry")->programId(), "aTexCoord"), 3);
    EXPECT_EQ(glGetAttribLocation(programs.at("defaultShader")->programId(), "aTexCoord"), 3);
    EXPECT_EQ(glGetAttribLocation(programs.at("shaderFontDefault")->programId(), "aTexCoord"), 3);
    EXPECT_EQ(glGetAttribLocation(programs.at("skeletalShader")->programId(), "aBoneIndices"), 3);
    EXPECT_EQ(glGetAttribLocation(programs.at("skeletalShader")->programId(), "aBoneWeights"), 4);
    EXPECT_EQ(glGetAttribLocation(programs.at("shaderPhysicsDebug")->programId(), "aColor"), 1);
    // The scene programs write both colour outputs at fixed locations.
    for (const char* name : {"defaultShader", "shaderMapGeometry", "shaderSkybox", "shaderFloor", "shaderRope",
                             "shaderEntitySelection", "shaderEditorAxis"}) {
        EXPECT_EQ(glGetFragDataLocation(programs.at(name)->programId(), "fragColor"), 0) << name;
        EXPECT_EQ(glGetFragDataLocation(programs.at(name)->programId(), "fragSurfaceId"), 1) << name;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// A missing section or key is reported by name and leaves that program empty; the rest load.
TEST_F(GLTest, ShaderCollectionMissingSectionsAndKeysLeaveEmptyPrograms)
{
    const TestSupport::TempDir dir;
    dir.write("flat.vert", "#version 330 core\nin vec3 aPosition;\nuniform mat4 uModelViewMatrix;\n"
                           "void main() { gl_Position = uModelViewMatrix * vec4(aPosition, 1.0); }\n");
    dir.write("flat.frag", "#version 330 core\nuniform vec4 uColor;\nout vec4 fragColor;\n"
                           "void main() { fragColor = uColor; }\n");
    ShaderCollection collection(dir.path().string() + "/",
                                "[one]\nshaderVert = \"flat.vert\"\nshaderFrag = \"flat.frag\"\n"
                                "[two]\nshaderVert = \"flat.vert\"\nshaderFrag = \"flat.frag\"\n"
                                "[noFragment]\nshaderVert = \"flat.vert\"\n"
                                "[missingFile]\nshaderVert = \"flat.vert\"\nshaderFrag = \"gone.frag\"\n",
                                "test.shconf");
    const auto one = collection.createProgram("one");
    const auto two = collection.createProgram("two");
    EXPECT_TRUE(one->isLinked());
    EXPECT_TRUE(two->hasUniform("uColor"));
    EXPECT_EQ(collection.filesRead(), 2u);

    testing::internal::CaptureStdout();
    const auto noSection = collection.createProgram("absent");
    const auto noFragment = collection.createProgram("noFragment");
    const auto missingFile = collection.createProgram("missingFile");
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_NE(output.find("no section \"absent\""), std::string::npos) << output;
    EXPECT_NE(output.find("\"noFragment\" has no string \"shaderFrag\""), std::string::npos) << output;
    EXPECT_NE(output.find("gone.frag"), std::string::npos) << output;
    for (const auto* program : {noSection.get(), noFragment.get(), missingFile.get()}) {
        EXPECT_FALSE(program->isLinked());
        EXPECT_EQ(program->getUniformLocation("uColor"), -1);
    }
    while (glGetError() != GL_NO_ERROR) {
    }
}

TEST(ShaderCollectionConfig, NamesOnlyFilesInsideTheShaderFolder)
{
    const std::string config = "[inside]\nshaderVert = \"sub/a.vert\"\nshaderFrag = \"./b.frag\"\n"
                               "[up]\nshaderVert = \"../../secret.vert\"\nshaderFrag = \"b.frag\"\n"
                               "[upLater]\nshaderVert = \"a.vert\"\nshaderFrag = \"sub/../../b.frag\"\n"
                               "[absolute]\nshaderVert = \"/etc/a.vert\"\nshaderFrag = \"b.frag\"\n"
                               "[backslash]\nshaderVert = \"..\\\\a.vert\"\nshaderFrag = \"b.frag\"\n"
                               "[emptyName]\nshaderVert = \"\"\nshaderFrag = \"b.frag\"\n"
                               "[noFragment]\nshaderVert = \"a.vert\"\n";
    const ShaderCollection collection("./data/shader/", config, "test.shconf");
    const ShaderCollection::ProgramFiles inside = collection.programFiles("inside");
    EXPECT_EQ(inside.vertex, "sub/a.vert");
    EXPECT_EQ(inside.fragment, "./b.frag");
    for (const char* refused : {"up", "upLater", "absolute", "backslash", "emptyName", "noFragment", "missing"}) {
        const ShaderCollection::ProgramFiles files = collection.programFiles(refused);
        EXPECT_TRUE(files.vertex.empty() && files.fragment.empty()) << refused;
    }
    EXPECT_EQ(collection.filesRead(), 0u);
}
