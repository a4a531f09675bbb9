#include "tests/data/GameFixture.h"

#include "framework/logic/GameLogicBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/FrameworkWindows.h"
#include "game/windows/level/GUIGameLogicWindow.h"
#include "game/windows/level/GUILevelCompleteWindow.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScopedClock.h"
#include "tests/support/SdlEvents.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

using GameFramework::GameLogicBase;
using Halvard::u32;

// The real game on the build's data, its clock moved a twentieth of a
// second a frame.
class LevelCompleteCountTest : public ::testing::Test {
protected:
    LevelCompleteCountTest() : scopedClock_(clock_) { game_ = std::make_unique<Testing::TestGame>(); }
    ~LevelCompleteCountTest() override
    {
        game_.reset();
        Testing::ResetInput();
    }

    void Frame()
    {
        clock_.Advance(0.05);
        game_->Update();
    }

    // The score the display over the level shows.
    u32 ShownScore() const
    {
        const auto* display = dynamic_cast<const Tamrisk::GUIGameLogicWindow*>(game_->GetWindows().gameLogic.get());
        const GUITools::GUITextControl* text =
            display->GetTextControl(std::string(Tamrisk::GUIGameLogicWindow::kName) + "/score/text_1");
        return static_cast<u32>(std::stoul(text->GetText()));
    }

    Testing::GameFixture fixture_;
    Testing::FakeClock clock_;
    Testing::ScopedClock scopedClock_;
    std::unique_ptr<Testing::TestGame> game_;
};

// The bonus is saved with the level before its window shows; the score over
// the level rises with the window's count, never ahead of it and at most a
// frame behind, and ends at the saved total.
TEST_F(LevelCompleteCountTest, TheScoreOverTheLevelRisesWithTheBonusCountAndEndsAtTheSavedTotal)
{
    GameLogicBase& logic = game_->StartFirstLevel();
    logic.SetScore(150);
    const auto& complete =
        dynamic_cast<const Tamrisk::GUILevelCompleteWindow&>(*game_->GetWindows().levelComplete);
    const u32 bonus = complete.GetTimeBonus({0, 0}, logic.GetTime());
    ASSERT_GT(bonus, 1000u) << "the level ends well under its ace time";
    logic.SetState(GameLogicBase::kLevelComplete);
    Frame();
    const u32 saved = game_->GetProfileManager()->GetCurrentProfile()->GetScore();
    ASSERT_EQ(saved, 150u + bonus);
    u32 counted = static_cast<u32>(complete.GetShownBonus());
    u32 shown = ShownScore();
    EXPECT_EQ(shown, saved - bonus + counted);
    bool between = false;
    for (int frame = 0; frame < 600 && (counted < bonus || shown < saved); ++frame) {
        Frame();
        const u32 before = shown;
        shown = ShownScore();
        EXPECT_GE(shown, before) << "frame " << frame;
        EXPECT_GE(shown, saved - bonus + counted) << "frame " << frame;
        counted = static_cast<u32>(complete.GetShownBonus());
        EXPECT_LE(shown, saved - bonus + counted) << "frame " << frame;
        between = between || (shown > saved - bonus && shown < saved);
    }
    EXPECT_TRUE(between) << "the score rose through the count";
    EXPECT_EQ(counted, bonus);
    EXPECT_EQ(shown, saved);
    EXPECT_EQ(game_->GetProfileManager()->GetCurrentProfile()->GetScore(), saved);
}

} // namespace
