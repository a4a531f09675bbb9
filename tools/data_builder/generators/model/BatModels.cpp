#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/model/BatLayout.h"
#include "tools/data_builder/generators/model/Mesh.h"
#include "tools/data_builder/generators/model/ObjectRecipe.h"

#include <array>

namespace Tools {

namespace {

std::string Bat(const std::string& file) { return ObjectPath("bat\\" + file); }

// The body's texture: the painted hull on its left half, bare metal on
// the rest.
constexpr UvRect kPainted{0.0f, 0.0f, 0.5f, 1.0f};
constexpr UvRect kMetal{0.5f, 0.0f, 1.0f, 1.0f};

// A plate of the body.
struct Piece {
    Float3 lo;
    Float3 hi;
    UvRect uv = kPainted;
};

Mesh Boxes(const std::vector<Piece>& pieces)
{
    Mesh mesh;
    for (const Piece& piece : pieces)
        AddBox(mesh, piece.lo, piece.hi, piece.uv);
    return mesh;
}

// The head's texture: the bar on its left three quarters, the ends' metal
// on the rest.
constexpr float kBarTextureEnd = 0.75f;

// One slice of the head across x: the bar standing on the field up to its
// front face, and the plate in front of it under the balls.
Mesh HeadSlice(float from, float to, const UvRect& uv)
{
    Mesh slice;
    AddBox(slice, {from, -kBatHeadHalfDepth, 0.0f}, {to, kBatBarFront, kBatHeadHeight}, uv);
    AddBox(slice, {from, kBatBarFront, 0.0f}, {to, kBatHeadHalfDepth, kBatApronHeight}, uv);
    return slice;
}

// The head at a frame, left to right: an end, the bar in five slices, an
// end. The head is made of exactly these pieces, so they fill it as it is
// shown.
std::vector<Mesh> HeadPieces(int frame)
{
    const float h = BatHeadHalfWidth(frame);
    const float b = h - kBatEndWidth;
    const UvRect end{kBarTextureEnd, 0.0f, 1.0f, 1.0f};
    std::vector<Mesh> pieces = {HeadSlice(-h, -b, end)};
    for (int i = 0; i < kBatBarPieces; ++i) {
        const float from = static_cast<float>(i) / kBatBarPieces;
        const float to = static_cast<float>(i + 1) / kBatBarPieces;
        pieces.push_back(HeadSlice(-b + 2.0f * b * from, -b + 2.0f * b * to,
                                   {kBarTextureEnd * from, 0.0f, kBarTextureEnd * to, 1.0f}));
    }
    pieces.push_back(HeadSlice(b, h, end));
    return pieces;
}

// The head, or one of its pieces, through every frame of the stretch. The
// game sets the time itself, so the speed is 0.
ModelFileData StretchedHead(int piece)
{
    std::vector<Mesh> frames;
    for (int frame = 0; frame < kBatHeadFrameCount; ++frame) {
        const std::vector<Mesh> pieces = HeadPieces(frame);
        if (piece >= 0) {
            frames.push_back(pieces.at(static_cast<std::size_t>(piece)));
            continue;
        }
        Mesh whole;
        for (const Mesh& part : pieces)
            AddMesh(whole, part);
        frames.push_back(whole);
    }
    return AnimatedModel(frames, 0.0f);
}

// The piece between lo and hi on the right, or its mirror image on the left.
Piece OnSide(float side, const Float3& lo, const Float3& hi, const UvRect& uv = kPainted)
{
    if (side > 0.0f)
        return {lo, hi, uv};
    return {{-hi[0], lo[1], lo[2]}, {-lo[0], hi[1], hi[2]}, uv};
}

// A block cut in columns x rows x layers plates.
void AddBlock(std::vector<Piece>& pieces, const Float3& lo, const Float3& hi, const std::array<int, 3>& cuts,
              const UvRect& uv = kPainted)
{
    const Float3 size{(hi[0] - lo[0]) / static_cast<float>(cuts[0]), (hi[1] - lo[1]) / static_cast<float>(cuts[1]),
                      (hi[2] - lo[2]) / static_cast<float>(cuts[2])};
    for (int k = 0; k < cuts[2]; ++k) {
        for (int j = 0; j < cuts[1]; ++j) {
            for (int i = 0; i < cuts[0]; ++i) {
                const Float3 from{lo[0] + size[0] * static_cast<float>(i), lo[1] + size[1] * static_cast<float>(j),
                                  lo[2] + size[2] * static_cast<float>(k)};
                pieces.push_back({from, {from[0] + size[0], from[1] + size[1], from[2] + size[2]}, uv});
            }
        }
    }
}

// On either side: a wing in two, its tip pod, a runner in three and a tail
// skid behind the cabin.
void AddSides(std::vector<Piece>& pieces)
{
    const float wingMiddle = (kBatNoseHalfWidth + kBatWingTip) / 2.0f;
    const int runnerPieces = 3;
    const float runnerLength = (-kBatHeadHalfDepth - kBatBodyBack) / runnerPieces;
    for (const float side : {-1.0f, 1.0f}) {
        pieces.push_back(OnSide(side, {kBatNoseHalfWidth, kBatWingBack, kBatWingBottom},
                                {wingMiddle, -kBatHeadHalfDepth, kBatWingTop}, kMetal));
        pieces.push_back(OnSide(side, {wingMiddle, kBatWingBack, kBatWingBottom},
                                {kBatWingTip, -kBatHeadHalfDepth, kBatWingTop}, kMetal));
        pieces.push_back(OnSide(side, {kBatWingTip, kBatWingBack - 0.4f, 0.0f},
                                {kBatWingTip + 0.8f, -kBatHeadHalfDepth, kBatWingTop}));
        for (int i = 0; i < runnerPieces; ++i) {
            const float back = kBatBodyBack + runnerLength * static_cast<float>(i);
            pieces.push_back(OnSide(side, {kBatRunnerInner, back, 0.0f},
                                    {kBatRunnerOuter, back + runnerLength, kBatRunnerHeight}, kMetal));
        }
        pieces.push_back(OnSide(side, {0.6f, kBatBodyBack, 0.0f},
                                {kBatCabinHalfWidth, kBatCabinBack, kBatRunnerHeight * 2.0f}, kMetal));
    }
}

// The body: the nose in 2 x 3 x 2 plates, the cabin over the rotor and the
// block bearing it in 2 x 1 x 2 each, the rotor's mast and the sides: 35
// pieces.
std::vector<Piece> BodyPieces()
{
    std::vector<Piece> pieces;
    AddBlock(pieces, {-kBatNoseHalfWidth, kBatNoseBack, 0.0f}, {kBatNoseHalfWidth, -kBatHeadHalfDepth, kBatNoseTop},
             {2, 3, 2});
    const float rotorBack = kBatScrewY - kBatBladeReach - 0.2f;
    AddBlock(pieces, {-kBatCabinHalfWidth, rotorBack, kBatCabinBottom}, {kBatCabinHalfWidth, kBatNoseBack, kBatCabinTop},
             {2, 1, 2});
    AddBlock(pieces, {-kBatCabinHalfWidth, kBatCabinBack, 0.0f}, {kBatCabinHalfWidth, rotorBack, kBatCabinTop},
             {2, 1, 2});
    pieces.push_back(
        {{-0.25f, kBatScrewY - 0.25f, kBatNoseTop}, {0.25f, kBatScrewY + 0.25f, kBatScrewZ - 0.25f}, kMetal});
    AddSides(pieces);
    return pieces;
}

// A hub with two crossed blades, centred on its axis so that the game's
// turn about the box centre spins it in place.
Mesh Screw()
{
    const float y = kBatScrewY;
    const float z = kBatScrewZ;
    const float r = kBatBladeReach;
    Mesh mesh;
    AddBox(mesh, {-0.5f, y - 0.5f, z - 0.25f}, {0.5f, y + 0.5f, z + 0.25f}, {0.0f, 0.0f, 0.5f, 1.0f});
    AddBox(mesh, {-r, y - 0.3f, z - 0.1f}, {r, y + 0.3f, z + 0.1f}, {0.5f, 0.0f, 1.0f, 1.0f});
    AddBox(mesh, {-0.3f, y - r, z - 0.1f}, {0.3f, y + r, z + 0.1f}, {0.5f, 0.0f, 1.0f, 1.0f});
    return mesh;
}

ShaderRecipe Painted(const std::string& texture) { return {.diffuse = texture}; }

// The pieces take the material of the part they fly from.
const ShaderRecipe kUnpainted{};

} // namespace

std::vector<MeshModelRecipe> BatModelRecipes()
{
    std::vector<MeshModelRecipe> recipes = {
        {Bat("head.mlf"), [] { return StretchedHead(-1); }, Painted("head.tga")},
        {Bat("body.mlf"), [] { return StaticModel(Boxes(BodyPieces())); }, Painted("body.tga")},
        {Bat("screw.mlf"), [] { return StaticModel(Screw()); }, Painted("screw.tga")},
        {Bat("fragments\\screw_00.mlf"), [] { return StaticModel(Screw()); }, kUnpainted},
    };
    for (int i = 0; i < kBatBarPieces + 2; ++i)
        recipes.push_back({Bat("fragments\\head_" + TwoDigits(static_cast<std::size_t>(i)) + ".mlf"),
                           [i] { return StretchedHead(i); }, kUnpainted});
    const std::size_t bodyPieces = BodyPieces().size();
    for (std::size_t i = 0; i < bodyPieces; ++i)
        recipes.push_back({Bat("fragments\\body_" + TwoDigits(i) + ".mlf"),
                           [i] { return StaticModel(Boxes({BodyPieces()[i]})); }, kUnpainted});
    return recipes;
}

} // namespace Tools
