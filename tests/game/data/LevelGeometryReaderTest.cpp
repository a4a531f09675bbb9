#include "game/data/LevelGeometryReader.h"

#include "engine/core/Error.h"
#include "tests/support/FakeEngine.h"
#include "tools/LevelGeometryWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <limits>

using Halvard::FileError;
using Tamrisk::LevelGeometryReader;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

constexpr const char* kPath = "data\\levels_geometry\\01_02.tkg";
constexpr std::size_t kHeaderSize = 13;

using Bytes = std::vector<std::uint8_t>;

Tools::LevelBlock Block(std::vector<std::uint16_t> supports, std::vector<std::uint16_t> above)
{
    Tools::LevelBlock block;
    block.name = "brick";
    block.texture = 1;
    block.keyFrames.resize(1);
    block.supports = std::move(supports);
    block.above = std::move(above);
    return block;
}

// Three blocks: 0 stands on 1 and 2, which both stand on nothing; block 2
// moves along the level's two key frames.
Tools::LevelGeometry Sound()
{
    Tools::LevelGeometry geometry;
    geometry.keyFrameCount = 2;
    geometry.textures = {"", "brick.tga"};
    geometry.blocks = {Block({1, 2}, {}), Block({}, {0}), Block({}, {0})};
    geometry.blocks[2].animated = true;
    geometry.blocks[2].keyFrames.resize(2);
    return geometry;
}

void PutUInt(Bytes& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes.at(at + i) = static_cast<std::uint8_t>(value >> (8 * i));
}

// The header's total size follows the bytes, so that the body's own reading
// meets the fault.
Bytes Truncated(Bytes bytes, std::size_t length)
{
    bytes.resize(length);
    PutUInt(bytes, 0, static_cast<std::uint32_t>(length));
    return bytes;
}

class LevelGeometryFile : public ::testing::Test {
protected:
    LevelGeometryFile() { engine.Start(); }

    LevelGeometryReader Read(const Bytes& bytes)
    {
        engine.folder.WriteFile(kPath, std::string(bytes.begin(), bytes.end()));
        return LevelGeometryReader(engine->GetFileManager(), kPath);
    }

    // The text of the FileError, or "" when the file was read.
    std::string ErrorOf(const Bytes& bytes)
    {
        try {
            Read(bytes);
        } catch (const FileError& error) {
            return error.GetText();
        }
        return "";
    }

    Testing::FakeEngine engine;
};

TEST_F(LevelGeometryFile, ASoundFileIsReadWhole)
{
    LevelGeometryReader reader = Read(Tools::BuildLevelGeometryFile(Sound()));
    EXPECT_EQ(reader.GetKeyFrameCount(), 2u);
    const auto& blocks = reader.GetBlocks();
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_EQ(blocks[0].texture, "game_objects\\blocks\\textures\\brick.tga");
    EXPECT_EQ(blocks[0].opacityTexture, "");
    EXPECT_THAT(blocks[0].supports, ElementsAre(1, 2));
    EXPECT_THAT(blocks[2].above, ElementsAre(0));
    EXPECT_EQ(blocks[1].keyFrames.size(), 1u);
    EXPECT_EQ(blocks[2].keyFrames.size(), 2u);
}

TEST_F(LevelGeometryFile, EveryTruncationIsAFileErrorNamingTheFile)
{
    const Bytes sound = Tools::BuildLevelGeometryFile(Sound());
    for (std::size_t length = 0; length < sound.size(); ++length) {
        const Bytes cut(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THAT(ErrorOf(cut), HasSubstr(kPath)) << length;
        if (length >= kHeaderSize) {
            EXPECT_THAT(ErrorOf(Truncated(sound, length)), HasSubstr(kPath)) << length;
        }
    }
}

TEST_F(LevelGeometryFile, BadIndicesLoopsAndSpeedsAreFileErrorsNamingTheFile)
{
    using Edit = std::function<void(Tools::LevelGeometry&)>;
    const std::pair<const char*, Edit> cases[] = {
        {"no key frame", [](auto& g) { g.keyFrameCount = 0; }},
        {"texture index", [](auto& g) { g.blocks[1].texture = 2; }},
        {"opacity texture index", [](auto& g) { g.blocks[2].opacityTexture = 0xFFFFFFFF; }},
        {"support index", [](auto& g) { g.blocks[0].supports = {1, 3}; }},
        {"above index", [](auto& g) { g.blocks[2].above = {0xFFFF}; }},
        {"standing on itself", [](auto& g) { g.blocks[1].supports = {1}; }},
        {"a loop of supports", [](auto& g) { g.blocks[1].supports = {0}; }},
        {"a loop of blocks above", [](auto& g) { g.blocks[0].above = {2}; }},
        {"above itself", [](auto& g) { g.blocks[2].above = {0, 2}; }},
        {"infinite animation speed", [](auto& g) { g.animationSpeed = std::numeric_limits<float>::infinity(); }},
        {"animation speed not a number", [](auto& g) { g.animationSpeed = std::numeric_limits<float>::quiet_NaN(); }},
    };
    for (const auto& [name, edit] : cases) {
        Tools::LevelGeometry geometry = Sound();
        edit(geometry);
        EXPECT_THAT(ErrorOf(Tools::BuildLevelGeometryFile(geometry)), HasSubstr(kPath)) << name;
    }
}

TEST_F(LevelGeometryFile, CountsBeyondTheBytesLeftAreFileErrorsNamingTheFile)
{
    const Bytes sound = Tools::BuildLevelGeometryFile(Sound());
    // Where the sound file keeps its counts: the texture names "" and
    // "brick.tga" take a count byte, their characters and a zero each.
    const std::size_t keyFrames = kHeaderSize;
    const std::size_t textures = keyFrames + 8;
    const std::size_t blocks = textures + 4 + 2 + 11;
    const std::pair<const char*, std::function<void(Bytes&)>> cases[] = {
        {"key frames", [](Bytes& b) { PutUInt(b, keyFrames, 0x10000000); }},
        {"textures", [](Bytes& b) { PutUInt(b, textures, 0xFFFFFFFF); }},
        {"blocks", [](Bytes& b) { PutUInt(b, blocks, 0x7FFFFFFF); }},
        // The last block's list of blocks above: its count, then one index.
        {"blocks above", [](Bytes& b) { b[b.size() - 4] = b[b.size() - 3] = 0xFF; }},
    };
    for (const auto& [name, patch] : cases) {
        Bytes bytes = sound;
        patch(bytes);
        EXPECT_THAT(ErrorOf(bytes), HasSubstr(kPath)) << name;
    }
}

} // namespace
