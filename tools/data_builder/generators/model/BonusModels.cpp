#include "tools/data_builder/generators/model/Mesh.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"

#include <numbers>

namespace Tools {

namespace {

// A token rolling over and over about its long axis as it falls: a block
// showing the kind's sign on its four sides, with a rim at either end.
constexpr float kHalfLength = 4.0f;
constexpr float kRim = 0.8f;
constexpr float kHalfSide = 2.0f;
constexpr float kRimHalfSide = 1.6f;
constexpr float kAxisHeight = 3.0f;
// One turn in 16 steps, and a last frame on the first so that the loop
// never jumps; a turn takes 1.2 s.
constexpr int kSteps = 16;
constexpr float kSpeed = kSteps / 1.2f;
// The sign fills the texture up to here; the rim's colour is beyond it.
constexpr float kSignEnd = 0.8f;

Mesh Token()
{
    const float body = kHalfLength - kRim;
    const float z = kAxisHeight;
    Mesh mesh;
    AddBox(mesh, {-body, -kHalfSide, z - kHalfSide}, {body, kHalfSide, z + kHalfSide}, {0.0f, 0.0f, kSignEnd, 1.0f});
    const UvRect rim{kSignEnd, 0.0f, 1.0f, 1.0f};
    AddBox(mesh, {-kHalfLength, -kRimHalfSide, z - kRimHalfSide}, {-body, kRimHalfSide, z + kRimHalfSide}, rim);
    AddBox(mesh, {body, -kRimHalfSide, z - kRimHalfSide}, {kHalfLength, kRimHalfSide, z + kRimHalfSide}, rim);
    return mesh;
}

ModelFileData RollingToken()
{
    const Mesh token = Token();
    std::vector<Mesh> frames;
    for (int step = 0; step <= kSteps; ++step) {
        const float angle = 2.0f * std::numbers::pi_v<float> * static_cast<float>(step % kSteps) / kSteps;
        frames.push_back(Rotated(token, Axis::X, angle, {0.0f, 0.0f, kAxisHeight}));
    }
    return AnimatedModel(frames, kSpeed);
}

} // namespace

const std::vector<std::string>& BonusNames()
{
    static const std::vector<std::string> names = {
        "life",          "bat_increase", "bat_decrease", "balls_speed_up", "balls_slow_down", "balls_split",
        "balls_super",   "barrier",      "arbalest",     "ballista",       "hammer",
    };
    return names;
}

std::vector<MeshModelRecipe> BonusModelRecipes()
{
    std::vector<MeshModelRecipe> recipes;
    for (const std::string& name : BonusNames())
        recipes.push_back({ObjectPath("bonuses\\" + name + ".mlf"), RollingToken,
                           {.diffuse = name + ".tga"}});
    return recipes;
}

} // namespace Tools
