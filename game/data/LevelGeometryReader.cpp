#include "game/data/LevelGeometryReader.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/LittleEndian.h"
#include "engine/core/StringUtils.h"
#include "engine/render/AnimationControl.h"
#include "game_tools/VersionedFile.h"

namespace Tamrisk {

using namespace Halvard;

namespace {

constexpr const char* kMagic = "TKTKG";
constexpr const char* kTextureFolder = "game_objects\\blocks\\textures\\";
// Position and rotation quaternion.
constexpr u32 kKeyFrameSize = 7 * 4;
constexpr u32 kIndexSize = 2;
// The name's count byte, flags, two texture indices, scale, the animated
// flag, one key frame; then the two relation counts after all blocks.
constexpr u32 kLeastBlockSize = 1 + 4 + 4 + 4 + 3 * 4 + 1 + kKeyFrameSize + 2 * kIndexSize;

u32 BytesLeft(const FileBinary& file)
{
    return file.GetPosition() < file.GetSize() ? file.GetSize() - file.GetPosition() : 0;
}

u16 ReadShort(FileBinary& file)
{
    u8 bytes[2];
    file.Read(bytes, 2);
    return ReadLittleEndian16(bytes);
}

BlockKeyFrame ReadKeyFrame(FileBinary& file)
{
    BlockKeyFrame frame;
    frame.position = file.ReadVector3();
    frame.rotation.x = file.ReadFloat();
    frame.rotation.y = file.ReadFloat();
    frame.rotation.z = file.ReadFloat();
    frame.rotation.w = file.ReadFloat();
    return frame;
}

} // namespace

LevelGeometryReader::LevelGeometryReader(FileManager* files, const std::string& path)
{
    GameTools::VersionedFile versioned(files, kMagic, kVersion);
    versioned.Open(path, FileAccess::kRead);
    FileBinary& file = *versioned.GetFile();
    path_ = file.GetName();
    keyFrameCount_ = file.ReadUInt();
    if (keyFrameCount_ == 0)
        Fail("Incorrect key frame count 0");
    animationSpeed_ = AnimationControl::CheckSpeed(file.ReadFloat(), ErrorText("Incorrect animation speed"));
    ReadTextures(file);
    const u32 count = file.ReadCount(kLeastBlockSize);
    blocks_.reserve(count);
    for (u32 i = 0; i < count; ++i)
        ReadBlock(file);
    for (Block& block : blocks_) {
        ReadRelations(file, block.supports);
        ReadRelations(file, block.above);
    }
    versioned.Close();
    CheckStacks(&Block::supports, "supports");
    CheckStacks(&Block::above, "blocks above");
}

void LevelGeometryReader::Fail(const std::string& what) const { throw FileError(ErrorText(what)); }

std::string LevelGeometryReader::ErrorText(const std::string& what) const
{
    return what + " in \"" + path_ + "\" file";
}

void LevelGeometryReader::ReadTextures(FileBinary& file)
{
    // A name takes at least its count byte.
    const u32 count = file.ReadCount(1);
    textures_.reserve(count);
    for (u32 i = 0; i < count; ++i) {
        std::string name;
        file.ReadString(name);
        textures_.push_back(name.empty() ? name : kTextureFolder + name);
    }
}

const std::string& LevelGeometryReader::ReadTexture(FileBinary& file) const
{
    const u32 index = file.ReadUInt();
    if (index >= textures_.size())
        Fail("Incorrect texture index " + UIntToString(index) + " of " +
             UIntToString(static_cast<u32>(textures_.size())) + " textures");
    return textures_[index];
}

void LevelGeometryReader::ReadBlock(FileBinary& file)
{
    Block block;
    file.ReadString(block.name);
    block.name = ToLower(block.name);
    block.flags = file.ReadUInt();
    block.texture = ReadTexture(file);
    block.opacityTexture = ReadTexture(file);
    block.scale = file.ReadVector3();
    const u32 frames = file.ReadByte() != 0 ? keyFrameCount_ : 1;
    if (static_cast<u64>(frames) * kKeyFrameSize > BytesLeft(file))
        Fail("Incorrect key frame count " + UIntToString(frames) + ": " + UIntToString(BytesLeft(file)) +
             " bytes left");
    block.keyFrames.reserve(frames);
    for (u32 i = 0; i < frames; ++i)
        block.keyFrames.push_back(ReadKeyFrame(file));
    blocks_.push_back(std::move(block));
}

void LevelGeometryReader::ReadRelations(FileBinary& file, std::vector<u16>& out) const
{
    const u16 count = ReadShort(file);
    if (static_cast<u32>(count) * kIndexSize > BytesLeft(file))
        Fail("Incorrect count " + UIntToString(count) + ": " + UIntToString(BytesLeft(file)) + " bytes left");
    out.reserve(count);
    for (u16 i = 0; i < count; ++i) {
        const u16 index = ReadShort(file);
        if (index >= blocks_.size())
            Fail("Incorrect block index " + UIntToString(index) + " of " +
                 UIntToString(static_cast<u32>(blocks_.size())) + " blocks");
        out.push_back(index);
    }
}

// Depth-first over the list's links without recursion, so that a deep but
// sound stack of many blocks costs no call stack: a link back to a block
// still on the path closes a loop.
void LevelGeometryReader::CheckStacks(std::vector<u16> Block::*list, const char* listName) const
{
    enum : u8 { kUnseen, kOnPath, kDone };
    std::vector<u8> state(blocks_.size(), kUnseen);
    // Each entry: a block on the path and how many of its links were taken.
    std::vector<std::pair<u16, size_t>> path;
    for (size_t start = 0; start < blocks_.size(); ++start) {
        if (state[start] != kUnseen)
            continue;
        state[start] = kOnPath;
        path.emplace_back(static_cast<u16>(start), 0);
        while (!path.empty()) {
            auto& [block, taken] = path.back();
            const std::vector<u16>& links = blocks_[block].*list;
            if (taken == links.size()) {
                state[block] = kDone;
                path.pop_back();
                continue;
            }
            const u16 next = links[taken++];
            if (state[next] == kOnPath)
                Fail("Block " + UIntToString(next) + " is among its own " + listName);
            if (state[next] == kUnseen) {
                state[next] = kOnPath;
                path.emplace_back(next, 0);
            }
        }
    }
}

} // namespace Tamrisk
