#include "tools/assetmaker/images.h"

#include "tools/assetmaker/noise.h"

#include <cmath>

namespace AssetMaker {

namespace {

constexpr float kPi = 3.14159265f;
const glm::vec4 kIconFill(0.96f, 0.96f, 0.96f, 1.0f);
const glm::vec4 kIconOutline(0.08f, 0.08f, 0.1f, 0.85f);
constexpr float kIconOutlineWidth = 1.5f;

glm::vec4 rgb(float r, float g, float b)
{
    return {r, g, b, 1.0f};
}

// An arrow from `from` to `to`: a shaft of half width `shaft` and a head `headLength` long.
float arrow(glm::vec2 p, glm::vec2 from, glm::vec2 to, float shaft, float headLength, float headHalfWidth)
{
    const glm::vec2 dir = glm::normalize(to - from);
    const glm::vec2 side(-dir.y, dir.x);
    const glm::vec2 headBase = to - dir * headLength;
    const float body = segment(p, from, headBase + dir * 0.5f, shaft);
    const float head = polygon(p, {to, headBase + side * headHalfWidth, headBase - side * headHalfWidth});
    return unite(body, head);
}

} // namespace

Canvas makeGrid()
{
    // One floor unit: a slate tile framed by a bright line, with a faint half-unit cross. The
    // frame is 10 of 256 pixels wide so that mipmapped distant tiles still show a lighter seam.
    Canvas canvas(256, 256);
    const glm::vec3 base(0.29f, 0.32f, 0.36f);
    const glm::vec3 line(0.80f, 0.84f, 0.88f);
    const glm::vec3 half(0.40f, 0.44f, 0.49f);
    canvas.paint([&](glm::vec2 p) {
        const float edge = glm::min(glm::min(p.x, 256.0f - p.x), glm::min(p.y, 256.0f - p.y));
        const float middle = glm::min(std::abs(p.x - 128.0f), std::abs(p.y - 128.0f));
        const float grain = tilingFbm(p / 32.0f, 8, 4) - 0.5f;
        glm::vec3 colour = base * (1.0f + 0.12f * grain);
        colour = glm::mix(colour, half, glm::clamp(1.5f - middle, 0.0f, 1.0f));
        colour = glm::mix(colour, line, glm::clamp(5.0f - edge, 0.0f, 1.0f));
        return glm::vec4(colour, 1.0f);
    });
    return canvas;
}

Canvas makeSelection()
{
    // Diagonal stripes of full and faint coverage inside a solid frame; tiles seamlessly.
    Canvas canvas(128, 128);
    canvas.paint([](glm::vec2 p) {
        const float stripe = std::fmod(p.x + p.y, 32.0f);
        const float onStripe = glm::clamp(glm::min(stripe, 16.0f - stripe) + 0.5f, 0.0f, 1.0f);
        const float edge = glm::min(glm::min(p.x, 128.0f - p.x), glm::min(p.y, 128.0f - p.y));
        const float frame = glm::clamp(6.5f - edge, 0.0f, 1.0f);
        return glm::vec4(1.0f, 1.0f, 1.0f, glm::max(glm::mix(0.3f, 0.85f, onStripe), frame));
    });
    return canvas;
}

namespace {

struct SkyFace {
    bool level;     // a top or bottom face: u runs along x, v along y
    glm::vec3 a, b; // corners
    glm::vec2 ta, tb;
};

// The six cells of the sky atlas, as the sky box mesh maps them (column, row from the bottom).
const SkyFace& skyFaceAt(int column, int row)
{
    static const SkyFace faces[2][3] = {
        {{true, {-1, -1, -1}, {1, 1, -1}, {0.00016276042f, 0.000244140625f}, {0.3331705928f, 0.499755859375f}},
         {true, {1, -1, 1}, {-1, 1, 1}, {0.66650390625f, 0.499755859375f}, {0.33349609375f, 0.000244140625f}},
         {false, {-1, 1, 1}, {1, 1, -1}, {0.6668294668f, 0.499755859375f}, {0.999755859375f, 0.000244140625f}}},
        {{false, {-1, 1, -1}, {-1, -1, 1}, {0.3331705928f, 0.500244140625f}, {0.00016276042f, 0.999755859375f}},
         {false, {1, -1, 1}, {-1, -1, -1}, {0.333251953125f, 0.999755859375f}, {0.66650390625f, 0.500244140625f}},
         {false, {1, -1, -1}, {1, 1, 1}, {0.999755859375f, 0.500244140625f}, {0.6668294668f, 0.999755859375f}}},
    };
    return faces[row][column];
}

// Direction from the cube's centre through the point that shows texture coordinate (u, v).
glm::vec3 skyDirection(float u, float v)
{
    const int column = glm::clamp(static_cast<int>(u * 3.0f), 0, 2);
    const int row = glm::clamp(static_cast<int>(v * 2.0f), 0, 1);
    const SkyFace& face = skyFaceAt(column, row);
    const float s = (u - face.ta.x) / (face.tb.x - face.ta.x);
    const float t = (v - face.ta.y) / (face.tb.y - face.ta.y);
    glm::vec3 point;
    if (face.level)
        point = {glm::mix(face.a.x, face.b.x, s), glm::mix(face.a.y, face.b.y, t), face.a.z};
    else
        point = {glm::mix(face.a.x, face.b.x, s), glm::mix(face.a.y, face.b.y, s), glm::mix(face.a.z, face.b.z, t)};
    return glm::normalize(point);
}

glm::vec3 skyColour(glm::vec3 dir)
{
    const glm::vec3 sun = glm::normalize(glm::vec3(0.35f, 0.55f, 0.75f));
    const glm::vec3 zenith(0.20f, 0.42f, 0.80f);
    const glm::vec3 horizon(0.74f, 0.84f, 0.95f);
    const glm::vec3 groundNear(0.62f, 0.66f, 0.70f);
    const glm::vec3 groundFar(0.38f, 0.41f, 0.45f);
    const float e = dir.z;
    if (e < 0.0f)
        return glm::mix(groundNear, groundFar, glm::sqrt(glm::min(-e * 2.0f, 1.0f)));
    glm::vec3 colour = glm::mix(horizon, zenith, std::pow(e, 0.55f));
    const float toSun = glm::max(glm::dot(dir, sun), 0.0f);
    colour += glm::vec3(1.0f, 0.9f, 0.7f) * (0.22f * std::pow(toSun, 12.0f) + 0.5f * std::pow(toSun, 200.0f));
    // A cloud layer seen in perspective: noise on a plane above the viewer.
    const glm::vec2 plane = glm::vec2(dir.x, dir.y) / (e + 0.12f) * 1.6f;
    const float n = fbm3(glm::vec3(plane, 0.37f), 6);
    const float density = glm::smoothstep(0.48f, 0.72f, n) * glm::smoothstep(0.03f, 0.3f, e);
    const glm::vec3 cloud = glm::mix(glm::vec3(0.78f, 0.81f, 0.86f), glm::vec3(1.0f), glm::smoothstep(0.5f, 0.8f, n));
    colour = glm::mix(colour, cloud + glm::vec3(0.15f, 0.12f, 0.08f) * std::pow(toSun, 8.0f), density * 0.92f);
    // The sun disc stays visible through thin cloud.
    colour += glm::vec3(1.0f, 0.95f, 0.85f) * glm::smoothstep(0.9992f, 0.9996f, toSun) * (1.0f - density * 0.6f);
    return glm::min(colour, glm::vec3(1.0f));
}

} // namespace

Canvas makeSkybox()
{
    // 3 x 2 cells of 1024 pixels. Every pixel is coloured from its direction on the sky box, so
    // the cells meet without seams wherever the box's faces meet.
    Canvas canvas(3072, 2048);
    canvas.paint([&](glm::vec2 p) {
        const float u = p.x / 3072.0f;
        const float v = 1.0f - p.y / 2048.0f; // texture v runs up from the image's bottom row
        return glm::vec4(skyColour(skyDirection(u, v)), 1.0f);
    });
    return canvas;
}

Canvas makeDefaultSurface()
{
    // Light concrete with soft blotches and fine speckle; a neutral detail layer for any surface.
    Canvas canvas(256, 256);
    canvas.paint([](glm::vec2 p) {
        const float blotch = tilingFbm(p / 64.0f, 4, 4);
        const float speckle = latticeValue(static_cast<int>(p.x), static_cast<int>(p.y), 3);
        const float value = 0.80f + 0.14f * (blotch - 0.5f) + 0.05f * (speckle - 0.5f);
        return glm::vec4(value, value, value * 1.02f, 1.0f);
    });
    return canvas;
}

Canvas makeHexagon()
{
    // Flat-topped hexagonal tiles with recessed grout and darkened rims. The image spans three
    // lattice periods across and five down (hexes 4 % taller than regular) so it tiles exactly.
    const float s3 = std::sqrt(3.0f);
    const glm::vec2 extent(9.0f, 5.0f * s3);
    Canvas canvas(512, 512);
    canvas.paint([&](glm::vec2 p) {
        const glm::vec2 q = p / 512.0f * extent;
        const glm::vec2 a(std::round(q.x / 3.0f) * 3.0f, std::round(q.y / s3) * s3);
        const glm::vec2 b(std::floor(q.x / 3.0f) * 3.0f + 1.5f, std::floor(q.y / s3) * s3 + 0.5f * s3);
        const bool useA = glm::length(q - a) < glm::length(q - b);
        const glm::vec2 centre = useA ? a : b;
        const glm::vec2 d = glm::abs(q - centre);
        const float edgeDistance = 0.5f * s3 - glm::max(d.y, d.x * 0.5f * s3 + d.y * 0.5f);
        const int cellX = static_cast<int>(std::lround(centre.x * 2.0f)) % 18;
        const int cellY = static_cast<int>(std::lround(centre.y / s3 * 2.0f)) % 10;
        const float tint = latticeValue(cellX, cellY, 11) - 0.5f;
        const float grain = tilingFbm(p / 16.0f, 32, 3) - 0.5f;
        glm::vec3 tile = glm::vec3(0.86f, 0.87f, 0.90f) * (1.0f + 0.06f * tint + 0.05f * grain);
        tile *= 1.0f - 0.16f * glm::smoothstep(0.22f, 0.07f, edgeDistance);
        const glm::vec3 grout(0.42f, 0.44f, 0.49f);
        const float pixelsPerUnit = 512.0f / extent.x;
        const float groutMix = glm::clamp(0.5f - (edgeDistance - 0.05f) * pixelsPerUnit, 0.0f, 1.0f);
        return glm::vec4(glm::mix(tile, grout, groutMix), 1.0f);
    });
    return canvas;
}

Canvas makeCrosshair()
{
    // 12 x 12, drawn pixel for pixel: four white arms two pixels thick around a 4-pixel gap,
    // each ringed by a dark pixel so the mark reads on bright and dark surfaces alike.
    Canvas canvas(12, 12);
    const auto onArm = [](int c) { return (c >= 1 && c <= 3) || (c >= 8 && c <= 10); };
    const auto isArm = [&](int x, int y) {
        return ((x == 5 || x == 6) && onArm(y)) || ((y == 5 || y == 6) && onArm(x));
    };
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            if (isArm(x, y)) {
                canvas.at(x, y) = glm::vec4(1.0f);
                continue;
            }
            bool nearArm = false;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < 12 && ny < 12 && isArm(nx, ny))
                        nearArm = true;
                }
            if (nearArm)
                canvas.at(x, y) = glm::vec4(0.0f, 0.0f, 0.0f, 0.7f);
        }
    return canvas;
}

Canvas makeTestBox()
{
    Canvas canvas(64, 64);
    canvas.fill([](glm::vec2 p) { return box(p, {32, 32}, {30, 30}, 6); }, rgb(0.25f, 0.55f, 0.85f));
    canvas.fill([](glm::vec2 p) { return std::abs(box(p, {32, 32}, {27, 27}, 4)) - 1.5f; }, rgb(1, 1, 1));
    canvas.fill([](glm::vec2 p) { return unite(segment(p, {16, 16}, {48, 48}, 2), segment(p, {48, 16}, {16, 48}, 2)); },
                rgb(1, 1, 1));
    return canvas;
}

Canvas makeWhite()
{
    return Canvas(4, 4, glm::vec4(1.0f));
}

Canvas makeMousePointer()
{
    // The classic arrow with its tip in the top-left pixel, white with a dark rim.
    Canvas canvas(24, 24);
    const std::vector<glm::vec2> outline = {{1.6f, 1.6f},   {1.6f, 18.2f}, {5.6f, 14.4f}, {8.6f, 21.0f},
                                            {11.4f, 19.8f}, {8.5f, 13.3f}, {14.0f, 13.3f}};
    canvas.fill([&](glm::vec2 p) { return polygon(p, outline) - 1.1f; }, glm::vec4(0.0f, 0.0f, 0.0f, 0.95f));
    canvas.fill([&](glm::vec2 p) { return polygon(p, outline) + 0.3f; }, glm::vec4(1.0f));
    return canvas;
}

Canvas makeToolTranslate()
{
    // Four arrows out from the centre of a 96 x 48 button.
    Canvas canvas(96, 48);
    const glm::vec2 c(48, 24);
    canvas.fillOutlined(
        [&](glm::vec2 p) {
            float d = circle(p, c, 4.0f);
            for (const glm::vec2& dir : {glm::vec2(1, 0), glm::vec2(-1, 0), glm::vec2(0, 1), glm::vec2(0, -1)})
                d = unite(d, arrow(p, c, c + dir * 18.0f, 2.0f, 7.0f, 6.0f));
            return d;
        },
        kIconFill, kIconOutline, kIconOutlineWidth);
    return canvas;
}

Canvas makeToolRotate()
{
    // A circular arrow: three quarters of a ring ending in a head.
    Canvas canvas(96, 48);
    const glm::vec2 c(48, 24);
    const float radius = 13.0f;
    const float end = 1.5f * kPi;
    const glm::vec2 tip = c + radius * glm::vec2(std::cos(end), std::sin(end));
    const glm::vec2 tangent(-std::sin(end), std::cos(end));
    const glm::vec2 outward(std::cos(end), std::sin(end));
    canvas.fillOutlined(
        [&](glm::vec2 p) {
            const float ring = arc(p, c, radius, 2.0f, 0.1f * kPi, end - 0.2f);
            const glm::vec2 headTip = tip + tangent * 7.0f;
            const float head = polygon(p, {headTip, tip - tangent * 1.0f + outward * 7.0f, tip - tangent * 1.0f - outward * 7.0f});
            return unite(ring, head);
        },
        kIconFill, kIconOutline, kIconOutlineWidth);
    return canvas;
}

Canvas makeToolScale()
{
    // A small solid square in the corner of a large frame, with an arrow pulling it outwards.
    Canvas canvas(96, 48);
    const glm::vec2 c(48, 24);
    canvas.fillOutlined([&](glm::vec2 p) { return std::abs(box(p, c, {17, 17}, 2)) - 1.5f; }, kIconFill, kIconOutline,
                        kIconOutlineWidth);
    canvas.fillOutlined(
        [&](glm::vec2 p) {
            const float small = box(p, c + glm::vec2(-9, 9), {7, 7}, 1);
            return unite(small, arrow(p, c + glm::vec2(-4, 4), c + glm::vec2(13, -13), 2.0f, 8.0f, 6.0f));
        },
        kIconFill, kIconOutline, kIconOutlineWidth);
    return canvas;
}

Canvas makePathBack()
{
    // "Up one folder": a line rising and turning left into an arrow head.
    Canvas canvas(32, 32);
    canvas.fillOutlined(
        [](glm::vec2 p) {
            const float stem = segment(p, {23, 27}, {23, 12}, 2.0f);
            const float bar = segment(p, {23, 12}, {13, 12}, 2.0f);
            const float head = polygon(p, {{5, 12}, {13, 5.5f}, {13, 18.5f}});
            return unite(unite(stem, bar), head);
        },
        kIconFill, kIconOutline, kIconOutlineWidth);
    return canvas;
}

Canvas makeDirectory()
{
    // A folder: a darker back with its tab, and a lighter front flap.
    Canvas canvas(32, 32);
    const glm::vec4 rim(0.36f, 0.22f, 0.05f, 1.0f);
    const std::vector<glm::vec2> back = {{3, 7}, {12, 7}, {15, 10}, {29, 10}, {29, 26}, {3, 26}};
    const std::vector<glm::vec2> front = {{3, 26}, {6, 14}, {31, 14}, {28, 26}};
    canvas.fillOutlined([&](glm::vec2 p) { return polygon(p, back); }, rgb(0.84f, 0.60f, 0.20f), rim, 1.2f);
    canvas.fillOutlined([&](glm::vec2 p) { return polygon(p, front); }, rgb(0.99f, 0.79f, 0.36f), rim, 1.2f);
    return canvas;
}

Canvas makePagePrevious()
{
    Canvas canvas(32, 32);
    canvas.fillOutlined([](glm::vec2 p) { return unite(segment(p, {20, 7}, {11, 16}, 2.5f), segment(p, {11, 16}, {20, 25}, 2.5f)); },
                        kIconFill, kIconOutline, kIconOutlineWidth);
    return canvas;
}

Canvas makePageNext()
{
    Canvas canvas(32, 32);
    canvas.fillOutlined([](glm::vec2 p) { return unite(segment(p, {12, 7}, {21, 16}, 2.5f), segment(p, {21, 16}, {12, 25}, 2.5f)); },
                        kIconFill, kIconOutline, kIconOutlineWidth);
    return canvas;
}

} // namespace AssetMaker

namespace AssetMaker {

Canvas makeIcon()
{
    // The game's icon, 256 x 256: a rounded tile of sky over a slate floor, two grey blocks, and
    // the player swinging on an orange rope from an anchor high on the taller block.
    Canvas canvas(256, 256);
    const auto tile = [](glm::vec2 p) { return box(p, {128, 128}, {120, 120}, 40.0f); };
    canvas.paint([&](glm::vec2 p) {
        if (tile(p) > 0.5f)
            return glm::vec4(0.0f);
        const float t = p.y / 256.0f;
        const glm::vec3 sky = glm::mix(glm::vec3(0.30f, 0.58f, 0.92f), glm::vec3(0.70f, 0.86f, 1.0f), t);
        const glm::vec3 colour = p.y > 196.0f ? glm::vec3(0.25f, 0.28f, 0.32f) : sky;
        return glm::vec4(colour, glm::clamp(0.5f - tile(p), 0.0f, 1.0f));
    });
    const glm::vec4 rim(0.10f, 0.11f, 0.13f, 1.0f);
    // A low block on the left and a tower on the right, each with a lit top.
    canvas.fillOutlined([](glm::vec2 p) { return box(p, {64, 170}, {34, 28}); }, rgb(0.62f, 0.64f, 0.67f), rim, 3.0f);
    canvas.fillOutlined([](glm::vec2 p) { return box(p, {188, 128}, {30, 70}); }, rgb(0.70f, 0.72f, 0.75f), rim, 3.0f);
    canvas.fill([](glm::vec2 p) { return box(p, {64, 146}, {31, 4}); }, rgb(0.86f, 0.88f, 0.90f));
    canvas.fill([](glm::vec2 p) { return box(p, {188, 62}, {27, 4}); }, rgb(0.86f, 0.88f, 0.90f));
    // The rope from the anchor on the tower's face to the player, who swings out to the left.
    const glm::vec2 anchor(160, 74);
    const glm::vec2 player(92, 112);
    canvas.fillOutlined([&](glm::vec2 p) { return segment(p, anchor, player, 3.0f); }, rgb(1.0f, 0.55f, 0.10f), rim,
                        2.0f);
    canvas.fillOutlined([&](glm::vec2 p) { return circle(p, anchor, 7.0f); }, rgb(0.95f, 0.95f, 0.95f), rim, 2.5f);
    canvas.fillOutlined([&](glm::vec2 p) { return circle(p, player, 16.0f); }, rgb(1.0f, 0.82f, 0.25f), rim, 3.0f);
    return canvas;
}

} // namespace AssetMaker
