#include "tools/data_builder/generators/model/Mesh.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"

namespace Tools {

namespace {

std::string Balls(const std::string& file) { return ObjectPath("balls\\" + file); }

// Fine enough to look round at the size the camera shows a ball; the
// counts put vertices on the ends of the diameters (see AddSphere).
constexpr int kSlices = 16;
constexpr int kStacks = 8;

// A ball rolls on the field with its centre at its radius: the game takes
// the radius from the smallest half size of the box, so the sphere is
// centred on the origin.
ModelFileData Ball(float radius)
{
    Mesh mesh;
    AddSphere(mesh, {0.0f, 0.0f, 0.0f}, radius, kSlices, kStacks);
    return StaticModel(mesh);
}

} // namespace

std::vector<MeshModelRecipe> BallModelRecipes()
{
    return {
        {Balls("simple\\model.mlf"), [] { return Ball(2.0f); }, {.diffuse = "ball.tga"}},
        {Balls("super\\model.mlf"), [] { return Ball(2.5f); }, {.diffuse = "ball.tga"}},
    };
}

} // namespace Tools
