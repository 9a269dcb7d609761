#include "engine/gfx/meshdata.h"

#include <cmath>

namespace Engine::GFX::Mesh {

namespace {

constexpr int kCylinderSegments = 16;
constexpr float kPi = 3.14159265358979323846f;

MeshVertex vertex(glm::vec3 position, glm::vec4 colour, glm::vec2 texCoord)
{
    return MeshVertex{position, glm::vec3(0.0f), colour, texCoord};
}

glm::vec3 faceNormal(glm::vec3 a, glm::vec3 b, glm::vec3 c)
{
    const glm::vec3 n = glm::cross(b - a, c - a);
    const float length = glm::length(n);
    // A degenerate triangle (zero-sized quad, sphere pole) gets no direction instead of NaN.
    return length > 0.0f ? n / length : glm::vec3(0.0f);
}

void append(MeshData& mesh, glm::vec3 position, glm::vec3 normal, const MeshVertex& v)
{
    mesh.positions.push_back(position);
    mesh.normals.push_back(normal);
    mesh.colours.push_back(v.colour);
    mesh.texCoords.push_back(v.texCoord);
}

// The six vertices of addQuadXY, in drawing order.
void quadXYVertices(MeshVertex out[6], glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 uv)
{
    out[0] = vertex({a.x, b.y, a.z}, colour, {0.0f, uv.y});
    out[1] = vertex({a.x, a.y, a.z}, colour, {0.0f, 0.0f});
    out[2] = vertex({b.x, a.y, a.z}, colour, {uv.x, 0.0f});
    out[3] = vertex({a.x, b.y, b.z}, colour, {0.0f, uv.y});
    out[4] = vertex({b.x, a.y, b.z}, colour, {uv.x, 0.0f});
    out[5] = vertex({b.x, b.y, b.z}, colour, {uv.x, uv.y});
}

// The six vertices of addQuadVertical, in drawing order.
void quadVerticalVertices(MeshVertex out[6], glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 uv)
{
    out[0] = vertex({a.x, a.y, a.z}, colour, {uv.x, 0.0f});
    out[1] = vertex({a.x, a.y, b.z}, colour, {uv.x, uv.y});
    out[2] = vertex({b.x, b.y, a.z}, colour, {0.0f, 0.0f});
    out[3] = vertex({a.x, a.y, b.z}, colour, {uv.x, uv.y});
    out[4] = vertex({b.x, b.y, b.z}, colour, {0.0f, uv.y});
    out[5] = vertex({b.x, b.y, a.z}, colour, {0.0f, 0.0f});
}

void addSix(MeshData& mesh, const MeshVertex v[6])
{
    addTriangle(mesh, v[0], v[1], v[2]);
    addTriangle(mesh, v[3], v[4], v[5]);
}

void addSixTransformed(MeshData& mesh, const glm::mat4& m, const MeshVertex v[6])
{
    addTransformedTriangle(mesh, m, v[0], v[1], v[2]);
    addTransformedTriangle(mesh, m, v[3], v[4], v[5]);
}

struct BoxFace {
    bool level; // addQuadXY when true, addQuadVertical otherwise
    glm::vec3 a;
    glm::vec3 b;
};

// The box face table: top, bottom, +y, -y, -x, +x.
void boxFaces(BoxFace faces[6], glm::vec3 mn, glm::vec3 mx)
{
    faces[0] = {true, {mn.x, mn.y, mx.z}, {mx.x, mx.y, mx.z}};
    faces[1] = {true, {mx.x, mn.y, mn.z}, {mn.x, mx.y, mn.z}};
    faces[2] = {false, {mn.x, mx.y, mn.z}, {mx.x, mx.y, mx.z}};
    faces[3] = {false, {mx.x, mn.y, mn.z}, {mn.x, mn.y, mx.z}};
    faces[4] = {false, {mn.x, mn.y, mn.z}, {mn.x, mx.y, mx.z}};
    faces[5] = {false, {mx.x, mn.y, mx.z}, {mx.x, mx.y, mn.z}};
}

} // namespace

void MeshData::clear()
{
    positions.clear();
    normals.clear();
    colours.clear();
    texCoords.clear();
}

void addTriangle(MeshData& mesh, const MeshVertex& a, const MeshVertex& b, const MeshVertex& c)
{
    const glm::vec3 normal = faceNormal(a.position, b.position, c.position);
    append(mesh, a.position, normal, a);
    append(mesh, b.position, normal, b);
    append(mesh, c.position, normal, c);
}

void addTransformedTriangle(MeshData& mesh, const glm::mat4& m, const MeshVertex& a, const MeshVertex& b,
                            const MeshVertex& c)
{
    const glm::vec3 normal = faceNormal(a.position, b.position, c.position);
    append(mesh, glm::vec3(m * glm::vec4(a.position, 1.0f)), normal, a);
    append(mesh, glm::vec3(m * glm::vec4(b.position, 1.0f)), normal, b);
    append(mesh, glm::vec3(m * glm::vec4(c.position, 1.0f)), normal, c);
}

void addQuadXY(MeshData& mesh, glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 texScale)
{
    MeshVertex v[6];
    quadXYVertices(v, a, b, colour, texScale);
    addSix(mesh, v);
}

void addQuad2D(MeshData& mesh, glm::vec2 p, glm::vec2 q, glm::vec4 colour, glm::vec2 tp, glm::vec2 tq)
{
    const MeshVertex lowerRight = vertex({q.x, p.y, 0.0f}, colour, {tq.x, tp.y});
    const MeshVertex upperLeft = vertex({p.x, q.y, 0.0f}, colour, {tp.x, tq.y});
    addTriangle(mesh, lowerRight, upperLeft, vertex({p.x, p.y, 0.0f}, colour, tp));
    addTriangle(mesh, lowerRight, vertex({q.x, q.y, 0.0f}, colour, tq), upperLeft);
}

void addQuadUV(MeshData& mesh, glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 ta, glm::vec2 tb)
{
    const MeshVertex top = vertex({a.x, a.y, b.z}, colour, {ta.x, tb.y});
    const MeshVertex bottom = vertex({b.x, b.y, a.z}, colour, {tb.x, ta.y});
    addTriangle(mesh, vertex(a, colour, ta), top, bottom);
    addTriangle(mesh, top, vertex(b, colour, tb), bottom);
}

void addQuadXYUV(MeshData& mesh, glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 ta, glm::vec2 tb)
{
    addTriangle(mesh, vertex({a.x, b.y, a.z}, colour, {ta.x, tb.y}), vertex(a, colour, ta),
                vertex({b.x, a.y, a.z}, colour, {tb.x, ta.y}));
    addTriangle(mesh, vertex({a.x, b.y, b.z}, colour, {ta.x, tb.y}), vertex({b.x, a.y, b.z}, colour, {tb.x, ta.y}),
                vertex(b, colour, tb));
}

void addQuadVertical(MeshData& mesh, glm::vec3 a, glm::vec3 b, glm::vec4 colour, glm::vec2 texScale)
{
    MeshVertex v[6];
    quadVerticalVertices(v, a, b, colour, texScale);
    addSix(mesh, v);
}

void addBox(MeshData& mesh, glm::vec3 min, glm::vec3 max, glm::vec4 colour, glm::vec2 texScale)
{
    BoxFace faces[6];
    boxFaces(faces, min, max);
    for (int i = 0; i < 6; ++i) {
        // The +x face is given upside down; the negated scale keeps its picture upright.
        const glm::vec2 uv = i == 5 ? -texScale : texScale;
        if (faces[i].level)
            addQuadXY(mesh, faces[i].a, faces[i].b, colour, uv);
        else
            addQuadVertical(mesh, faces[i].a, faces[i].b, colour, uv);
    }
}

void addTransformedQuadXY(MeshData& mesh, const glm::mat4& m, glm::vec3 a, glm::vec3 b, glm::vec4 colour,
                          glm::vec2 texScale)
{
    MeshVertex v[6];
    quadXYVertices(v, a, b, colour, texScale);
    addSixTransformed(mesh, m, v);
}

void addTransformedQuadVertical(MeshData& mesh, const glm::mat4& m, glm::vec3 a, glm::vec3 b, glm::vec4 colour,
                                glm::vec2 texScale)
{
    MeshVertex v[6];
    quadVerticalVertices(v, a, b, colour, texScale);
    addSixTransformed(mesh, m, v);
}

void addTransformedBox(MeshData& mesh, const glm::mat4& m, glm::vec3 min, glm::vec3 max, glm::vec4 colour,
                       glm::vec3 s)
{
    BoxFace faces[6];
    boxFaces(faces, min, max);
    const glm::vec2 scales[6] = {{s.x, s.y}, {s.x, s.y}, {s.x, s.z}, {s.x, s.z}, {s.y, s.z}, {-s.y, -s.z}};
    for (int i = 0; i < 6; ++i) {
        if (faces[i].level)
            addTransformedQuadXY(mesh, m, faces[i].a, faces[i].b, colour, scales[i]);
        else
            addTransformedQuadVertical(mesh, m, faces[i].a, faces[i].b, colour, scales[i]);
    }
}

void addSphere(MeshData& mesh, glm::vec3 centre, float radius, int slices, int stacks, glm::vec4 colour,
               glm::vec2 texScale)
{
    if (slices < 1 || stacks < 1)
        return;
    const auto point = [&](int i, int j) {
        const float theta = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(slices);
        const float phi = kPi * static_cast<float>(j) / static_cast<float>(stacks) - 0.5f * kPi;
        const glm::vec3 p = centre + radius * glm::vec3(std::cos(phi) * std::cos(theta),
                                                        std::cos(phi) * std::sin(theta), std::sin(phi));
        const glm::vec2 uv(static_cast<float>(i) / static_cast<float>(slices) * texScale.x,
                           static_cast<float>(j) / static_cast<float>(stacks) * texScale.y);
        return vertex(p, colour, uv);
    };
    for (int i = 0; i < slices; ++i) {
        for (int j = 0; j < stacks; ++j) {
            const MeshVertex p00 = point(i, j);
            const MeshVertex p10 = point(i + 1, j);
            const MeshVertex p11 = point(i + 1, j + 1);
            const MeshVertex p01 = point(i, j + 1);
            addTriangle(mesh, p00, p10, p11);
            addTriangle(mesh, p00, p11, p01);
        }
    }
}

void addCylinder(MeshData& mesh, glm::vec3 base, float height, float radius, glm::vec4 colour, glm::vec2 texScale)
{
    const auto rim = [&](int k, float z) {
        const float theta = 2.0f * kPi * static_cast<float>(k) / static_cast<float>(kCylinderSegments);
        return glm::vec3(base.x + radius * std::cos(theta), base.y + radius * std::sin(theta), z);
    };
    const glm::vec3 axisBottom(base.x, base.y, 0.0f);
    const glm::vec3 axisTop(base.x, base.y, height);
    const glm::vec2 noUV(0.0f);
    for (int k = 0; k < kCylinderSegments; ++k) {
        const float u0 = static_cast<float>(k) / kCylinderSegments * texScale.x;
        const float u1 = static_cast<float>(k + 1) / kCylinderSegments * texScale.x;
        addTriangle(mesh, vertex(rim(k, 0.0f), colour, noUV), vertex(axisBottom, colour, noUV),
                    vertex(rim(k + 1, 0.0f), colour, noUV));
        addTriangle(mesh, vertex(rim(k, height), colour, noUV), vertex(rim(k + 1, height), colour, noUV),
                    vertex(axisTop, colour, noUV));
        const MeshVertex bottom0 = vertex(rim(k, 0.0f), colour, {u0, 0.0f});
        const MeshVertex bottom1 = vertex(rim(k + 1, 0.0f), colour, {u1, 0.0f});
        const MeshVertex top0 = vertex(rim(k, height), colour, {u0, texScale.y});
        const MeshVertex top1 = vertex(rim(k + 1, height), colour, {u1, texScale.y});
        addTriangle(mesh, bottom0, top1, top0);
        addTriangle(mesh, top1, bottom0, bottom1);
    }
}

} // namespace Engine::GFX::Mesh
