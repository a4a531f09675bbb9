#include "tools/data_builder/generators/model/Mesh.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Tools {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// A fence across the field behind the bat (y -85) and in front of the line
// where balls are lost (y + radius below -100): two posts and up to three
// ropes, wall to wall. Rope 0's box is the one the balls bounce off, and
// the ball manager takes only its y extent, -92 to -91. The level's camera
// looks from (y -140, z 98) over this line at the balls beyond it: each
// rope is a thin strip lying along the sight line that meets it, so that
// the camera sees it edge on, a line across the whole screen that covers
// little of a ball behind it; the ropes lie far enough apart on the screen
// that no ball shows behind two. The posts stand just outside the walls,
// where the camera sees no ball behind them.
constexpr float kEyeY = -140.0f;
constexpr float kEyeZ = 98.0f;
constexpr float kRopeNear = -92.0f;
constexpr float kRopeFar = -91.0f;
constexpr float kRopeEnd = 78.0f;
constexpr float kRopeHeights[3] = {21.9f, 28.1f, 33.8f};
constexpr float kRopeThickness = 0.3f;
constexpr int kRopeSegments = 24;
constexpr float kPostInner = 76.8f;
constexpr float kPostOuter = kRopeEnd;
constexpr float kPostHeight = 36.0f;
constexpr float kDrumHalf = 0.6f;
constexpr float kDrumHeight = 27.4f;
// A new rope twangs up and down for half a second, swinging less and less,
// and ends straight as it began; the post it is tied to winds its drum once.
constexpr int kSteps = 12;
constexpr float kSpeed = 24.0f;
constexpr float kTwang = 0.3f;
constexpr float kSwings = 3.0f;

std::string Barrier(const std::string& file) { return ObjectPath("barrier\\" + file); }

// A strip from wall to wall, turned about the field's width until it lies
// along the camera's sight line through its middle, as deep as rope 0's box.
Mesh RopeStrip(float height)
{
    const float y = (kRopeNear + kRopeFar) / 2.0f;
    const float turn = kPi / 2.0f - std::atan2(kEyeZ - height, y - kEyeY);
    const float depth = kRopeFar - kRopeNear;
    const float width = (depth - kRopeThickness * std::cos(turn)) / std::sin(turn);
    Mesh strip;
    AddBar(strip, {-kRopeEnd, -kRopeThickness / 2.0f, -width / 2.0f}, {kRopeEnd, kRopeThickness / 2.0f, width / 2.0f},
           kRopeSegments, {0.0f, 0.0f, 8.0f, 1.0f});
    return Moved(Rotated(strip, Axis::X, turn, {0.0f, 0.0f, 0.0f}), {0.0f, y, height});
}

ModelFileData Rope(int index)
{
    const Mesh rope = RopeStrip(kRopeHeights[index]);
    std::vector<Mesh> frames;
    for (int step = 0; step <= kSteps; ++step) {
        const float t = static_cast<float>(step) / kSteps;
        const float swing = kTwang * (1.0f - t) * std::sin(kSwings * 2.0f * kPi * t);
        frames.push_back(Bent(rope, [&](const Float3& p) {
            const float along = std::sin(kPi * (p[0] + kRopeEnd) / (2.0f * kRopeEnd));
            return Float3{p[0], p[1], p[2] + swing * along};
        }));
    }
    return AnimatedModel(frames, kSpeed);
}

// Post 0 stands on the left, post 1 on the right; the drum on its inner
// side winds about the rope's axis.
ModelFileData Post(int index)
{
    const float side = index == 0 ? -1.0f : 1.0f;
    const float inner = side * kPostInner;
    const float outer = side * kPostOuter;
    const float y = (kRopeNear + kRopeFar) / 2.0f;
    Mesh post;
    AddBox(post, {std::min(inner, outer), kRopeNear, 0.0f}, {std::max(inner, outer), kRopeFar, kPostHeight},
           {0.0f, 0.0f, 0.5f, 1.0f});
    Mesh drum;
    const float drumInner = inner - side * 1.6f;
    AddBox(drum, {std::min(inner, drumInner), y - kDrumHalf, kDrumHeight - kDrumHalf},
           {std::max(inner, drumInner), y + kDrumHalf, kDrumHeight + kDrumHalf}, {0.5f, 0.0f, 1.0f, 1.0f});
    std::vector<Mesh> frames;
    for (int step = 0; step <= kSteps; ++step) {
        Mesh frame = post;
        const float angle = 2.0f * kPi * static_cast<float>(step % kSteps) / kSteps;
        AddMesh(frame, Rotated(drum, Axis::X, angle, {0.0f, y, kDrumHeight}));
        frames.push_back(frame);
    }
    return AnimatedModel(frames, kSpeed);
}

} // namespace

std::vector<MeshModelRecipe> BarrierModelRecipes()
{
    std::vector<MeshModelRecipe> recipes;
    for (int i = 0; i < 2; ++i)
        recipes.push_back(
            {Barrier("hardware_" + std::to_string(i) + ".mlf"), [i] { return Post(i); }, {.diffuse = "post.tga"}});
    for (int i = 0; i < 3; ++i)
        recipes.push_back({Barrier("rope_" + std::to_string(i) + ".mlf"), [i] { return Rope(i); },
                           {.diffuse = "rope.tga", .clamp = false}});
    return recipes;
}

} // namespace Tools
