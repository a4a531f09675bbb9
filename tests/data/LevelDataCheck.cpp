#include "tests/data/LevelDataCheck.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/core/VersionedHeader.h"
#include "engine/render/ShaderDescriptor.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLValue.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <set>

namespace Testing {

namespace {

using Halvard::FileBinary;
using Halvard::FileError;
using Halvard::u32;
using Halvard::VersionedHeader;

constexpr const char* kBlocksFolder = "data\\game_objects\\blocks";
constexpr const char* kTexturesFolder = "data\\game_objects\\blocks\\textures\\";
// A name of one character and its zero, flags, two texture indices, the
// scale, the animated byte and one key frame.
constexpr u32 kLeastBlockSize = 2 + 4 + 4 + 4 + 12 + 1 + 28;
constexpr u32 kKeyFrameSize = 28;
constexpr u32 kFieldBoxSize = 88;
constexpr u32 kMaxLights = 8;
constexpr u32 kNumbersPerLight = 15;

struct Kind {
    std::string name;
    u32 frameCount = 1;
};

struct GeometryBlock {
    std::string name;
    u32 texture = 0;
};

struct Geometry {
    u32 keyFrameCount = 0;
    std::vector<std::string> textures;
    std::vector<GeometryBlock> blocks;
};

std::unique_ptr<FileBinary> OpenWhole(Halvard::Engine& engine, const std::string& path)
{
    return engine.GetFileManager()->OpenFileBinary(path, Halvard::FileAccess::kRead, Halvard::FileLoading::kWhole);
}

// The block database as the game reads it: every description in the
// blocks' folder, sorted by name, keyed by its base name.
std::vector<Kind> BlockDatabase(Halvard::Engine& engine)
{
    std::vector<std::string> files;
    engine.GetFileManager()->FindFiles(kBlocksFolder, "*.xml", files);
    std::vector<Kind> kinds;
    for (const std::string& file : files) {
        const std::string name = Halvard::GetFileName(file);
        Kind kind{name.substr(0, name.find('.'))};
        GameTools::XMLNode holder;
        GameTools::XMLParser(&engine).ParseInto(&holder, std::string(kBlocksFolder) + "\\" + name);
        std::vector<GameTools::XMLNode*> roots;
        holder.GetChildren(roots);
        const GameTools::XMLNode* shader = roots.empty() ? nullptr : roots[0]->GetChild("shader");
        const GameTools::XMLValue* frames = shader != nullptr ? shader->GetAttribute("frame_count") : nullptr;
        kind.frameCount = frames != nullptr ? static_cast<u32>(std::max(frames->GetInt(), 1)) : 1;
        kinds.push_back(kind);
    }
    std::sort(kinds.begin(), kinds.end(), [](const Kind& a, const Kind& b) { return a.name < b.name; });
    return kinds;
}

Halvard::u16 ReadUShort(FileBinary& file)
{
    Halvard::u8 bytes[2] = {};
    file.Read(bytes, 2);
    return static_cast<Halvard::u16>(bytes[0] | (bytes[1] << 8));
}

void Skip(FileBinary& file, u32 count)
{
    if (count > file.GetSize() - file.GetPosition())
        throw FileError("the file ends inside a block");
    file.Seek(2, static_cast<Halvard::i32>(count));
}

void ReadBlocks(FileBinary& file, Geometry& geometry)
{
    const u32 count = file.ReadCount(kLeastBlockSize);
    const auto tableSize = static_cast<u32>(geometry.textures.size());
    for (u32 i = 0; i < count; ++i) {
        GeometryBlock& block = geometry.blocks.emplace_back();
        file.ReadString(block.name);
        block.name = Halvard::ToLower(block.name);
        file.ReadUInt();
        block.texture = file.ReadUInt();
        const u32 opacity = file.ReadUInt();
        if (block.texture >= tableSize || opacity >= tableSize)
            throw FileError("block " + std::to_string(i) + " names a texture past the table");
        Skip(file, 12);
        const bool animated = file.ReadByte() != 0;
        Skip(file, (animated ? geometry.keyFrameCount : 1) * kKeyFrameSize);
    }
    for (u32 i = 0; i < count; ++i) {
        for (int list = 0; list < 2; ++list) {
            const u32 entries = ReadUShort(file);
            for (u32 k = 0; k < entries; ++k) {
                const u32 index = ReadUShort(file);
                if (index >= count || index == i)
                    throw FileError("block " + std::to_string(i) + " is related to block " + std::to_string(index));
            }
        }
    }
}

Geometry ReadGeometry(FileBinary& file)
{
    VersionedHeader::Read(file).Require({"TKTKG", 105, 105}, file.GetSize(), "not a level geometry file",
                                        "not level geometry version 105");
    Geometry geometry;
    geometry.keyFrameCount = file.ReadUInt();
    if (geometry.keyFrameCount == 0)
        throw FileError("no key frame");
    file.ReadFloat();
    const u32 textures = file.ReadCount(1);
    for (u32 i = 0; i < textures; ++i)
        file.ReadString(geometry.textures.emplace_back());
    ReadBlocks(file, geometry);
    if (file.GetPosition() != file.GetSize())
        throw FileError(std::to_string(file.GetSize() - file.GetPosition()) + " bytes after the relations");
    return geometry;
}

const Kind* FindKind(const std::vector<Kind>& kinds, const std::string& block)
{
    for (const Kind& kind : kinds) {
        if (block.find(kind.name) != std::string::npos)
            return &kind;
    }
    return nullptr;
}

// Whole tokens only: a reader that takes "12abc" as 12 must not be needed.
bool ReadNumber(Halvard::FileTextual& file, float& value)
{
    std::string token;
    if (!file.ReadToken(token))
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtof(token.c_str(), &end);
    if (end != token.c_str() + token.size() || errno != 0)
        throw FileError("\"" + token + "\" is not a number");
    return true;
}

} // namespace

std::vector<std::string> CheckLevelGeometryFile(Halvard::Engine& engine, const std::string& path)
{
    Geometry geometry;
    try {
        geometry = ReadGeometry(*OpenWhole(engine, path));
    } catch (const Halvard::Error& error) {
        return {path + ": " + error.GetText()};
    }
    std::vector<std::string> problems;
    if (geometry.textures.empty() || !geometry.textures[0].empty())
        problems.push_back(path + ": texture entry 0 is not \"\"");
    // Every name of the table, and every frame of a block's animated texture.
    std::set<std::string> textures(geometry.textures.begin(), geometry.textures.end());
    const std::vector<Kind> kinds = BlockDatabase(engine);
    for (std::size_t i = 0; i < geometry.blocks.size(); ++i) {
        const GeometryBlock& block = geometry.blocks[i];
        const Kind* kind = FindKind(kinds, block.name);
        if (kind == nullptr)
            problems.push_back(path + ": block " + std::to_string(i) + " \"" + block.name +
                               "\" finds no kind in the block database");
        const std::string& texture = geometry.textures[block.texture];
        for (u32 frame = 0; kind != nullptr && kind->frameCount > 1 && frame < kind->frameCount; ++frame)
            textures.insert(Halvard::NumberedName(texture, frame, Halvard::FrameDigits(kind->frameCount)));
    }
    for (const std::string& texture : textures) {
        if (!texture.empty() && !engine.GetFileManager()->FileExists(kTexturesFolder + texture))
            problems.push_back(path + ": its texture " + kTexturesFolder + texture + " does not exist");
    }
    return problems;
}

std::vector<std::string> CheckFieldFile(Halvard::Engine& engine, const std::string& path)
{
    try {
        const std::unique_ptr<FileBinary> file = OpenWhole(engine, path);
        VersionedHeader::Read(*file).Require({"TKTKF", 100, 100}, file->GetSize(), "not a field file",
                                             "not field version 100");
        const u32 count = file->ReadUInt();
        if (file->GetSize() != VersionedHeader::kSize + 4 + static_cast<Halvard::u64>(count) * kFieldBoxSize)
            return {path + ": " + std::to_string(count) + " boxes do not fill the file"};
        for (u32 i = 0; i < count; ++i) {
            float corners[6];
            for (float& value : corners)
                value = file->ReadFloat();
            Skip(*file, 64);
            if (!(corners[0] <= corners[3] && corners[1] <= corners[4] && corners[2] <= corners[5]))
                return {path + ": box " + std::to_string(i) + " has its corners swapped"};
        }
        return {};
    } catch (const Halvard::Error& error) {
        return {path + ": " + error.GetText()};
    }
}

std::vector<std::string> CheckLightingFile(Halvard::Engine& engine, const std::string& path)
{
    try {
        const std::unique_ptr<Halvard::FileTextual> file =
            engine.GetFileManager()->OpenFileTextual(path, Halvard::FileAccess::kRead);
        std::vector<float> numbers;
        for (float value = 0.0f; ReadNumber(*file, value);)
            numbers.push_back(value);
        if (numbers.size() < 4)
            return {path + ": fewer than 4 numbers"};
        const float lights = numbers[3];
        if (lights < 0.0f || lights > static_cast<float>(kMaxLights) || lights != static_cast<float>(u32(lights)))
            return {path + ": the light count is not a whole number from 0 to 8"};
        const std::size_t expected = 4 + static_cast<std::size_t>(lights) * kNumbersPerLight;
        if (numbers.size() != expected)
            return {path + ": " + std::to_string(numbers.size()) + " numbers, " + std::to_string(expected) +
                    " expected"};
        for (std::size_t i = 0; i < expected; ++i) {
            // The ambient colour, then each light's three colours after its position.
            const std::size_t inLight = (i - 4) % kNumbersPerLight;
            const bool colour = i < 3 || (i >= 4 && inLight >= 3 && inLight < 12);
            if (colour && (numbers[i] < 0.0f || numbers[i] > 255.0f))
                return {path + ": number " + std::to_string(i) + " is a colour outside 0 to 255"};
        }
        return {};
    } catch (const Halvard::Error& error) {
        return {path + ": " + error.GetText()};
    }
}

} // namespace Testing
