#include "engine/core/Error.h"
#include "framework/levels/LevelManagerBase.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/LogProbe.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using GameFramework::LevelReference;
using Halvard::u32;

namespace Testing {
namespace {

// The framework's records only, read at construction as a game would.
class PlainLevelManager : public GameFramework::LevelManagerBase {
public:
    explicit PlainLevelManager(Halvard::Engine* engine) : LevelManagerBase(engine) { LoadLevels(); }

protected:
    std::unique_ptr<GameFramework::StageRecordBase> CreateStage() override
    {
        return std::make_unique<GameFramework::StageRecordBase>();
    }
    std::unique_ptr<GameFramework::LevelRecordBase> CreateLevel() override
    {
        return std::make_unique<GameFramework::LevelRecordBase>();
    }
};

class LevelManagerBaseTest : public ::testing::Test {
protected:
    // A list whose stages hold the given numbers of levels.
    static std::string ListOf(const std::vector<u32>& levelCounts)
    {
        std::string xml = "<levels>\n";
        for (u32 count : levelCounts) {
            xml += "  <stage>";
            for (u32 i = 0; i < count; ++i)
                xml += "<level/>";
            xml += "</stage>\n";
        }
        return xml + "</levels>\n";
    }

    std::unique_ptr<PlainLevelManager> Load(const std::string& xml)
    {
        engine.folder.WriteFile("data\\levels\\levels.xml", xml);
        engine.Start();
        return std::make_unique<PlainLevelManager>(&engine.Get());
    }

    LogProbe Log() { return LogProbe(*engine->GetMessageManager()); }

    FakeEngine engine;
};

TEST_F(LevelManagerBaseTest, EveryChildOfLevelsIsAStageAndEveryChildOfAStageALevelWhateverTheirNames)
{
    const auto levels = Load("<?xml version=\"1.0\"?>\n<levels><stage/><world><a/><b/></world>"
                             "<x><l/><m/><n/></x></levels>");
    ASSERT_EQ(levels->GetStageCount(), 3u);
    EXPECT_EQ(levels->GetLevelCount(0), 0u);
    EXPECT_EQ(levels->GetStage(1)->levelCount, 2u);
    EXPECT_EQ(levels->GetStage(2)->stage, 2u);
    EXPECT_EQ(levels->GetTotalLevelCount(), 5u);
    const GameFramework::LevelRecordBase* level = levels->GetLevel({2, 1});
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->reference, (LevelReference{2, 1}));
    EXPECT_EQ(Log().Count("\nLevel Manager: Found 3 stages with 5 levels...\n"), 1u);
    EXPECT_TRUE(Log().HasNoErrorLine());
}

TEST_F(LevelManagerBaseTest, AnEmptyListHasNoStagesAndSaysSo)
{
    const auto levels = Load("<levels></levels>");
    EXPECT_EQ(levels->GetStageCount(), 0u);
    EXPECT_EQ(Log().Count("\nLevel Manager: Found 0 stages with 0 levels...\n"), 1u);
}

TEST_F(LevelManagerBaseTest, AReferenceOutsideTheTablesFindsNothing)
{
    const auto levels = Load(ListOf({2, 0}));
    EXPECT_EQ(levels->GetStage(2), nullptr);
    EXPECT_EQ(levels->GetLevelCount(2), 0u);
    EXPECT_EQ(levels->GetLevel({0, 2}), nullptr);
    EXPECT_EQ(levels->GetLevel({1, 0}), nullptr);
    EXPECT_EQ(levels->GetLevel({7, 0}), nullptr);
    EXPECT_NE(levels->GetLevel({0, 1}), nullptr);
}

TEST_F(LevelManagerBaseTest, AFaultyListEndsTheProgramWithItsReason)
{
    struct Case {
        const char* name;
        const char* file;
        const char* reason;
    };
    const Case cases[] = {
        {"no levels element", "<stages><stage/></stages>", "Incorrect \"data\\levels\\levels.xml\" file format"},
        {"syntax", "<levels><stage></levels>", "XML format error at line"},
        {"no file", nullptr, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeEngine own;
        if (c.file != nullptr)
            own.folder.WriteFile("data\\levels\\levels.xml", c.file);
        own.Start();
        EXPECT_THROW(PlainLevelManager levels(&own.Get()), Halvard::FatalError);
        const LogProbe log(*own->GetMessageManager());
        EXPECT_TRUE(log.Contains(std::string("PROGRAM ABORTING: ") + c.reason));
        EXPECT_EQ(log.CountAt(Halvard::MessageManager::kFatal), 1u);
        EXPECT_FALSE(log.Contains("Level Manager: Found"));
    }
}

// Stage 0 and 2 and 4 have no levels: they are passed over both ways.
TEST_F(LevelManagerBaseTest, NextAndPreviousLevelsPassOverStagesWithoutLevels)
{
    const auto levels = Load(ListOf({0, 3, 0, 1, 0}));
    struct Case {
        LevelReference level;
        LevelReference next;
        LevelReference previous;
        bool last;
    };
    const Case cases[] = {
        {{1, 0}, {1, 1}, {1, 0}, false},
        {{1, 1}, {1, 2}, {1, 0}, false},
        {{1, 2}, {3, 0}, {1, 1}, false},
        {{3, 0}, {3, 0}, {1, 2}, true},
        // Outside the tables: its own neighbour both ways, never the last.
        {{0, 0}, {0, 0}, {0, 0}, false},
        {{4, 0}, {4, 0}, {4, 0}, false},
        {{1, 3}, {1, 3}, {1, 3}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.level.stage << "," << c.level.level);
        EXPECT_EQ(levels->GetNextLevel(c.level), c.next);
        EXPECT_EQ(levels->GetPreviousLevel(c.level), c.previous);
        EXPECT_EQ(levels->IsLastLevel(c.level), c.last);
    }
}

TEST_F(LevelManagerBaseTest, TheLastLevelOfEveryStageButTheLastLeadsToTheNextStage)
{
    const auto levels = Load(ListOf({1, 3}));
    EXPECT_EQ(levels->GetNextLevel({0, 0}), (LevelReference{1, 0}));
    EXPECT_FALSE(levels->IsLastLevel({0, 0}));
    EXPECT_EQ(levels->GetPreviousLevel({1, 0}), (LevelReference{0, 0}));
    EXPECT_EQ(levels->GetPreviousLevel({0, 0}), (LevelReference{0, 0}));
    EXPECT_TRUE(levels->IsLastLevel({1, 2}));
    EXPECT_EQ(levels->GetNextLevel({1, 2}), (LevelReference{1, 2}));
}

} // namespace
} // namespace Testing
