#include "engine/gfx/texture.h"

#include "engine/core/assert.h"
#include "engine/gfx/gldriver.h"
#include "engine/gfx/image.h"

#include <GL/glew.h>

namespace Engine::GFX {

namespace {

// Binds `texture` on unit 0 for a parameter change.
void bindOnUnitZero(GLuint texture)
{
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
}

GLenum pixelFormatOf(uint32_t format)
{
    switch (format) {
    case Image::kRed:
        return GL_RED;
    case Image::kRG:
        return GL_RG;
    case Image::kRGB:
        return GL_RGB;
    case Image::kRGBA:
        return GL_RGBA;
    default:
        TX_ASSERT(false, "image format code is 0 to 3");
    }
}

} // namespace

void uploadImage(const Image& image, int level)
{
    const GLenum format = pixelFormatOf(image.format);
    // Rows are tightly packed; one- to three-channel rows need not be 4-byte aligned.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, static_cast<GLsizei>(image.width),
                 static_cast<GLsizei>(image.height), 0, format, GL_UNSIGNED_BYTE, image.pixels.data());
}

float maxAnisotropy()
{
    if (!GLEW_EXT_texture_filter_anisotropic && !GLEW_ARB_texture_filter_anisotropic)
        return 0.0f;
    GLfloat value = 0.0f;
    glGetFloatv(GL_MAX_TEXTURE_MAX_ANISOTROPY_EXT, &value);
    return value;
}

float chooseAnisotropy(float driverMaximum, std::string_view renderer)
{
    return isSoftwareRenderer(renderer) ? 0.0f : driverMaximum;
}

float anisotropyLevel()
{
    return chooseAnisotropy(maxAnisotropy(), currentRenderer());
}

int chooseMinFilter(int requested, std::string_view renderer)
{
    if (!isSoftwareRenderer(renderer))
        return requested;
    if (requested == GL_LINEAR_MIPMAP_LINEAR)
        return GL_LINEAR_MIPMAP_NEAREST;
    if (requested == GL_NEAREST_MIPMAP_LINEAR)
        return GL_NEAREST_MIPMAP_NEAREST;
    return requested;
}

int minFilterFor(int requested)
{
    return chooseMinFilter(requested, currentRenderer());
}

Texture2D::Texture2D()
{
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
}

Texture2D::Texture2D(RenderTargetKind kind, uint32_t width, uint32_t height)
    : Texture2D()
{
    this->width = width;
    this->height = height;
    const auto w = static_cast<GLsizei>(width);
    const auto h = static_cast<GLsizei>(height);
    glBindTexture(GL_TEXTURE_2D, texture);
    switch (kind) {
    case RenderTargetKind::Colour:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        break;
    case RenderTargetKind::TwoChannelFloat:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RG32F, w, h, 0, GL_RG, GL_FLOAT, nullptr);
        break;
    case RenderTargetKind::Depth:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT24, w, h, 0, GL_DEPTH_COMPONENT, GL_INT, nullptr);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, texture, 0);
        break;
    case RenderTargetKind::DepthStencil:
        glTexImage2D(GL_TEXTURE_2D, 0, GL_DEPTH24_STENCIL8, w, h, 0, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8,
                     nullptr);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_TEXTURE_2D, texture, 0);
        break;
    default:
        TX_ASSERT(false, "unknown render-target kind");
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

Texture2D::~Texture2D()
{
    glDeleteTextures(1, &texture);
}

void Texture2D::bind() const
{
    glBindTexture(GL_TEXTURE_2D, texture);
}

void Texture2D::unbind()
{
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Texture2D::generateMipmaps()
{
    if (mipmapped)
        return;
    mipmapped = true;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Texture2D::generateMipmaps(const Image& base)
{
    TX_ASSERT(base.width == width && base.height == height, "the mipmaps are made from the picture in level 0");
    if (mipmapped)
        return;
    mipmapped = true;
    glBindTexture(GL_TEXTURE_2D, texture);
    Image level = halfSize(base);
    for (int index = 1;; ++index) {
        uploadImage(level, index);
        if (level.width == 1 && level.height == 1)
            break;
        level = halfSize(level);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void Texture2D::setFilters(int minFilter, int magFilter)
{
    bindOnUnitZero(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    bindOnUnitZero(0);
}

void Texture2D::setWrap(int wrapS, int wrapT)
{
    bindOnUnitZero(texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapS);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapT);
    bindOnUnitZero(0);
}

void Texture2D::setAnisotropicFiltering()
{
    const float anisotropy = anisotropyLevel();
    bindOnUnitZero(texture);
    if (anisotropy > 0.0f)
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT, anisotropy);
    else
        glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_LOD_BIAS, kLodBiasWithoutAnisotropy);
    bindOnUnitZero(0);
}

} // namespace Engine::GFX
