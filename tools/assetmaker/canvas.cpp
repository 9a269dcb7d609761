#include "tools/assetmaker/canvas.h"

#include <png.h>

#include <cerrno>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace AssetMaker {

Canvas::Canvas(int width, int height, glm::vec4 background)
    : w(width)
    , h(height)
    , pixels(static_cast<size_t>(width) * height, background)
{
}

void Canvas::fill(const Shape& shape, glm::vec4 colour)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float coverage = glm::clamp(0.5f - shape({x + 0.5f, y + 0.5f}), 0.0f, 1.0f);
            if (coverage <= 0.0f)
                continue;
            glm::vec4& dst = at(x, y);
            const float a = colour.a * coverage;
            const float outA = a + dst.a * (1.0f - a);
            const glm::vec3 rgb = outA > 0.0f
                                      ? (glm::vec3(colour) * a + glm::vec3(dst) * dst.a * (1.0f - a)) / outA
                                      : glm::vec3(colour);
            dst = glm::vec4(rgb, outA);
        }
}

void Canvas::fillOutlined(const Shape& shape, glm::vec4 colour, glm::vec4 outlineColour, float outlineWidth)
{
    fill([&](glm::vec2 p) { return shape(p) - outlineWidth; }, outlineColour);
    fill(shape, colour);
}

void Canvas::paint(const std::function<glm::vec4(glm::vec2)>& shader)
{
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            at(x, y) = glm::clamp(shader({x + 0.5f, y + 0.5f}), glm::vec4(0.0f), glm::vec4(1.0f));
}

namespace {

// Writes RGBA rows through libpng. Every row is stored unfiltered: the game decodes all its
// pictures at start-up, and undoing the usual per-row filters (Paeth above all) costs several
// times more there than it saves in file size on these smooth, generated pictures.
bool writeRgbaRows(png_structp png, png_infop info, std::FILE* file, int width, int height, png_bytep* rows)
{
    if (setjmp(png_jmpbuf(png)) != 0)
        return false;
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    return true;
}

} // namespace

bool Canvas::savePNG(const std::string& path) const
{
    std::vector<uint8_t> bytes(static_cast<size_t>(w) * static_cast<size_t>(h) * 4);
    std::vector<png_bytep> rows(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        uint8_t* row = bytes.data() + static_cast<size_t>(y) * static_cast<size_t>(w) * 4;
        rows[static_cast<size_t>(y)] = row;
        for (int x = 0; x < w; ++x) {
            const glm::vec4 c = glm::clamp(pixels[static_cast<size_t>(y) * w + x], glm::vec4(0.0f), glm::vec4(1.0f));
            for (int i = 0; i < 4; ++i)
                row[x * 4 + i] = static_cast<uint8_t>(std::lround(c[i] * 255.0f));
        }
    }
    std::FILE* const file = std::fopen(path.c_str(), "wb");
    if (!file) {
        std::printf("Cannot write \"%s\": %s\n", path.c_str(), std::strerror(errno));
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info && writeRgbaRows(png, info, file, w, h, rows.data());
    png_destroy_write_struct(&png, &info);
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        std::printf("Cannot write \"%s\": the PNG encoder failed\n", path.c_str());
    return ok;
}

float circle(glm::vec2 p, glm::vec2 centre, float radius)
{
    return glm::length(p - centre) - radius;
}

float segment(glm::vec2 p, glm::vec2 a, glm::vec2 b, float halfWidth)
{
    const glm::vec2 pa = p - a;
    const glm::vec2 ba = b - a;
    const float t = glm::clamp(glm::dot(pa, ba) / glm::dot(ba, ba), 0.0f, 1.0f);
    return glm::length(pa - ba * t) - halfWidth;
}

float box(glm::vec2 p, glm::vec2 centre, glm::vec2 halfSize, float cornerRadius)
{
    const glm::vec2 d = glm::abs(p - centre) - halfSize + cornerRadius;
    return glm::length(glm::max(d, 0.0f)) + glm::min(glm::max(d.x, d.y), 0.0f) - cornerRadius;
}

float polygon(glm::vec2 p, const std::vector<glm::vec2>& v)
{
    float d = glm::dot(p - v[0], p - v[0]);
    float s = 1.0f;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        const glm::vec2 e = v[j] - v[i];
        const glm::vec2 w = p - v[i];
        const glm::vec2 b = w - e * glm::clamp(glm::dot(w, e) / glm::dot(e, e), 0.0f, 1.0f);
        d = glm::min(d, glm::dot(b, b));
        const bool c1 = p.y >= v[i].y;
        const bool c2 = p.y < v[j].y;
        const bool c3 = e.x * w.y > e.y * w.x;
        if ((c1 && c2 && c3) || (!c1 && !c2 && !c3))
            s = -s;
    }
    return s * std::sqrt(d);
}

float arc(glm::vec2 p, glm::vec2 centre, float radius, float halfWidth, float from, float to)
{
    const glm::vec2 q = p - centre;
    float angle = std::atan2(q.y, q.x);
    const float twoPi = 6.2831853f;
    while (angle < from)
        angle += twoPi;
    if (angle <= to)
        return std::abs(glm::length(q) - radius) - halfWidth;
    // Outside the swept angle: distance to the nearer rounded end.
    const glm::vec2 a = centre + radius * glm::vec2(std::cos(from), std::sin(from));
    const glm::vec2 b = centre + radius * glm::vec2(std::cos(to), std::sin(to));
    return glm::min(glm::length(p - a), glm::length(p - b)) - halfWidth;
}

} // namespace AssetMaker
