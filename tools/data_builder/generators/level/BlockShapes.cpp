#include "tools/data_builder/generators/level/BlockShapes.h"

#include <map>
#include <stdexcept>

namespace Tools {

namespace {

// Bricks are 10 x 5 x 4: a ball of radius 1.5 rolling at z = 1.5 meets
// their sides, and twelve fit side by side between the walls. Ball keepers
// are 7 x 7 x 6 cages, roomy enough for the ball they hold.
constexpr BlockShape kBrick{{-5.0f, -2.5f, 0.0f}, {5.0f, 2.5f, 4.0f}, {2, 1, 2}};
constexpr BlockShape kHardBrick{{-5.0f, -2.5f, 0.0f}, {5.0f, 2.5f, 4.0f}, {3, 1, 2}};
constexpr BlockShape kKeeper{{-3.5f, -3.5f, 0.0f}, {3.5f, 3.5f, 6.0f}, {2, 2, 1}};

const std::map<std::string, BlockShape>& Shapes()
{
    static const std::map<std::string, BlockShape> shapes = {
        {"brick_explosive", kBrick}, {"brick_ghost", kBrick},    {"brick_hard", kHardBrick},
        {"brick_simple", kBrick},    {"brick_steel", kBrick},    {"keeper_simple", kKeeper},
        {"keeper_super", kKeeper},
    };
    return shapes;
}

} // namespace

const BlockShape& BlockShapeOf(const std::string& kindName)
{
    const auto found = Shapes().find(kindName);
    if (found == Shapes().end())
        throw std::runtime_error("no model shape is known for the block kind " + kindName);
    return found->second;
}

} // namespace Tools
