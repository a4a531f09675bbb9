#include "tools/data_builder/DataSet.h"
#include "tools/data_builder/generators/level/FieldLayout.h"
#include "tools/data_builder/generators/level/LevelSource.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace Tools {

namespace {

using Float3 = std::array<float, 3>;

// Touching faces are no overlap; rounding in the sums is not a gap.
constexpr float kTolerance = 0.01f;
constexpr double kDegrees = 3.14159265358979323846 / 180.0;

struct Box {
    Float3 min;
    Float3 max;
};

bool Overlap(const Box& a, const Box& b, int axes)
{
    for (int axis = 0; axis < axes; ++axis) {
        if (std::min(a.max[axis], b.max[axis]) - std::max(a.min[axis], b.min[axis]) <= kTolerance)
            return false;
    }
    return true;
}

std::string Number(float value)
{
    std::ostringstream text;
    text << value;
    return text.str();
}

// The engine numbers the frames of an animated texture in the last digits
// of the name's stem, as many digits as the last frame needs.
std::string NumberedName(const std::string& name, int frame, int frameCount)
{
    const std::string number = std::to_string(frame);
    const std::size_t digits = std::to_string(frameCount - 1).size();
    const std::size_t slash = name.rfind('\\');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    std::size_t end = name.rfind('.');
    if (end == std::string::npos || end < start)
        end = name.size();
    std::string numbered = name;
    const std::size_t from = end - start >= digits ? end - digits : start;
    numbered.replace(from, end - from, std::string(digits - number.size(), '0') + number);
    return numbered;
}

class Assembly {
public:
    Assembly(const std::string& path, const LevelSource& source, const std::vector<BlockKind>& kinds,
             const DataSet& set)
        : path_(path), source_(source), kinds_(kinds), set_(set), blocks_(source.blocks)
    {
    }

    LevelGeometry Run()
    {
        CheckCounts();
        ResolveKinds();
        CheckTextures();
        CheckShapes();
        FindSupports();
        CheckCycles();
        z_.assign(blocks_.size(), -1.0f);
        for (std::size_t i = 0; i < blocks_.size(); ++i)
            BaseHeight(i);
        CheckAnimation();
        CheckPlaces();
        return Build();
    }

private:
    [[noreturn]] void Refuse(const std::string& why) const
    {
        throw std::runtime_error("Level source " + path_ + ": " + why);
    }

    [[noreturn]] void RefuseBlock(std::size_t i, const std::string& why) const { Refuse(Named(i) + " " + why); }

    std::string Named(std::size_t i) const
    {
        const BlockPlacement& block = blocks_[i];
        return "block " + std::to_string(i) + " (" + block.name + " at " + Number(block.x) + ", " +
               Number(block.y) + ")";
    }

    std::vector<Float3> Frames(std::size_t i) const
    {
        return blocks_[i].path.empty() ? std::vector<Float3>{{0.0f, 0.0f, 0.0f}} : blocks_[i].path;
    }

    // The block's box in the level at one key frame: the kind's box scaled,
    // turned about z and moved to its place.
    Box WorldBox(std::size_t i, const Float3& frame, float z) const
    {
        const BlockPlacement& block = blocks_[i];
        const BlockShape& shape = *shapes_[i];
        Float3 low{};
        Float3 high{};
        for (int axis = 0; axis < 3; ++axis) {
            low[axis] = std::min(shape.min[axis] * block.scale[axis], shape.max[axis] * block.scale[axis]);
            high[axis] = std::max(shape.min[axis] * block.scale[axis], shape.max[axis] * block.scale[axis]);
        }
        const double angle = static_cast<double>(block.angle + frame[2]) * kDegrees;
        const float c = static_cast<float>(std::cos(angle));
        const float s = static_cast<float>(std::sin(angle));
        Box box{{1e30f, 1e30f, z + low[2]}, {-1e30f, -1e30f, z + high[2]}};
        for (const float cx : {low[0], high[0]}) {
            for (const float cy : {low[1], high[1]}) {
                const float x = block.x + frame[0] + cx * c - cy * s;
                const float y = block.y + frame[1] + cx * s + cy * c;
                box.min = {std::min(box.min[0], x), std::min(box.min[1], y), box.min[2]};
                box.max = {std::max(box.max[0], x), std::max(box.max[1], y), box.max[2]};
            }
        }
        return box;
    }

    // The box at key frame k of the level's: a block that does not move is
    // where its only key frame puts it.
    Box BoxAt(std::size_t i, std::size_t k) const
    {
        const std::vector<Float3> frames = Frames(i);
        return WorldBox(i, frames[std::min(k, frames.size() - 1)], z_[i]);
    }

    void CheckCounts() const
    {
        if (blocks_.empty())
            Refuse("the level has no block");
        if (blocks_.size() > kMaxLevelBlocks)
            Refuse(std::to_string(blocks_.size()) + " blocks, more than the " + std::to_string(kMaxLevelBlocks) +
                   " a level may hold");
    }

    void ResolveKinds()
    {
        bool counting = false;
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            const BlockKind* kind = nullptr;
            try {
                kind = FindBlockKind(kinds_, blocks_[i].name);
            } catch (const std::runtime_error& error) {
                RefuseBlock(i, error.what());
            }
            if (kind == nullptr)
                RefuseBlock(i, "names no kind of the block database");
            if (blocks_[i].name.size() >= 255)
                RefuseBlock(i, "has a name too long for the file");
            kindsOf_.push_back(kind);
            shapes_.push_back(&BlockShapeOf(kind->name));
            counting = counting || kind->Counts();
        }
        if (!counting)
            Refuse("no block counts towards finishing the level: the level would end as it starts");
    }

    std::uint32_t TextureIndex(std::size_t i, const std::string& name) const
    {
        const auto found = std::find(source_.textures.begin(), source_.textures.end(), name);
        if (found == source_.textures.end())
            RefuseBlock(i, "names the texture \"" + name + "\", which the texture table does not list");
        return static_cast<std::uint32_t>(found - source_.textures.begin());
    }

    void RequireTexture(const std::string& name, const std::string& user) const
    {
        const std::string file = std::string(kBlocksFolder) + "textures\\" + name;
        if (!set_.Contains(file))
            Refuse(user + " names the texture " + file + ", which is not made");
    }

    void CheckTextures() const
    {
        if (source_.textures.empty() || !source_.textures[0].empty())
            Refuse("texture entry 0 must be \"\" (no texture)");
        for (const std::string& name : source_.textures) {
            if (!name.empty())
                RequireTexture(name, "the texture table");
        }
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            TextureIndex(i, blocks_[i].texture);
            TextureIndex(i, blocks_[i].opacity);
            const int frames = kindsOf_[i]->frameCount;
            for (int frame = 0; frame < frames && frames > 1 && !blocks_[i].texture.empty(); ++frame)
                RequireTexture(NumberedName(blocks_[i].texture, frame, frames), Named(i));
        }
    }

    void CheckShapes() const
    {
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            const Float3& scale = blocks_[i].scale;
            if (scale[0] == 0.0f || scale[1] == 0.0f || !(scale[2] > 0.0f))
                RefuseBlock(i, "has a scale that flattens it or turns it upside down");
            const float height = shapes_[i]->Height() * scale[2];
            if (height < 2.0f * kBallRadius)
                RefuseBlock(i, "is " + Number(height) + " tall: a ball rolling at z = " + Number(kBallRadius) +
                                   " would pass over it");
        }
    }

    void FindSupports()
    {
        supports_.assign(blocks_.size(), {});
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            for (const std::string& id : blocks_[i].on)
                AddSupportsOf(i, id);
            if (!blocks_[i].on.empty() && supports_[i].empty())
                RefuseBlock(i, "stands on nothing: no block it is put on lies under it");
        }
    }

    void AddSupportsOf(std::size_t i, const std::string& id)
    {
        bool known = false;
        for (std::size_t j = 0; j < blocks_.size(); ++j) {
            if (blocks_[j].id != id)
                continue;
            known = true;
            if (j == i)
                RefuseBlock(i, "stands on itself");
            const bool under = Overlap(WorldBox(i, {0.0f, 0.0f, 0.0f}, 0.0f), WorldBox(j, {0.0f, 0.0f, 0.0f}, 0.0f), 2);
            if (under && std::find(supports_[i].begin(), supports_[i].end(), j) == supports_[i].end())
                supports_[i].push_back(j);
        }
        if (!known)
            RefuseBlock(i, "is put on \"" + id + "\", which no block or grid is called");
    }

    void CheckCycles() const
    {
        // 0 not seen, 1 on the current walk down the supports, 2 done.
        std::vector<int> state(blocks_.size(), 0);
        for (std::size_t i = 0; i < blocks_.size(); ++i)
            Visit(i, state);
    }

    void Visit(std::size_t i, std::vector<int>& state) const
    {
        if (state[i] == 2)
            return;
        if (state[i] == 1)
            RefuseBlock(i, "is among the supports of its own supports: a cycle");
        state[i] = 1;
        for (std::size_t j : supports_[i])
            Visit(j, state);
        state[i] = 2;
    }

    // 0 on the field, else the top of its supports, which must agree.
    float BaseHeight(std::size_t i)
    {
        if (z_[i] >= 0.0f)
            return z_[i];
        float z = 0.0f;
        for (std::size_t k = 0; k < supports_[i].size(); ++k) {
            const std::size_t j = supports_[i][k];
            const float top = BaseHeight(j) + shapes_[j]->Height() * blocks_[j].scale[2];
            if (k > 0 && std::fabs(top - z) > kTolerance)
                RefuseBlock(i, "stands on blocks whose tops differ (" + Number(z) + " and " + Number(top) + ")");
            z = top;
        }
        z_[i] = z;
        return z;
    }

    void CheckAnimation() const
    {
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            if (blocks_[i].path.empty())
                continue;
            if (source_.keyFrameCount < 2 || !(source_.animationSpeed > 0.0f))
                RefuseBlock(i, "moves, but the level has fewer than 2 key frames or no animation speed");
            if (blocks_[i].path.size() != source_.keyFrameCount)
                RefuseBlock(i, "has " + std::to_string(blocks_[i].path.size()) + " key frames, the level " +
                                   std::to_string(source_.keyFrameCount));
            for (std::size_t j = 0; j < blocks_.size(); ++j) {
                if (j != i && std::find(supports_[j].begin(), supports_[j].end(), i) != supports_[j].end())
                    RefuseBlock(i, "moves and carries " + Named(j));
            }
            if (!supports_[i].empty())
                RefuseBlock(i, "moves and stands on other blocks");
        }
    }

    void CheckPlaces() const
    {
        for (std::size_t k = 0; k < source_.keyFrameCount; ++k) {
            std::vector<Box> boxes;
            for (std::size_t i = 0; i < blocks_.size(); ++i) {
                const Box box = BoxAt(i, k);
                if (box.min[0] < -kBlockAreaX || box.max[0] > kBlockAreaX || box.min[1] < kBlockAreaNearY ||
                    box.max[1] > kBlockAreaFarY)
                    RefuseBlock(i, "reaches out of the block area (x " + Number(-kBlockAreaX) + " to " +
                                       Number(kBlockAreaX) + ", y " + Number(kBlockAreaNearY) + " to " +
                                       Number(kBlockAreaFarY) + ")");
                for (std::size_t j = 0; j < boxes.size(); ++j) {
                    if (Overlap(box, boxes[j], 3))
                        RefuseBlock(i, "overlaps " + Named(j) + " at key frame " + std::to_string(k));
                }
                boxes.push_back(box);
            }
        }
    }

    LevelGeometry Build() const
    {
        LevelGeometry geometry;
        geometry.keyFrameCount = source_.keyFrameCount;
        geometry.animationSpeed = source_.animationSpeed;
        geometry.textures = source_.textures;
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            const BlockPlacement& placed = blocks_[i];
            LevelBlock block;
            block.name = placed.name;
            block.flags = placed.flags;
            block.texture = TextureIndex(i, placed.texture);
            block.opacityTexture = TextureIndex(i, placed.opacity);
            block.scale = placed.scale;
            block.animated = !placed.path.empty();
            for (const Float3& frame : Frames(i)) {
                const double half = static_cast<double>(placed.angle + frame[2]) * kDegrees / 2.0;
                block.keyFrames.push_back({{placed.x + frame[0], placed.y + frame[1], z_[i]},
                                           {0.0f, 0.0f, static_cast<float>(std::sin(half)),
                                            static_cast<float>(std::cos(half))}});
            }
            for (std::size_t j : supports_[i])
                block.supports.push_back(static_cast<std::uint16_t>(j));
            geometry.blocks.push_back(block);
        }
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            for (std::uint16_t j : geometry.blocks[i].supports)
                geometry.blocks[j].above.push_back(static_cast<std::uint16_t>(i));
        }
        return geometry;
    }

    const std::string& path_;
    const LevelSource& source_;
    const std::vector<BlockKind>& kinds_;
    const DataSet& set_;
    const std::vector<BlockPlacement>& blocks_;
    std::vector<const BlockKind*> kindsOf_;
    std::vector<const BlockShape*> shapes_;
    std::vector<std::vector<std::size_t>> supports_;
    std::vector<float> z_;
};

} // namespace

LevelGeometry AssembleLevel(const std::string& path, const LevelSource& source, const std::vector<BlockKind>& kinds,
                            const DataSet& set)
{
    return Assembly(path, source, kinds, set).Run();
}

} // namespace Tools
