#include "game/level/GameField.h"

#include "engine/app/Engine.h"
#include "engine/core/FileBinary.h"
#include "game_tools/VersionedFile.h"

namespace Tamrisk {

using namespace Halvard;

namespace {

constexpr const char* kMagic = "TKTKF";
constexpr u32 kVersion = 100;
constexpr const char* kFolder = "data\\environment\\";
// Two corners and a 4 x 4 matrix of floats.
constexpr u32 kBoxSize = (3 + 3 + 16) * 4;
// Room below the lowest wall, so that a ball falling out of the field is
// lost before it leaves the bounds.
constexpr float kBottomMargin = 40.0f;
constexpr float kDepthReach = 1000.0f;
constexpr float kEmptyReach = 200.0f;

} // namespace

GameField::GameField(Engine* engine, const std::string& fileName)
{
    GameTools::VersionedFile versioned(engine, kMagic, kVersion);
    versioned.Open(kFolder + fileName, FileAccess::kRead);
    FileBinary& file = *versioned.GetFile();
    const u32 count = file.ReadCount(kBoxSize);
    walls_.reserve(count);
    for (u32 i = 0; i < count; ++i) {
        Wall wall;
        const Vector3 min = file.ReadVector3();
        const Vector3 max = file.ReadVector3();
        for (float& element : wall.transform.m)
            element = file.ReadFloat();
        wall.box.SetMinMax(min, max);
        wall.placedBox = wall.box;
        wall.placedBox.SetTransform(wall.transform);
        walls_.push_back(wall);
    }
    versioned.Close();
    ComputeBounds();
}

void GameField::ComputeBounds()
{
    if (walls_.empty()) {
        bounds_.SetMinMax(Vector3(-kEmptyReach), Vector3(kEmptyReach));
        return;
    }
    BoundingBox merged = walls_.front().placedBox;
    for (size_t i = 1; i < walls_.size(); ++i)
        merged.Merge(walls_[i].placedBox);
    const Vector3& min = merged.GetWorldMin();
    const Vector3& max = merged.GetWorldMax();
    bounds_.SetMinMax(Vector3(min.x, min.y - kBottomMargin, -kDepthReach), Vector3(max.x, max.y, kDepthReach));
}

} // namespace Tamrisk
