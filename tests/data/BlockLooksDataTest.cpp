#include "engine/core/FileManager.h"
#include "engine/core/Image.h"
#include "game/LevelManager.h"
#include "tests/data/BuiltData.h"
#include "tests/support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Halvard::u32;

constexpr const char* kBlocks = "data\\game_objects\\blocks";
constexpr const char* kTextures = "data\\game_objects\\blocks\\textures";

// Two looks read as different from the level camera's distance when their
// mean colours lie at least this far apart (red, green and blue from 0 to
// 1, straight-line distance): a fifth of full brightness on one channel.
constexpr float kMargin = 0.2f;
// Each hit on a hard brick darkens it by at least this much mean brightness.
constexpr float kDamageStep = 0.08f;

// The textures the levels dress each kind in.
const std::map<std::string, std::vector<std::string>>& KindTextures()
{
    static const std::map<std::string, std::vector<std::string>> textures = {
        {"brick_simple", {"brick_simple.tga", "brick_simple_blue.tga"}},
        {"brick_hard", {"brick_hard_0.tga", "brick_hard_1.tga", "brick_hard_2.tga"}},
        {"brick_steel", {"brick_steel.tga"}},
        {"brick_explosive", {"brick_explosive.tga"}},
        {"brick_ghost", {"brick_ghost.tga"}},
        {"keeper_simple", {"keeper_simple.tga"}},
        {"keeper_super", {"keeper_super.tga"}},
    };
    return textures;
}

using Rgb = std::array<float, 3>;

float Distance(const Rgb& a, const Rgb& b)
{
    return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

float Brightness(const Rgb& c) { return (c[0] + c[1] + c[2]) / 3.0f; }

std::string BaseName(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// The block kinds and the stages' walls as the built folder ships them,
// through the engine's own readers.
class BlockLooksData : public ::testing::Test {
protected:
    // What shows of the picture: the mean colour, each pixel weighed by its
    // opacity.
    Rgb MeanColour(const std::string& path)
    {
        Halvard::Image image;
        EXPECT_TRUE(image.Load(engine->GetMessageManager(), engine->GetFileManager(), path)) << path;
        const u32 bytes = image.GetBitsPerPixel() / 8;
        if (image.IsEmpty() || bytes < 3)
            return {-1.0f, -1.0f, -1.0f};
        Rgb sum{};
        float weight = 0.0f;
        const std::size_t pixels = static_cast<std::size_t>(image.GetWidth()) * image.GetHeight();
        for (std::size_t i = 0; i < pixels; ++i) {
            const Halvard::u8* pixel = image.GetData() + i * bytes;
            const float alpha = bytes == 4 ? pixel[3] / 255.0f : 1.0f;
            for (std::size_t c = 0; c < 3; ++c)
                sum[c] += alpha * pixel[c] / 255.0f;
            weight += alpha;
        }
        return {sum[0] / weight, sum[1] / weight, sum[2] / weight};
    }

    std::set<std::string> Listed(const std::string& folder, const std::string& mask)
    {
        std::vector<std::string> files;
        engine->GetFileManager()->FindFiles(folder, mask, files);
        std::set<std::string> names;
        for (const std::string& file : files) {
            const std::string name = BaseName(file);
            names.insert(mask == "*.xml" ? name.substr(0, name.find('.')) : name);
        }
        return names;
    }

    Testing::TestEngine engine{{.installFolder = Testing::GameFolderInternal()}};
};

TEST_F(BlockLooksData, EveryKindAndEveryShippedBlockTextureIsCompared)
{
    std::set<std::string> kinds;
    std::set<std::string> textures;
    for (const auto& [kind, files] : KindTextures()) {
        kinds.insert(kind);
        textures.insert(files.begin(), files.end());
    }
    EXPECT_EQ(Listed(kBlocks, "*.xml"), kinds);
    EXPECT_EQ(Listed(kTextures, "*.tga"), textures);
}

TEST_F(BlockLooksData, EachKindsColoursStandApartFromTheOtherKindsAndFromEveryStagesWalls)
{
    std::vector<std::pair<std::string, Rgb>> looks;
    for (const auto& [kind, files] : KindTextures())
        for (const std::string& file : files)
            looks.emplace_back(kind, MeanColour(std::string(kTextures) + "\\" + file));
    std::vector<std::pair<std::string, Rgb>> walls;
    const Tamrisk::LevelManager levels(&engine.Get());
    for (u32 stage = 0; stage < levels.GetStageCount(); ++stage) {
        const std::string& environment = levels.GetGameStage(stage)->environment;
        walls.emplace_back(environment, MeanColour("data\\environment\\" + environment + "\\wall.tga"));
    }
    ASSERT_FALSE(walls.empty());
    for (std::size_t i = 0; i < looks.size(); ++i) {
        for (std::size_t j = i + 1; j < looks.size(); ++j) {
            if (looks[i].first != looks[j].first)
                EXPECT_GE(Distance(looks[i].second, looks[j].second), kMargin)
                    << looks[i].first << " (texture " << i << ") against " << looks[j].first << " (texture " << j << ")";
        }
        for (const auto& [environment, wall] : walls)
            EXPECT_GE(Distance(looks[i].second, wall), kMargin) << looks[i].first << " against the walls of " << environment;
    }
}

TEST_F(BlockLooksData, EveryHitDarkensTheHardBrickPlainly)
{
    const std::vector<std::string>& frames = KindTextures().at("brick_hard");
    for (std::size_t i = 1; i < frames.size(); ++i) {
        const float before = Brightness(MeanColour(std::string(kTextures) + "\\" + frames[i - 1]));
        const float after = Brightness(MeanColour(std::string(kTextures) + "\\" + frames[i]));
        EXPECT_GE(before - after, kDamageStep) << frames[i];
    }
}

} // namespace
