#include "game/windows/level/GUILevelCompleteWindow.h"

#include "engine/gui/GUIButton.h"
#include "engine/sound/SoundUtils.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/LevelManager.h"
#include "game/SoundTable.h"
#include "game/persistence/ProfileManager.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/SaveWatch.h"
#include "tests/support/game/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace {

using GameFramework::LevelReference;
using GameFramework::WindowResult;
using GameFramework::WindowSource;
using Halvard::i32;
using Tamrisk::GUILevelCompleteWindow;

const char* const kDescription =
    R"(<window name="window_level_complete" fader="menu">)"
    R"(<window name="title_mount_static" fader="menu" size="480 60"/>)"
    R"(<window name="title_mount_animated" fader="menu" size="480 60"/>)"
    R"(<window name="window" fader="menu" size="800 600">)"
    R"(<text_label name="your_time" font="common_0" size="100 20"/>)"
    R"(<text_label name="ace_time" font="common_0" size="100 20"/>)"
    R"(<text_label name="time_bonus" font="common_0" size="100 20" fader="menu"/>)"
    R"(<text_label name="time_bonus_static" font="common_0" size="100 20"/>)"
    R"(<text_label name="no_time_bonus_static" font="common_0" size="100 20"/>)"
    R"(<text_label name="best_time" font="common_0" size="100 20"/>)"
    R"(<text_label name="best_time_static_0" font="common_0" text="'Best'" size="300 20"/>)"
    R"(<text_label name="best_time_static_1" font="common_0" text="'by %PROFILE_NAME%'" size="300 20"/>)"
    R"(<button name="button_0" position="100 100" size="200 50"/>)"
    R"(</window></window>)";

// Two levels in the first stage and one in the second, each with an ace
// time of a minute, and a third stage of one level with the longest ace time
// the list takes.
const char* const kLevels = R"(<levels><stage environment="grove"><level ace_time="60"/><level ace_time="60"/></stage>)"
                            R"(<stage environment="citadel"><level ace_time="60"/></stage>)"
                            R"(<stage environment="citadel"><level ace_time="36000"/></stage></levels>)";

// The window on the fakes with a current profile "Anna" of score 1000,
// saved in a user folder of the test's own.
class GUILevelCompleteWindowTest : public testing::Test {
protected:
    GUILevelCompleteWindowTest()
    {
        engine.Start();
        engine.folder.WriteFile("data\\levels\\levels.xml", kLevels);
        Testing::MenuFixture fixture;
        fixture.descriptions = {{"faders.xml", Testing::kMenuFaders}, {"window_level_complete.xml", kDescription}};
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, fixture);
        bed->sounds->AddSound(Tamrisk::kSoundChargeScore, "", false, 1);
        levels = std::make_unique<Tamrisk::LevelManager>(&engine.Get());
        profiles = MakeProfiles();
        GameFramework::ProfileBase* anna = profiles->AddProfile(L"Anna");
        anna->SetScore(1000);
        anna->Save();
        profiles->SetCurrentProfile(anna, GameFramework::ProfileManagerBase::ListSaving::kSaveFile);
        window = std::make_unique<GUILevelCompleteWindow>(&engine.Get(), bed->sounds.get(), levels.get(),
                                                          profiles.get(), bed->data.get(), bed->tools.get(),
                                                          bed->manager.get(), nullptr);
    }

    ~GUILevelCompleteWindowTest() override
    {
        window.reset();
        profiles.reset();
        levels.reset();
        bed.reset();
    }

    std::unique_ptr<Tamrisk::ProfileManager> MakeProfiles()
    {
        return bed->MakeProfiles(engine.folder);
    }

    void Frame(bool click = false)
    {
        bed->Frame([&] {
            if (click)
                window->GetButton("window_level_complete/window/button_0")->clicked = true;
            window->UpdateWindow();
        });
    }

    GUITools::GUITextControl* Text(const std::string& name) const
    {
        return window->GetTextControl("window_level_complete/window/" + name);
    }

    bool Enabled(const std::string& name) const
    {
        return window->IsControlEnabled("window_level_complete/window/" + name);
    }

    Halvard::u32 Score() const { return profiles->GetCurrentProfile()->GetScore(); }

    bool Counting() const { return bed->sounds->GetSoundState(Tamrisk::kSoundChargeScore) != Halvard::kSoundStopped; }

    // The score the profile's file holds.
    Halvard::u32 SavedScore()
    {
        const auto reader = MakeProfiles();
        reader->LoadProfiles();
        return reader->GetProfile(L"Anna")->GetScore();
    }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::unique_ptr<Tamrisk::LevelManager> levels;
    std::unique_ptr<Tamrisk::ProfileManager> profiles;
    std::unique_ptr<GUILevelCompleteWindow> window;
};

TEST_F(GUILevelCompleteWindowTest, ASecondUnderTheAceTimeCountsUpToTwentyOnceTheBonusHasFadedInAndStopsTheSound)
{
    window->ShowLevelResult(WindowSource::kGameLogic, {0, 0}, 59.7f);
    EXPECT_EQ(Text("your_time")->GetText(), L"0:59");
    EXPECT_EQ(Text("ace_time")->GetText(), L"1:00");
    EXPECT_TRUE(Enabled("time_bonus"));
    EXPECT_TRUE(Enabled("time_bonus_static"));
    EXPECT_FALSE(Enabled("no_time_bonus_static"));
    double fadedInAt = -1.0;
    double doneAt = -1.0;
    bool soundHeard = false;
    for (int frame = 0; frame < 60 && doneAt < 0.0; ++frame) {
        Frame();
        const double now = frame * Testing::MenuWindowBed::kFrameSeconds;
        if (fadedInAt < 0.0 && Text("time_bonus")->GetAlpha() > 0.9999f)
            fadedInAt = now;
        soundHeard = soundHeard || Counting();
        if (window->GetShownBonus() == 20)
            doneAt = now;
    }
    ASSERT_GE(fadedInAt, 0.0);
    ASSERT_GE(doneAt, 0.0);
    // 0.2 s of pause, then a second counted in 1/18 s.
    EXPECT_NEAR(doneAt - fadedInAt, 0.26, 0.06);
    EXPECT_TRUE(soundHeard);
    EXPECT_EQ(Text("time_bonus")->GetText(), L"20");
    EXPECT_EQ(window->GetTimeBonus({0, 0}, 59.7f), 20u) << "the count ends at the bonus the game adds";
    Frame();
    EXPECT_FALSE(Counting());
}

// The game adds the bonus with the rest of the level's result before the
// window shows, in one save: the window only counts it, and a program ended
// while it shows or at its button has nothing of the level left to save.
TEST_F(GUILevelCompleteWindowTest, AClickMidCountShowsTheWholeBonusAndTheWindowNeitherChangesNorSavesTheProfile)
{
    const std::filesystem::path user = engine.folder.Path() / "user";
    Testing::SaveWatch saves({user, user / "profiles"});
    window->ShowLevelResult(WindowSource::kGameLogic, {0, 0}, 50.3f);
    while (window->GetShownBonus() == 0)
        Frame();
    ASSERT_LT(window->GetShownBonus(), 200);
    ASSERT_TRUE(Counting());
    EXPECT_EQ(Score(), 1000u);
    Frame(true);
    EXPECT_EQ(window->GetResult(), WindowResult::kEndLevel);
    EXPECT_EQ(window->GetShownBonus(), 200);
    EXPECT_FALSE(Counting());
    window->HideWindow();
    EXPECT_EQ(Score(), 1000u);
    EXPECT_EQ(saves.Take(), std::vector<std::string>{});
    EXPECT_EQ(SavedScore(), 1000u);
}

// 20 points for each whole second under the level's ace time; none at or
// over it, nor for a level the list does not hold. The longest ace time the
// list takes, and a time beyond the range of a count, leave the bonus whole.
TEST_F(GUILevelCompleteWindowTest, TheTimeBonusIsTwentyPointsForEachWholeSecondUnderTheAceTime)
{
    const struct {
        LevelReference level;
        float time;
        Halvard::u32 bonus;
    } cases[] = {{{0, 0}, 59.7f, 20u}, {{0, 0}, 50.3f, 200u}, {{0, 1}, 0.4f, 1200u}, {{1, 0}, 60.0f, 0u},
                 {{0, 0}, 60.2f, 0u},  {{0, 0}, 900.0f, 0u}, {{3, 0}, 10.0f, 0u},   {{2, 0}, 0.4f, 720000u},
                 {{2, 0}, 35999.5f, 20u}, {{2, 0}, 1e30f, 0u}};
    for (const auto& c : cases)
        EXPECT_EQ(window->GetTimeBonus(c.level, c.time), c.bonus) << c.level.stage << "-" << c.level.level << " " << c.time;
}

struct ResultCase {
    const char* name;
    LevelReference level;
    float time;
    Halvard::u32 result;
    bool bonus;
};

void PrintTo(const ResultCase& c, std::ostream* out) { *out << c.name; }

class GUILevelCompleteResultTest : public GUILevelCompleteWindowTest,
                                   public testing::WithParamInterface<ResultCase> {};

TEST_P(GUILevelCompleteResultTest, TheButtonLeadsToTheStageScreenAfterAStagesLastLevelAndTheBonusShowsOnlyUnderAce)
{
    window->ShowLevelResult(WindowSource::kGameLogic, GetParam().level, GetParam().time);
    for (int frame = 0; frame < 20; ++frame)
        Frame();
    Frame(true);
    EXPECT_EQ(window->GetResult(), GetParam().result);
    EXPECT_EQ(Enabled("time_bonus"), GetParam().bonus);
    EXPECT_EQ(Enabled("no_time_bonus_static"), !GetParam().bonus);
    EXPECT_EQ(Score(), 1000u);
    EXPECT_EQ(Text("time_bonus")->GetText(), GetParam().bonus ? L"20" : L"0");
}

INSTANTIATE_TEST_SUITE_P(
    Levels, GUILevelCompleteResultTest,
    testing::Values(ResultCase{"FirstOfTwo", {0, 0}, 59.7f, WindowResult::kEndLevel, true},
                    ResultCase{"LastOfTheStage", {0, 1}, 59.7f, WindowResult::kStageComplete, true},
                    ResultCase{"OnlyOfTheLastStage", {1, 0}, 60.2f, WindowResult::kStageComplete, false},
                    ResultCase{"JustTheAceTime", {0, 0}, 60.0f, WindowResult::kEndLevel, false}),
    [](const testing::TestParamInfo<ResultCase>& info) { return std::string(info.param.name); });

// The score shown over the level leaves out what the window has yet to
// count, and shows it whole once the window has gone.
TEST_F(GUILevelCompleteWindowTest, WhatIsLeftToCountFallsWithTheCountAndIsNoneOnceHidden)
{
    window->ShowLevelResult(WindowSource::kGameLogic, {0, 0}, 50.3f);
    EXPECT_EQ(window->GetBonusToCount(), 200u);
    bool between = false;
    for (int frame = 0; frame < 200 && window->GetShownBonus() < 200; ++frame) {
        Frame();
        EXPECT_EQ(window->GetBonusToCount(), static_cast<Halvard::u32>(200 - window->GetShownBonus()));
        between = between || (window->GetShownBonus() > 0 && window->GetShownBonus() < 200);
    }
    EXPECT_TRUE(between);
    EXPECT_EQ(window->GetBonusToCount(), 0u);
    window->ShowLevelResult(WindowSource::kGameLogic, {0, 0}, 30.0f);
    Frame();
    EXPECT_EQ(window->GetBonusToCount(), 600u);
    window->HideWindow();
    EXPECT_EQ(window->GetBonusToCount(), 0u);
    window->ShowLevelResult(WindowSource::kGameLogic, {0, 0}, 61.0f);
    EXPECT_EQ(window->GetBonusToCount(), 0u);
}

// The best-time table is a file that may hold any finite time: one beyond
// the range of a count of seconds shows as the largest count.
TEST_F(GUILevelCompleteWindowTest, ABestTimeBeyondTheCountsRangeShowsAsItsLargest)
{
    const struct {
        float record;
        const wchar_t* shown;
    } cases[] = {{3.4e38f, L"35791394:07"}, {1e30f, L"35791394:07"}, {2147483520.0f, L"35791392:00"},
                 {125.4f, L"2:05"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        const LevelReference level{0, 1};
        // Each time is faster than the one before, so it becomes the record.
        ASSERT_TRUE(profiles->SubmitLevelTime(level, L"Bob", 0, c.record));
        window->ShowLevelResult(WindowSource::kGameLogic, level, c.record);
        EXPECT_EQ(Text("best_time")->GetText(), c.shown);
        EXPECT_EQ(Text("your_time")->GetText(), c.shown);
        EXPECT_FALSE(Enabled("time_bonus"));
    }
}

// Without a record of the level the best time is the player's own.
TEST_F(GUILevelCompleteWindowTest, WithoutARecordTheBestTimeIsThePlayersOwnWithTheirNameQuoted)
{
    window->ShowLevelResult(WindowSource::kGameLogic, {0, 1}, 125.4f);
    EXPECT_EQ(Text("best_time")->GetText(), L"2:05");
    ASSERT_EQ(Text("best_time_static_1")->GetLines().size(), 1u);
    EXPECT_EQ(Text("best_time_static_1")->GetLines()[0], L"by \"Anna\"");
}

TEST(GUILevelCompleteWindowFormat, MinutesWithoutLeadingZeroAndSecondsInTwoDigits)
{
    const std::pair<i32, const wchar_t*> cases[] = {{0, L"0:00"}, {9, L"0:09"}, {65, L"1:05"}, {125, L"2:05"},
                                                    {600, L"10:00"}};
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(GUILevelCompleteWindow::FormatTime(seconds), text) << seconds;
}

} // namespace
