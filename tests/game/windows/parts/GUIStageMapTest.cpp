#include "game/windows/parts/GUIStageMap.h"

#include "engine/core/Error.h"
#include "tests/support/FakeEngine.h"
#include "tools/StageMapWriter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using Halvard::FileError;
using Tamrisk::GUIStageMap;
using ::testing::HasSubstr;

namespace {

using Bytes = std::vector<std::uint8_t>;

Tools::StageMapElement Element(std::uint32_t kind, float x = 0.0f, float y = 0.0f)
{
    Tools::StageMapElement element;
    element.kind = kind;
    element.placement[3] = x;
    element.placement[7] = y;
    return element;
}

class GUIStageMapFile : public ::testing::Test {
protected:
    GUIStageMapFile() { engine.Start(); }

    GUIStageMap Read(const Bytes& bytes)
    {
        engine.folder.WriteFile(GUIStageMap::kPath, std::string(bytes.begin(), bytes.end()));
        return GUIStageMap(&engine.Get());
    }

    Testing::FakeEngine engine;
};

TEST_F(GUIStageMapFile, ElementsComeBackInOrderNumberedByStageAndLevel)
{
    struct Expected {
        std::uint32_t kind, stage, level;
    };
    // Two stages of three levels, then the finish.
    const std::vector<Expected> expected = {{0, 0, 0}, {3, 0, 1}, {3, 0, 2}, {2, 1, 0},
                                            {3, 1, 1}, {3, 1, 2}, {1, 1, 3}};
    std::vector<Tools::StageMapElement> written;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        written.push_back(Element(expected[i].kind, 100.0f + 50.0f * static_cast<float>(i), 300.0f - 7.5f));
        written.back().placement[0] = 1.5f;
        written.back().placement[15] = 1.0f;
    }
    const GUIStageMap map = Read(Tools::BuildStageMapFile(written));
    ASSERT_EQ(map.GetElements().size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const GUIStageMap::Element& element = map.GetElements()[i];
        EXPECT_EQ(element.kind, expected[i].kind) << i;
        EXPECT_EQ(element.stage, expected[i].stage) << i;
        EXPECT_EQ(element.level, expected[i].level) << i;
        for (std::size_t k = 0; k < 16; ++k)
            EXPECT_EQ(element.placement.m[k], written[i].placement[k]) << i << ", " << k;
    }
}

TEST_F(GUIStageMapFile, AFirstCheckPointIsLevelZeroOfStageOne)
{
    const GUIStageMap map = Read(Tools::BuildStageMapFile({Element(2), Element(3), Element(1)}));
    ASSERT_EQ(map.GetElements().size(), 3u);
    EXPECT_EQ(map.GetElements()[0].stage, 1u);
    EXPECT_EQ(map.GetElements()[0].level, 0u);
    EXPECT_EQ(map.GetElements()[2].stage, 1u);
    EXPECT_EQ(map.GetElements()[2].level, 2u);
}

TEST_F(GUIStageMapFile, DamagedFilesAreFileErrorsNamingTheFile)
{
    const std::vector<Tools::StageMapElement> elements = {Element(0), Element(3), Element(1)};
    const Bytes sound = Tools::BuildStageMapFile(elements);
    std::vector<std::pair<std::string, Bytes>> cases;
    for (const std::uint32_t count : {4u, 0x3C3C3C3Du, 0x7FFFFFFFu, 0xFFFFFFFFu})
        cases.emplace_back("count " + std::to_string(count), Tools::BuildStageMapFile(elements, 100, &count));
    cases.emplace_back("version 101", Tools::BuildStageMapFile(elements, 101));
    for (const std::uint32_t kind : {4u, 0xFFFFFFFFu})
        cases.emplace_back("kind " + std::to_string(kind),
                           Tools::BuildStageMapFile({Element(0), Element(kind), Element(1)}));
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
            EXPECT_THAT(error.GetText(), HasSubstr(GUIStageMap::kPath)) << name;
        }
    }
}

TEST_F(GUIStageMapFile, AMissingMapIsAFileErrorNamingIt)
{
    try {
        GUIStageMap map(&engine.Get());
        ADD_FAILURE() << "read";
    } catch (const FileError& error) {
        EXPECT_THAT(error.GetText(), HasSubstr(GUIStageMap::kPath));
    }
}

} // namespace
