#pragma once

#include <array>
#include <string>

namespace Tools {

// The model of a block kind: a box standing on z = 0 around the z axis, so
// that a block placed at (x, y, z) covers x + min .. x + max and rests on z.
// Its fragments cut the box into a grid of pieces, counts along x, y and z;
// their product is the kind's "fragment_count".
struct BlockShape {
    std::array<float, 3> min{};
    std::array<float, 3> max{};
    std::array<int, 3> pieces{1, 1, 1};

    int PieceCount() const { return pieces[0] * pieces[1] * pieces[2]; }
    float Height() const { return max[2] - min[2]; }
};

// The shape of the kind of that name. Throws std::runtime_error for a kind
// the builder has no shape for.
const BlockShape& BlockShapeOf(const std::string& kindName);

} // namespace Tools
