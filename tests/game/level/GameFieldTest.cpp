#include "game/level/GameField.h"

#include "engine/core/Error.h"
#include "tests/support/FakeEngine.h"
#include "tools/FieldWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using Halvard::FileError;
using Halvard::Vector3;
using Tamrisk::GameField;
using ::testing::HasSubstr;

namespace {

constexpr const char* kPath = "data\\environment\\field.tkf";

using Bytes = std::vector<std::uint8_t>;

Tools::FieldBox Box(std::array<float, 3> min, std::array<float, 3> max, std::array<float, 3> offset = {0, 0, 0})
{
    Tools::FieldBox box;
    box.min = min;
    box.max = max;
    box.transform[3] = offset[0];
    box.transform[7] = offset[1];
    box.transform[11] = offset[2];
    return box;
}

void ExpectVector(const Vector3& actual, const Vector3& expected)
{
    EXPECT_FLOAT_EQ(actual.x, expected.x);
    EXPECT_FLOAT_EQ(actual.y, expected.y);
    EXPECT_FLOAT_EQ(actual.z, expected.z);
}

class GameFieldFile : public ::testing::Test {
protected:
    GameFieldFile() { engine.Start(); }

    GameField Read(const Bytes& bytes)
    {
        engine.folder.WriteFile(kPath, std::string(bytes.begin(), bytes.end()));
        return GameField(&engine.Get(), "field.tkf");
    }

    Testing::FakeEngine engine;
};

TEST_F(GameFieldFile, WithoutWallsTheBoundsReach200EveryWay)
{
    const GameField field = Read(Tools::BuildFieldFile({}));
    EXPECT_TRUE(field.GetWalls().empty());
    ExpectVector(field.GetBounds().GetWorldMin(), Vector3(-200.0f));
    ExpectVector(field.GetBounds().GetWorldMax(), Vector3(200.0f));
}

TEST_F(GameFieldFile, TheBoundsEnclosePlacedWallsReach40BelowTheLowestAndSpanTheDepth)
{
    // A far wall, and a side wall placed 85 to the left and 30 down.
    const GameField field = Read(Tools::BuildFieldFile(
        {Box({-90.0f, 120.0f, -5.0f}, {90.0f, 130.0f, 20.0f}), Box({-5.0f, -70.0f, 0.0f}, {5.0f, 100.0f, 30.0f},
                                                                     {-85.0f, -30.0f, 2.0f})}));
    ASSERT_EQ(field.GetWalls().size(), 2u);
    const GameField::Wall& side = field.GetWalls()[1];
    ExpectVector(side.box.GetWorldMin(), Vector3(-5.0f, -70.0f, 0.0f));
    ExpectVector(side.placedBox.GetWorldMin(), Vector3(-90.0f, -100.0f, 2.0f));
    ExpectVector(side.placedBox.GetWorldMax(), Vector3(-80.0f, 70.0f, 32.0f));
    EXPECT_FLOAT_EQ(side.transform.m[3], -85.0f);
    ExpectVector(field.GetBounds().GetWorldMin(), Vector3(-90.0f, -140.0f, -1000.0f));
    ExpectVector(field.GetBounds().GetWorldMax(), Vector3(90.0f, 130.0f, 1000.0f));
}

TEST_F(GameFieldFile, DamagedFilesAreFileErrorsNamingTheFile)
{
    const std::vector<Tools::FieldBox> boxes = {Box({0, 0, 0}, {1, 1, 1}), Box({0, 0, 0}, {2, 2, 2})};
    const Bytes sound = Tools::BuildFieldFile(boxes);
    std::vector<std::pair<std::string, Bytes>> cases;
    for (const std::uint32_t count : {3u, 0x7FFFFFFFu, 0xFFFFFFFFu})
        cases.emplace_back("count " + std::to_string(count), Tools::BuildFieldFile(boxes, 100, &count));
    cases.emplace_back("version", Tools::BuildFieldFile(boxes, 101));
    for (std::size_t length = 0; length < sound.size(); ++length) {
        Bytes cut(sound.begin(), sound.begin() + static_cast<std::ptrdiff_t>(length));
        cases.emplace_back("cut at " + std::to_string(length), cut);
        // With the header's size following the cut, the body meets it.
        if (length >= 13) {
            for (int i = 0; i < 4; ++i)
                cut[i] = static_cast<std::uint8_t>(length >> (8 * i));
            cases.emplace_back("cut at " + std::to_string(length) + ", header told", cut);
        }
    }
    for (const auto& [name, bytes] : cases) {
        try {
            Read(bytes);
            ADD_FAILURE() << name << ": read";
        } catch (const FileError& error) {
            EXPECT_THAT(error.GetText(), HasSubstr(kPath)) << name;
        }
    }
}

TEST_F(GameFieldFile, AMissingFileIsAFileError)
{
    EXPECT_THROW(GameField(&engine.Get(), "missing.tkf"), FileError);
}

} // namespace
