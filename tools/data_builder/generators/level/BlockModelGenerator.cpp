#include "tools/data_builder/generators/level/BlockModelGenerator.h"

#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/level/BlockKinds.h"
#include "tools/data_builder/generators/Random.h"
#include "tools/data_builder/generators/model/VisualGenerator.h"

#include <stdexcept>

namespace Tools {

namespace {

constexpr std::uint64_t kCommonFragmentSeed = 0xB10C5;

// Blocks and their pieces are solid: the game only shows and hides them,
// and turns the culling round for a mirrored block.
void AddModel(DataSet& set, const std::string& path, ModelFileData model)
{
    model.flags |= kModelSolidRenderFlags;
    AddModelWithShader(set, path, model, {});
}

// Stand-ins for the pieces of kinds whose fragments are not real: odd boxes
// round the origin, scaled by the game to the piece they replace.
ModelFileData CommonFragment(Random& random)
{
    Float3 half{};
    for (float& side : half)
        side = 0.5f + random.Unit();
    return MakeBoxModelData({-half[0], -half[1], -half[2]}, half);
}

} // namespace

std::vector<ModelFileData> BuildBlockFragments(const BlockShape& shape)
{
    Float3 step{};
    for (int axis = 0; axis < 3; ++axis)
        step[axis] = (shape.max[axis] - shape.min[axis]) / static_cast<float>(shape.pieces[axis]);
    std::vector<ModelFileData> pieces;
    for (int k = 0; k < shape.pieces[2]; ++k) {
        for (int j = 0; j < shape.pieces[1]; ++j) {
            for (int i = 0; i < shape.pieces[0]; ++i) {
                const Float3 low{shape.min[0] + step[0] * static_cast<float>(i),
                                 shape.min[1] + step[1] * static_cast<float>(j),
                                 shape.min[2] + step[2] * static_cast<float>(k)};
                pieces.push_back(MakeBoxModelData(low, {low[0] + step[0], low[1] + step[1], low[2] + step[2]}));
            }
        }
    }
    return pieces;
}

void GenerateBlockModels(DataSet& set)
{
    const std::string models = std::string(kBlocksFolder) + "models\\";
    for (const BlockKind& kind : ReadBlockKinds(set)) {
        const BlockShape& shape = BlockShapeOf(kind.name);
        if (kind.fragmentCount != shape.PieceCount())
            throw std::runtime_error("Block description " + kind.path + ": fragment_count is " +
                                     std::to_string(kind.fragmentCount) + ", its model breaks into " +
                                     std::to_string(shape.PieceCount()) + " pieces");
        AddModel(set, models + kind.name + ".mlf", MakeBoxModelData(shape.min, shape.max));
        if (kind.collisionModel)
            AddModel(set, models + kind.name + "_collision.mlf", MakeBoxModelData(shape.min, shape.max));
        const std::vector<ModelFileData> pieces = BuildBlockFragments(shape);
        for (std::size_t i = 0; i < pieces.size(); ++i)
            AddModel(set, models + "fragments\\" + kind.name + "_" + TwoDigits(i) + ".mlf",
                     pieces[i]);
    }
    Random random(kCommonFragmentSeed);
    for (int i = 0; i < kCommonFragmentCount; ++i)
        AddModel(set, models + "fragments\\common\\fragment_" + std::to_string(i) + ".mlf", CommonFragment(random));
}

} // namespace Tools
