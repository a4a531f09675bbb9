#include "engine/core/Error.h"
#include "game/LevelManager.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using GameFramework::LevelReference;
using Halvard::u32;
using Tamrisk::LevelManager;

namespace Testing {
namespace {

class LevelManagerTest : public ::testing::Test {
protected:
    Halvard::Engine* StartWith(const std::string& xml)
    {
        engine.folder.WriteFile("data\\levels\\levels.xml", xml);
        return &engine.Start();
    }

    LogProbe Log() { return LogProbe(*engine->GetMessageManager()); }

    FakeEngine engine;
};

TEST_F(LevelManagerTest, StagesNameTheirEnvironmentAndLevelsTheirGeometryAndAceTime)
{
    LevelManager levels(StartWith("<levels>\n"
                                  "  <stage environment=\"grove\"><level ace_time=\"45\"/><level/></stage>\n"
                                  "  <stage environment=\"citadel\"></stage>\n"
                                  "  <stage environment=\"citadel\"><level ace_time=\"130\"/></stage>\n"
                                  "</levels>\n"));
    ASSERT_EQ(levels.GetStageCount(), 3u);
    EXPECT_EQ(levels.GetGameStage(0)->environment, "grove");
    EXPECT_EQ(levels.GetGameStage(1)->levelCount, 0u);
    EXPECT_EQ(levels.GetGameLevel({0, 0})->aceTime, 45u);
    EXPECT_EQ(levels.GetGameLevel({0, 1})->aceTime, 60u);
    EXPECT_EQ(levels.GetGameLevel({0, 1})->geometryFile, "00_01.tkg");
    EXPECT_EQ(levels.GetGameLevel({2, 0})->geometryFile, "02_00.tkg");
    EXPECT_EQ(levels.GetGameLevel({2, 0})->aceTime, 130u);
    EXPECT_EQ(levels.GetGameLevel({1, 0}), nullptr);
    EXPECT_EQ(levels.GetGameStage(3), nullptr);
    EXPECT_EQ(Log().Count("\nLevel Manager: Found 3 stages with 3 levels...\n"), 1u);
    EXPECT_TRUE(Log().HasNoErrorLine());
}

TEST_F(LevelManagerTest, ALevelAsksForTheResourceListOfItsStagesEnvironment)
{
    LevelManager levels(StartWith("<levels><stage environment=\"grove\"><level/></stage>"
                                  "<stage environment=\"citadel\"><level/><level/></stage></levels>"));
    std::vector<std::string> resources = {"first.xml"};
    levels.GetLevelResources({1, 1}, resources);
    EXPECT_EQ(resources, (std::vector<std::string>{"first.xml", "data\\environment\\citadel_resources.xml"}));
    levels.GetLevelResources({5, 0}, resources);
    EXPECT_EQ(resources.size(), 2u);
}

TEST(LevelManagerGeometryTest, IndicesTakeAtLeastTwoDigits)
{
    struct Case {
        LevelReference level;
        const char* name;
    };
    const Case cases[] = {
        {{0, 4}, "00_04.tkg"}, {{2, 11}, "02_11.tkg"}, {{10, 0}, "10_00.tkg"}, {{0, 123}, "00_123.tkg"}};
    for (const Case& c : cases)
        EXPECT_EQ(LevelManager::MakeGeometryFileName(c.level), c.name);
}

TEST_F(LevelManagerTest, AStageWithoutAnEnvironmentEndsTheProgramEvenWhenOthersAreRight)
{
    Halvard::Engine* started = StartWith("<levels><stage environment=\"grove\"><level/></stage>"
                                         "<stage><level/></stage></levels>");
    EXPECT_THROW(LevelManager levels(started), Halvard::FatalError);
    EXPECT_EQ(Log().Count("PROGRAM ABORTING: No \"environment\" attribute in stage description in "
                          "\"data\\levels\\levels.xml\" file\n"),
              1u);
    EXPECT_FALSE(Log().Contains("Level Manager: Found"));
}

// The time bonus counts 20 points a second under the ace time: a time
// beyond the bound, or written as anything but a whole number, is refused
// naming the file, so that no bonus can wrap; a negative one takes none.
TEST_F(LevelManagerTest, AnAceTimeBeyondTenHoursEndsTheProgramNamingTheFile)
{
    const struct {
        const char* aceTime;
        bool refused;
        u32 kept;
    } cases[] = {{"300", false, 300u},       {"36000", false, 36000u},   {"-5", false, 0u},
                 {"36001", true, 0u},        {"107374183", true, 0u},    {"2000000000", true, 0u},
                 {"99999999999", true, 0u},  {"1e9", true, 0u},          {"150.5", true, 0u}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.aceTime);
        FakeEngine own;
        const std::string list = std::string("<levels><stage environment=\"grove\"><level ace_time=\"150\"/>") +
                                 "<level ace_time=\"" + c.aceTime + "\"/></stage></levels>";
        own.folder.WriteFile("data\\levels\\levels.xml", list);
        own.Start();
        const auto log = [&own] { return LogProbe(*own->GetMessageManager()); };
        if (c.refused) {
            EXPECT_THROW(LevelManager levels(&own.Get()), Halvard::FatalError);
            EXPECT_EQ(log().Count("PROGRAM ABORTING: Incorrect \"ace_time\" in \"data\\levels\\levels.xml\" file\n"),
                      1u);
            continue;
        }
        LevelManager levels(&own.Get());
        EXPECT_EQ(levels.GetGameLevel({0, 1})->aceTime, c.kept);
        EXPECT_TRUE(log().HasNoErrorLine());
    }
}

// Every later lookup of a level would fail on such a list.
TEST_F(LevelManagerTest, AListWithoutASingleLevelEndsTheProgramAfterSayingWhatItFound)
{
    const char* const lists[] = {"<levels/>", "<levels><stage environment=\"grove\"/></levels>"};
    for (const char* list : lists) {
        SCOPED_TRACE(list);
        FakeEngine own;
        own.folder.WriteFile("data\\levels\\levels.xml", list);
        own.Start();
        EXPECT_THROW(LevelManager levels(&own.Get()), Halvard::FatalError);
        const std::vector<std::string> texts = LogProbe(*own->GetMessageManager()).Texts();
        ASSERT_GE(texts.size(), 2u);
        EXPECT_EQ(texts.back(), "PROGRAM ABORTING: Incorrect \"data\\levels\\levels.xml\" file format\n");
        EXPECT_NE(texts[texts.size() - 2].find("Level Manager: Found"), std::string::npos);
    }
}

} // namespace
} // namespace Testing
