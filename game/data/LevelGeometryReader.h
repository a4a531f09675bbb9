#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "game/data/BlockRecord.h"

#include <string>
#include <vector>

namespace Halvard {
class FileBinary;
class FileManager;
} // namespace Halvard

namespace Tamrisk {

// A level geometry file ("TKTKG", version 105) read whole and checked: every
// count against the bytes left before anything is sized from it, every
// texture and block index against its table, and the stacks for loops (a
// block standing on itself, directly or through others, would make every
// walk down or up its stack endless). Any fault throws FileError naming the
// file. Any thread; the reader keeps nothing of the file manager.
class LevelGeometryReader {
public:
    static constexpr Halvard::u32 kVersion = 105;

    struct Block {
        // Lower-cased.
        std::string name;
        Halvard::u32 flags = 0;
        // Texture paths below the data folder; empty for none.
        std::string texture;
        std::string opacityTexture;
        Halvard::Vector3 scale{1.0f, 1.0f, 1.0f};
        std::vector<BlockKeyFrame> keyFrames;
        std::vector<Halvard::u16> supports;
        std::vector<Halvard::u16> above;
    };

    LevelGeometryReader(Halvard::FileManager* files, const std::string& path);

    Halvard::u32 GetKeyFrameCount() const { return keyFrameCount_; }
    float GetAnimationSpeed() const { return animationSpeed_; }
    std::vector<Block>& GetBlocks() { return blocks_; }

private:
    void ReadTextures(Halvard::FileBinary& file);
    void ReadBlock(Halvard::FileBinary& file);
    const std::string& ReadTexture(Halvard::FileBinary& file) const;
    void ReadRelations(Halvard::FileBinary& file, std::vector<Halvard::u16>& out) const;
    void CheckStacks(std::vector<Halvard::u16> Block::*list, const char* listName) const;
    [[noreturn]] void Fail(const std::string& what) const;
    // The text of a FileError about the file.
    std::string ErrorText(const std::string& what) const;

    std::string path_;
    Halvard::u32 keyFrameCount_ = 1;
    float animationSpeed_ = 0.0f;
    std::vector<std::string> textures_;
    std::vector<Block> blocks_;
};

} // namespace Tamrisk
