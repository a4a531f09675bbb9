#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"

#include <string>
#include <vector>

namespace Halvard {
class Engine;
}

namespace Tamrisk {

// The walls of the playing field, read from a field file below
// "data\environment\", and the bounds that enclose the play area. Never
// changes after construction.
class GameField {
public:
    struct Wall {
        // In the wall's own frame, and placed in the level.
        Halvard::BoundingBox box;
        Halvard::BoundingBox placedBox;
        Halvard::Matrix4 transform;
    };

    // Throws FileError, naming the file, for a missing or damaged file.
    GameField(Halvard::Engine* engine, const std::string& fileName);
    GameField(const GameField&) = delete;
    GameField& operator=(const GameField&) = delete;
    virtual ~GameField() = default;

    const std::vector<Wall>& GetWalls() const { return walls_; }
    const Halvard::BoundingBox& GetBounds() const { return bounds_; }

private:
    void ComputeBounds();

    std::vector<Wall> walls_;
    Halvard::BoundingBox bounds_;
};

} // namespace Tamrisk
