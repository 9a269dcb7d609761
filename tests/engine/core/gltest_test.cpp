#include "tests/support/gltest.h"

#include <GL/glew.h>

using TestSupport::GLTest;

TEST_F(GLTest, HiddenWindowHasA33CoreContext)
{
    GLint major = 0;
    GLint minor = 0;
    glGetIntegerv(GL_MAJOR_VERSION, &major);
    glGetIntegerv(GL_MINOR_VERSION, &minor);
    EXPECT_GE(major * 10 + minor, 33);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
