#pragma once

#include "tools/ModelWriter.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace Tools {

// The triangles of one pose of a model being built, before they become a
// model file. Every triangle winds counter-clockwise seen from outside: the
// cross product of its second and third corners less its first points along
// the corners' normal. The game's objects are put together from these
// pieces, and an animated model from one mesh per frame.
struct Mesh {
    std::vector<ModelFileVertex> vertices;
    std::vector<std::uint32_t> indices;
};

// The part of the texture a face shows, from (u0, v0) at its first corner to
// (u1, v1) at its opposite one.
struct UvRect {
    float u0 = 0.0f;
    float v0 = 0.0f;
    float u1 = 1.0f;
    float v1 = 1.0f;
};

enum class Axis { X = 0, Y = 1, Z = 2 };

// A box from lo to hi facing outwards, each face showing the rectangle.
void AddBox(Mesh& mesh, const Float3& lo, const Float3& hi, const UvRect& uv = {});
// A box cut into equal segments along x (ends closed), so that it can bend.
void AddBar(Mesh& mesh, const Float3& lo, const Float3& hi, int segments, const UvRect& uv = {});
// A sphere of slices round z and stacks from pole to pole; slices a multiple
// of 4 and stacks even put vertices on the poles and at the ends of the x
// and y diameters, so its box is exactly the radius round the centre.
void AddSphere(Mesh& mesh, const Float3& centre, float radius, int slices, int stacks, const UvRect& uv = {});
void AddMesh(Mesh& mesh, const Mesh& other);

// Rigid motions and a uniform scaling; normals turn with the positions.
Mesh Rotated(const Mesh& mesh, Axis axis, float radians, const Float3& pivot);
Mesh Moved(const Mesh& mesh, const Float3& offset);
Mesh Scaled(const Mesh& mesh, float factor, const Float3& pivot);
// Every position through the function, normals kept: for small bends only.
Mesh Bent(const Mesh& mesh, const std::function<Float3(const Float3&)>& move);

ModelFileBounds BoundsOf(const Mesh& mesh);

// Models of solid objects (kModelSolidRenderFlags).
// A static model of the mesh, its box round its vertices. Throws
// std::runtime_error for an empty mesh or one beyond 16-bit indices.
ModelFileData StaticModel(const Mesh& mesh);
// A vertex-animated model, one frame per mesh and a box per frame, played at
// the speed in frames per second. Throws std::runtime_error when the frames
// differ in their vertex count or triangles, or for no frame.
ModelFileData AnimatedModel(const std::vector<Mesh>& frames, float speed);

} // namespace Tools
