#include "tools/data_builder/generators/model/BatLayout.h"
#include "tools/data_builder/generators/model/Mesh.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"

#include <cmath>
#include <numbers>

namespace Tools {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// A gun is a bow on a short stock that sits on the cabin of the bat's
// craft, modelled in the bat's space (the guns ride on the body's matrix),
// shooting towards +y; its bolts sink towards the field as they fly. It is
// shallow and low, so that from the camera it stands against the head and
// hides no ball, and narrow enough to stay inside the shortest head. Its frames: it rises from its seat, its arms unfold, and then the
// shot: the string snaps forward and is drawn again while the gun kicks
// back. The last frame of the shot is the pose it ends the mount on, which
// the game holds while the gun is ready and unwinds from when it unmounts.
struct GunDesign {
    std::vector<std::array<Float3, 2>> stock;
    // The right arm's root; the left one mirrors it.
    Float3 pivot;
    float armLength;
    float armHalfWidth;
    float armHalfHeight;
    // Where the drawn string meets at the back, and how far it snaps.
    float nutY;
    float draw;
    float stringHalfThickness;
    // A square winch across the back, turning once a shot; none when 0.
    float winchY;
    float winchHalfSide;
    float recoil;
    // Frames at which the rise and the unfolding end, and the last frame.
    int riseEnd;
    int unfoldEnd;
    int lastFrame;
    float speed;
};

struct GunPose {
    float rise = 1.0f;
    float unfold = 1.0f;
    float snap = 0.0f;
    float winch = 0.0f;
};

// A gun is drawn standing on a seat at this height and depth; it is moved
// from there onto the bat's seat.
constexpr float kDrawnSeatY = -0.5f;
constexpr float kDrawnSeatZ = 6.2f;
constexpr float kDrawnDepth = kBatGunFront - kBatGunBack;
constexpr Float3 kMountPoint{0.0f, kDrawnSeatY + kDrawnDepth / 2.0f, kDrawnSeatZ};
// A gun stands on a low pedestal on the cabin, where a player sees which
// gun is mounted and its bolt leave; the bolts start from there.
constexpr float kGunRaise = 0.15f;
// The pedestal leaves the stock's back end free, where the view's lower
// edge passes closest under the gun.
constexpr float kPedestalSetBack = 0.2f;
constexpr Float3 kGunLift{0.0f, kBatGunBack - kDrawnSeatY, kBatGunSeatZ + kGunRaise - kDrawnSeatZ};
constexpr float kSunkDepth = 1.0f;
constexpr float kFoldedScale = 0.3f;
// The arms' tips flex forward this many radians when the string snaps.
constexpr float kFlex = 0.15f;
// The part of the shot the snap takes; the rest draws the string again.
constexpr float kSnapShare = 0.3f;

// A thin bar from p to q at p's height.
void AddSegment(Mesh& mesh, const Float3& p, const Float3& q, float half)
{
    const float dx = q[0] - p[0];
    const float dy = q[1] - p[1];
    Mesh bar;
    AddBox(bar, {0.0f, -half, -half}, {std::hypot(dx, dy), half, half}, {0.9f, 0.0f, 1.0f, 1.0f});
    AddMesh(mesh, Moved(Rotated(bar, Axis::Z, std::atan2(dy, dx), {0.0f, 0.0f, 0.0f}), p));
}

GunPose PoseAt(const GunDesign& gun, int frame)
{
    GunPose pose;
    if (frame <= gun.riseEnd) {
        pose.rise = static_cast<float>(frame) / static_cast<float>(gun.riseEnd);
        pose.unfold = 0.0f;
    } else if (frame <= gun.unfoldEnd) {
        pose.unfold = static_cast<float>(frame - gun.riseEnd) / static_cast<float>(gun.unfoldEnd - gun.riseEnd);
    } else {
        const int steps = gun.lastFrame - gun.unfoldEnd;
        const int step = frame - gun.unfoldEnd;
        const float s = static_cast<float>(step) / static_cast<float>(steps);
        pose.snap = s <= kSnapShare ? s / kSnapShare : (1.0f - s) / (1.0f - kSnapShare);
        pose.winch = 2.0f * kPi * static_cast<float>(step % steps) / static_cast<float>(steps);
    }
    return pose;
}

Mesh GunMesh(const GunDesign& gun, const GunPose& pose)
{
    Mesh mesh;
    for (const auto& [lo, hi] : gun.stock)
        AddBox(mesh, lo, hi, {0.0f, 0.0f, 0.6f, 1.0f});
    const float z = gun.pivot[2];
    const float folded = -(1.0f - pose.unfold) * kPi / 2.0f;
    const Float3 nut{0.0f, gun.nutY + pose.snap * gun.draw, z};
    for (const float side : {1.0f, -1.0f}) {
        const Float3 pivot{side * gun.pivot[0], gun.pivot[1], z};
        const float angle = side * (folded + pose.snap * kFlex);
        Mesh arm;
        const float near = side > 0.0f ? pivot[0] : pivot[0] - gun.armLength;
        AddBox(arm, {near, pivot[1] - gun.armHalfWidth, z - gun.armHalfHeight},
               {near + gun.armLength, pivot[1] + gun.armHalfWidth, z + gun.armHalfHeight}, {0.6f, 0.0f, 0.9f, 1.0f});
        AddMesh(mesh, Rotated(arm, Axis::Z, angle, pivot));
        const Float3 tip{pivot[0] + side * gun.armLength * std::cos(angle),
                         pivot[1] + side * gun.armLength * std::sin(angle), z};
        AddSegment(mesh, tip, nut, gun.stringHalfThickness);
    }
    if (gun.winchHalfSide > 0.0f) {
        const float h = gun.winchHalfSide;
        Mesh winch;
        AddBox(winch, {-0.7f, gun.winchY - h, z - h}, {0.7f, gun.winchY + h, z + h}, {0.6f, 0.0f, 0.9f, 1.0f});
        AddMesh(mesh, Rotated(winch, Axis::X, pose.winch, {0.0f, gun.winchY, z}));
    }
    const float scale = kFoldedScale + (1.0f - kFoldedScale) * pose.rise;
    const Float3 shift{0.0f, -pose.snap * gun.recoil, -(1.0f - pose.rise) * kSunkDepth};
    Mesh mounted = Moved(Scaled(mesh, scale, kMountPoint), shift);
    AddBox(mounted, {-0.7f, kDrawnSeatY + kPedestalSetBack, kDrawnSeatZ - kGunRaise},
           {0.7f, kDrawnSeatY + kDrawnDepth, kDrawnSeatZ},
           {0.0f, 0.0f, 0.6f, 1.0f});
    return Moved(mounted, kGunLift);
}

ModelFileData GunModel(const GunDesign& gun)
{
    std::vector<Mesh> frames;
    for (int frame = 0; frame <= gun.lastFrame; ++frame)
        frames.push_back(GunMesh(gun, PoseAt(gun, frame)));
    return AnimatedModel(frames, gun.speed);
}

// Mount 0 to 33, shot 33 to 40.
GunDesign Arbalest()
{
    return {.stock = {{{{-0.5f, kDrawnSeatY, kDrawnSeatZ}, {0.5f, 0.3f, 6.7f}}}},
            .pivot = {0.5f, 0.05f, 6.55f},
            .armLength = 1.0f,
            .armHalfWidth = 0.15f,
            .armHalfHeight = 0.12f,
            .nutY = -0.4f,
            .draw = 0.5f,
            .stringHalfThickness = 0.05f,
            .winchY = 0.0f,
            .winchHalfSide = 0.0f,
            .recoil = 0.15f,
            .riseEnd = 16,
            .unfoldEnd = 33,
            .lastFrame = 40,
            .speed = 80.0f};
}

// Mount 0 to 19, shot 19 to 25.
GunDesign Ballista()
{
    return {.stock = {{{{-0.7f, kDrawnSeatY, kDrawnSeatZ}, {0.7f, 0.3f, 6.8f}}},
                      {{{-0.4f, kDrawnSeatY, 6.8f}, {0.4f, 0.2f, 6.9f}}}},
            .pivot = {0.4f, 0.0f, 6.95f},
            .armLength = 0.7f,
            .armHalfWidth = 0.2f,
            .armHalfHeight = 0.12f,
            .nutY = -0.4f,
            .draw = 0.5f,
            .stringHalfThickness = 0.07f,
            .winchY = -0.3f,
            .winchHalfSide = 0.2f,
            .recoil = 0.2f,
            .riseEnd = 9,
            .unfoldEnd = 19,
            .lastFrame = 25,
            .speed = 40.0f};
}

// A bolt lying loaded on its gun: shaft, head and vanes, pointing +y. Its
// animation slides it forward into place from behind as the gun reloads;
// a bolt in flight shows the first frame.
struct BoltDesign {
    float shaftHalf;
    float back;
    float front;
    float bottom;
    float top;
    float headLength;
    float slide;
    float speed;
};

constexpr int kBoltFrames = 9;

Mesh BoltMesh(const BoltDesign& bolt)
{
    const float head = bolt.shaftHalf * 2.2f;
    const float vane = bolt.shaftHalf * 3.0f;
    const float middle = (bolt.bottom + bolt.top) / 2.0f;
    Mesh mesh;
    AddBox(mesh, {-bolt.shaftHalf, bolt.back, bolt.bottom}, {bolt.shaftHalf, bolt.front, bolt.top},
           {0.0f, 0.0f, 0.6f, 1.0f});
    AddBox(mesh, {-head, bolt.front, bolt.bottom - 0.03f}, {head, bolt.front + bolt.headLength, bolt.top + 0.03f},
           {0.6f, 0.0f, 0.8f, 1.0f});
    AddBox(mesh, {-vane, bolt.back + 0.05f, middle - 0.03f}, {vane, bolt.back + 0.3f, middle + 0.03f},
           {0.8f, 0.0f, 1.0f, 1.0f});
    return mesh;
}

ModelFileData BoltModel(const BoltDesign& bolt)
{
    const Mesh mesh = BoltMesh(bolt);
    std::vector<Mesh> frames;
    for (int frame = 0; frame < kBoltFrames; ++frame) {
        const float left = 1.0f - static_cast<float>(frame) / static_cast<float>(kBoltFrames - 1);
        frames.push_back(Moved(mesh, {kGunLift[0], kGunLift[1] - bolt.slide * left, kGunLift[2]}));
    }
    return AnimatedModel(frames, bolt.speed);
}

constexpr BoltDesign kArbalestBolt{0.1f, -0.45f, -0.05f, 6.7f, 6.9f, 0.25f, 0.2f, 80.0f};
constexpr BoltDesign kBallistaBolt{0.14f, -0.45f, -0.1f, 6.9f, 7.1f, 0.25f, 0.2f, 50.0f};

std::string Gun(const std::string& kind, const std::string& file)
{
    return ObjectPath("guns\\" + kind + "\\" + file);
}

} // namespace

std::vector<MeshModelRecipe> GunModelRecipes()
{
    return {
        {Gun("arbalet", "gun.mlf"), [] { return GunModel(Arbalest()); }, {.diffuse = "gun.tga"}},
        {Gun("arbalet", "bullet.mlf"), [] { return BoltModel(kArbalestBolt); }, {.diffuse = "bullet.tga"}},
        {Gun("ballista", "gun.mlf"), [] { return GunModel(Ballista()); }, {.diffuse = "gun.tga"}},
        {Gun("ballista", "bullet.mlf"), [] { return BoltModel(kBallistaBolt); }, {.diffuse = "bullet.tga"}},
    };
}

} // namespace Tools
