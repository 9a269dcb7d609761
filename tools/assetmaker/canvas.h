#pragma once
// A small RGBA canvas for drawing the game's images: shapes given as signed distance functions
// (negative inside, in pixels) are blended in with one pixel of anti-aliasing. Row 0 is the top.
#include <glm/glm.hpp>

#include <functional>
#include <string>
#include <vector>

namespace AssetMaker {

using Shape = std::function<float(glm::vec2)>;

class Canvas {
public:
    Canvas(int width, int height, glm::vec4 background = glm::vec4(0.0f));

    int width() const { return w; }
    int height() const { return h; }
    glm::vec4& at(int x, int y) { return pixels[static_cast<size_t>(y) * w + x]; }

    // Blends `colour` over the canvas where `shape` covers a pixel (pixel centres at x + 0.5).
    void fill(const Shape& shape, glm::vec4 colour);
    // The shape in `colour` with an outline of `outlineWidth` pixels in `outlineColour`.
    void fillOutlined(const Shape& shape, glm::vec4 colour, glm::vec4 outlineColour, float outlineWidth);
    // Sets every pixel from a function of its centre (straight alpha).
    void paint(const std::function<glm::vec4(glm::vec2)>& shader);

    // Writes the canvas as an RGBA PNG with unfiltered rows; false with a console line on failure.
    bool savePNG(const std::string& path) const;

private:
    int w;
    int h;
    std::vector<glm::vec4> pixels;
};

// Signed distances (pixels).
float circle(glm::vec2 p, glm::vec2 centre, float radius);
float segment(glm::vec2 p, glm::vec2 a, glm::vec2 b, float halfWidth);
float box(glm::vec2 p, glm::vec2 centre, glm::vec2 halfSize, float cornerRadius = 0.0f);
float polygon(glm::vec2 p, const std::vector<glm::vec2>& corners);
// A ring arc around `centre` from angle `from` to `to` (radians, counter-clockwise, y down).
float arc(glm::vec2 p, glm::vec2 centre, float radius, float halfWidth, float from, float to);
inline float unite(float a, float b) { return glm::min(a, b); }
inline float subtract(float a, float b) { return glm::max(a, -b); }

} // namespace AssetMaker
