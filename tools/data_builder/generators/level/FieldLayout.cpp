#include "tools/data_builder/generators/level/FieldLayout.h"

#include "tools/data_builder/DataSet.h"

namespace Tools {

namespace {

// Row-major, the translation in elements 3, 7 and 11.
constexpr int kTranslationX = 3;
constexpr int kTranslationY = 7;
constexpr int kTranslationZ = 11;

} // namespace

std::vector<FieldBox> FieldWalls()
{
    FieldBox left;
    left.min = {-kWallOuterX, kWallNearY, 0.0f};
    left.max = {-kWallInnerX, kWallFarY, kWallHeight};
    FieldBox right;
    right.min = {kWallInnerX, kWallNearY, 0.0f};
    right.max = {kWallOuterX, kWallFarY, kWallHeight};
    const float halfDepth = (kWallFarY - kFarWallInnerY) / 2.0f;
    FieldBox far;
    far.min = {-kWallOuterX, -halfDepth, 0.0f};
    far.max = {kWallOuterX, halfDepth, kWallHeight};
    far.transform[kTranslationY] = kFarWallInnerY + halfDepth;
    return {left, right, far};
}

std::array<std::array<float, 3>, 2> PlacedWall(const FieldBox& wall)
{
    const std::array<float, 3> shift{wall.transform[kTranslationX], wall.transform[kTranslationY],
                                     wall.transform[kTranslationZ]};
    std::array<std::array<float, 3>, 2> corners{wall.min, wall.max};
    for (std::array<float, 3>& corner : corners) {
        for (int axis = 0; axis < 3; ++axis)
            corner[axis] += shift[axis];
    }
    return corners;
}

void GenerateField(DataSet& set)
{
    set.Add("data\\environment\\field.tkf", BuildFieldFile(FieldWalls()));
}

} // namespace Tools
