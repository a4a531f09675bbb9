#pragma once

#include "tools/ModelWriter.h"
#include "tools/data_builder/generators/level/BlockShapes.h"

#include <vector>

namespace Tools {

class DataSet;

inline constexpr int kCommonFragmentCount = 10;

// The pieces of a block's box, in file order (x fastest, then y, then z),
// each where it sat in the block, so that its world centre is its home.
std::vector<ModelFileData> BuildBlockFragments(const BlockShape& shape);

// Every kind of the block database (ReadBlockKinds) gets, below
// "data\game_objects\blocks\models\": "<name>.mlf", "<name>_collision.mlf"
// when it has a collision model, "fragments\<name>_NN.mlf" for each of its
// fragments; then the ten "fragments\common\fragment_N.mlf". Each model has
// its ".srf" beside it, without texture: the game gives a block, and its
// pieces, the block's own material. Throws std::runtime_error naming the
// description when its "fragment_count" differs from its shape's pieces.
void GenerateBlockModels(DataSet& set);

} // namespace Tools
