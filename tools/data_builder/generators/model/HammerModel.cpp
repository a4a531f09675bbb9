#include "tools/data_builder/generators/model/Mesh.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"

#include <numbers>

namespace Tools {

namespace {

// The hammer is drawn over the field in the GUI's units (800 x 600, y up),
// its origin on the cursor: seen from the side, the striking face of the
// head rests on the origin at the bottom of the swing, the handle reaching
// to the right to the hand that holds it. The swing turns it about the
// hand in the screen's plane: raised 55 degrees at frame 0, down on the
// cursor at frame 4, and back up by frame 9.
constexpr float kHeadHalfWidth = 9.0f;
constexpr float kHeadHeight = 30.0f;
constexpr float kHandleEnd = 66.0f;
constexpr float kHandleLow = 13.0f;
constexpr float kHandleHigh = 17.0f;
constexpr float kHandleHalfDepth = 3.0f;
constexpr Float3 kHand{62.0f, 15.0f, 0.0f};
constexpr float kDegree = std::numbers::pi_v<float> / 180.0f;
// The angle of each frame, in degrees, clockwise from the strike.
constexpr float kSwing[] = {55.0f, 48.0f, 35.0f, 18.0f, 0.0f, 12.0f, 25.0f, 37.0f, 47.0f, 55.0f};
// Texture: the head's iron on the left half, the handle's wood on the right.
constexpr UvRect kIron{0.0f, 0.0f, 0.5f, 1.0f};
constexpr UvRect kWood{0.5f, 0.0f, 1.0f, 1.0f};
constexpr float kSpeed = 30.0f;

Mesh Hammer()
{
    Mesh mesh;
    AddBox(mesh, {-kHeadHalfWidth, 0.0f, -kHeadHalfWidth}, {kHeadHalfWidth, kHeadHeight, kHeadHalfWidth}, kIron);
    AddBox(mesh, {kHeadHalfWidth, kHandleLow, -kHandleHalfDepth}, {kHandleEnd, kHandleHigh, kHandleHalfDepth},
           kWood);
    return mesh;
}

ModelFileData SwingingHammer()
{
    const Mesh hammer = Hammer();
    std::vector<Mesh> frames;
    for (const float degrees : kSwing)
        frames.push_back(Rotated(hammer, Axis::Z, -degrees * kDegree, kHand));
    return AnimatedModel(frames, kSpeed);
}

} // namespace

std::vector<MeshModelRecipe> HammerModelRecipes()
{
    return {{ObjectPath("hammer\\model.mlf"), SwingingHammer, {.diffuse = "hammer.tga"}}};
}

} // namespace Tools
