#include "tools/data_builder/generators/model/Mesh.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace Tools {

namespace {

constexpr std::size_t kMaxVertices = 65535;

// Corners counter-clockwise seen from outside; the face shows the rectangle
// from its first corner (u0, v0) round to the last (u0, v1).
void AddQuad(Mesh& mesh, const std::array<Float3, 4>& corners, const Float3& normal, const UvRect& uv)
{
    const float us[4] = {uv.u0, uv.u1, uv.u1, uv.u0};
    const float vs[4] = {uv.v0, uv.v0, uv.v1, uv.v1};
    const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
    for (int k = 0; k < 4; ++k)
        mesh.vertices.push_back(ModelFileVertex{corners[k], normal, us[k], vs[k]});
    for (std::uint32_t k : {0u, 1u, 2u, 2u, 3u, 0u})
        mesh.indices.push_back(first + k);
}

Float3 Turn(const Float3& v, Axis axis, float c, float s)
{
    switch (axis) {
    case Axis::X:
        return {v[0], v[1] * c - v[2] * s, v[1] * s + v[2] * c};
    case Axis::Y:
        return {v[0] * c + v[2] * s, v[1], -v[0] * s + v[2] * c};
    case Axis::Z:
        return {v[0] * c - v[1] * s, v[0] * s + v[1] * c, v[2]};
    }
    return v;
}

std::uint32_t CheckedCount(const Mesh& mesh)
{
    if (mesh.vertices.empty() || mesh.indices.empty())
        throw std::runtime_error("a model needs at least one triangle");
    if (mesh.vertices.size() > kMaxVertices)
        throw std::runtime_error("a model of " + std::to_string(mesh.vertices.size()) +
                                 " vertices is beyond 16-bit indices");
    return static_cast<std::uint32_t>(mesh.vertices.size());
}

} // namespace

void AddBox(Mesh& mesh, const Float3& lo, const Float3& hi, const UvRect& uv)
{
    AddQuad(mesh, {{{lo[0], lo[1], lo[2]}, {lo[0], hi[1], lo[2]}, {hi[0], hi[1], lo[2]}, {hi[0], lo[1], lo[2]}}},
            {0, 0, -1}, uv);
    AddQuad(mesh, {{{lo[0], lo[1], hi[2]}, {hi[0], lo[1], hi[2]}, {hi[0], hi[1], hi[2]}, {lo[0], hi[1], hi[2]}}},
            {0, 0, 1}, uv);
    AddQuad(mesh, {{{lo[0], lo[1], lo[2]}, {hi[0], lo[1], lo[2]}, {hi[0], lo[1], hi[2]}, {lo[0], lo[1], hi[2]}}},
            {0, -1, 0}, uv);
    AddQuad(mesh, {{{hi[0], lo[1], lo[2]}, {hi[0], hi[1], lo[2]}, {hi[0], hi[1], hi[2]}, {hi[0], lo[1], hi[2]}}},
            {1, 0, 0}, uv);
    AddQuad(mesh, {{{hi[0], hi[1], lo[2]}, {lo[0], hi[1], lo[2]}, {lo[0], hi[1], hi[2]}, {hi[0], hi[1], hi[2]}}},
            {0, 1, 0}, uv);
    AddQuad(mesh, {{{lo[0], hi[1], lo[2]}, {lo[0], lo[1], lo[2]}, {lo[0], lo[1], hi[2]}, {lo[0], hi[1], hi[2]}}},
            {-1, 0, 0}, uv);
}

void AddBar(Mesh& mesh, const Float3& lo, const Float3& hi, int segments, const UvRect& uv)
{
    const int count = std::max(segments, 1);
    for (int i = 0; i < count; ++i) {
        const float a = lo[0] + (hi[0] - lo[0]) * static_cast<float>(i) / static_cast<float>(count);
        const float b = lo[0] + (hi[0] - lo[0]) * static_cast<float>(i + 1) / static_cast<float>(count);
        const float ua = uv.u0 + (uv.u1 - uv.u0) * static_cast<float>(i) / static_cast<float>(count);
        const float ub = uv.u0 + (uv.u1 - uv.u0) * static_cast<float>(i + 1) / static_cast<float>(count);
        const UvRect part{ua, uv.v0, ub, uv.v1};
        AddQuad(mesh, {{{a, lo[1], lo[2]}, {b, lo[1], lo[2]}, {b, lo[1], hi[2]}, {a, lo[1], hi[2]}}}, {0, -1, 0}, part);
        AddQuad(mesh, {{{a, lo[1], hi[2]}, {b, lo[1], hi[2]}, {b, hi[1], hi[2]}, {a, hi[1], hi[2]}}}, {0, 0, 1}, part);
        AddQuad(mesh, {{{b, hi[1], lo[2]}, {a, hi[1], lo[2]}, {a, hi[1], hi[2]}, {b, hi[1], hi[2]}}}, {0, 1, 0}, part);
        AddQuad(mesh, {{{b, lo[1], lo[2]}, {a, lo[1], lo[2]}, {a, hi[1], lo[2]}, {b, hi[1], lo[2]}}}, {0, 0, -1},
                part);
    }
    AddQuad(mesh, {{{hi[0], lo[1], lo[2]}, {hi[0], hi[1], lo[2]}, {hi[0], hi[1], hi[2]}, {hi[0], lo[1], hi[2]}}},
            {1, 0, 0}, uv);
    AddQuad(mesh, {{{lo[0], hi[1], lo[2]}, {lo[0], lo[1], lo[2]}, {lo[0], lo[1], hi[2]}, {lo[0], hi[1], hi[2]}}},
            {-1, 0, 0}, uv);
}

void AddSphere(Mesh& mesh, const Float3& centre, float radius, int slices, int stacks, const UvRect& uv)
{
    const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
    const auto columns = static_cast<std::uint32_t>(slices + 1);
    for (int s = 0; s <= stacks; ++s) {
        const double theta = std::numbers::pi * s / stacks;
        for (int j = 0; j <= slices; ++j) {
            const double phi = 2.0 * std::numbers::pi * j / slices;
            const Float3 n{static_cast<float>(std::sin(theta) * std::cos(phi)),
                           static_cast<float>(std::sin(theta) * std::sin(phi)), static_cast<float>(std::cos(theta))};
            const float u = uv.u0 + (uv.u1 - uv.u0) * static_cast<float>(j) / static_cast<float>(slices);
            const float v = uv.v1 - (uv.v1 - uv.v0) * static_cast<float>(s) / static_cast<float>(stacks);
            mesh.vertices.push_back(
                {{centre[0] + radius * n[0], centre[1] + radius * n[1], centre[2] + radius * n[2]}, n, u, v});
        }
    }
    for (int s = 0; s < stacks; ++s) {
        for (int j = 0; j < slices; ++j) {
            const std::uint32_t a = first + static_cast<std::uint32_t>(s) * columns + static_cast<std::uint32_t>(j);
            const std::uint32_t b = a + columns;
            // The rows at the poles close in a point: one triangle each.
            if (s != 0)
                mesh.indices.insert(mesh.indices.end(), {a, b + 1, a + 1});
            if (s != stacks - 1)
                mesh.indices.insert(mesh.indices.end(), {a, b, b + 1});
        }
    }
}

void AddMesh(Mesh& mesh, const Mesh& other)
{
    const auto first = static_cast<std::uint32_t>(mesh.vertices.size());
    mesh.vertices.insert(mesh.vertices.end(), other.vertices.begin(), other.vertices.end());
    for (std::uint32_t index : other.indices)
        mesh.indices.push_back(first + index);
}

Mesh Rotated(const Mesh& mesh, Axis axis, float radians, const Float3& pivot)
{
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    Mesh turned = mesh;
    for (ModelFileVertex& vertex : turned.vertices) {
        const Float3 local{vertex.position[0] - pivot[0], vertex.position[1] - pivot[1],
                           vertex.position[2] - pivot[2]};
        const Float3 moved = Turn(local, axis, c, s);
        vertex.position = {moved[0] + pivot[0], moved[1] + pivot[1], moved[2] + pivot[2]};
        vertex.normal = Turn(vertex.normal, axis, c, s);
    }
    return turned;
}

Mesh Moved(const Mesh& mesh, const Float3& offset)
{
    return Bent(mesh, [&](const Float3& p) { return Float3{p[0] + offset[0], p[1] + offset[1], p[2] + offset[2]}; });
}

Mesh Scaled(const Mesh& mesh, float factor, const Float3& pivot)
{
    return Bent(mesh, [&](const Float3& p) {
        return Float3{pivot[0] + (p[0] - pivot[0]) * factor, pivot[1] + (p[1] - pivot[1]) * factor,
                      pivot[2] + (p[2] - pivot[2]) * factor};
    });
}

Mesh Bent(const Mesh& mesh, const std::function<Float3(const Float3&)>& move)
{
    Mesh bent = mesh;
    for (ModelFileVertex& vertex : bent.vertices)
        vertex.position = move(vertex.position);
    return bent;
}

ModelFileBounds BoundsOf(const Mesh& mesh)
{
    ModelFileBounds bounds{mesh.vertices.at(0).position, mesh.vertices.at(0).position};
    for (const ModelFileVertex& vertex : mesh.vertices) {
        for (int axis = 0; axis < 3; ++axis) {
            bounds.min[axis] = std::min(bounds.min[axis], vertex.position[axis]);
            bounds.max[axis] = std::max(bounds.max[axis], vertex.position[axis]);
        }
    }
    return bounds;
}

ModelFileData StaticModel(const Mesh& mesh)
{
    ModelFileData data;
    data.flags = kModelStatic | kModelTriangleList | kModelSolidRenderFlags;
    data.vertexCount = CheckedCount(mesh);
    data.vertices = mesh.vertices;
    data.indices = mesh.indices;
    data.bounds = {BoundsOf(mesh)};
    return data;
}

ModelFileData AnimatedModel(const std::vector<Mesh>& frames, float speed)
{
    if (frames.empty())
        throw std::runtime_error("an animated model needs a frame");
    ModelFileData data;
    data.flags = kModelVertexAnimated | kModelTriangleList | kModelSolidRenderFlags;
    data.frameCount = static_cast<std::uint32_t>(frames.size());
    data.speed = speed;
    data.vertexCount = CheckedCount(frames[0]);
    data.indices = frames[0].indices;
    for (const Mesh& frame : frames) {
        if (frame.vertices.size() != frames[0].vertices.size() || frame.indices != frames[0].indices)
            throw std::runtime_error("the frames of an animated model differ in their triangles");
        data.vertices.insert(data.vertices.end(), frame.vertices.begin(), frame.vertices.end());
        data.bounds.push_back(BoundsOf(frame));
    }
    return data;
}

} // namespace Tools
