#include "engine/core/Config.h"
#include "framework/windows/GUIGameLogicMenuWindowBase.h"
#include "framework/windows/GUIOptionsWindowBase.h"
#include "framework/windows/VideoSettingsAccess.h"
#include "tests/framework/windows/FlowBed.h"

#include <gtest/gtest.h>

namespace Testing {
namespace {

using GameFramework::VideoSettingsAccess;

class VideoWindowBasesTest : public ::testing::Test {
protected:
    VideoWindowBasesTest()
    {
        bed.StartMenus();
        // The application registers the video-mode update command.
        config().AddVariable(VideoSettingsAccess::kUpdateVideoMode, Halvard::Config::kCommand, {}, nullptr, "");
        config().SetCommandHandled(VideoSettingsAccess::kUpdateVideoMode, true);
        config().SetCommandHandled(VideoSettingsAccess::kWindowChangeMode, true);
    }

    Halvard::Config& config() { return *bed.engine->GetConfig(); }
    bool Pending(const char* command) { return VideoSettingsAccess::IsPending(config(), command); }

    FlowBed bed;
};

TEST_F(VideoWindowBasesTest, TheSameSizeIsListedOnceAndTheListIsSortedByWidthThenHeight)
{
    GameFramework::GUIOptionsWindowBase options(&bed.engine.Get(), bed.soundSet.get(), bed.profiles.get());
    options.AddVideoMode(1024, 768);
    options.AddVideoMode(800, 600);
    options.AddVideoMode(1024, 600);
    options.AddVideoMode(800, 600);
    const auto& modes = options.GetVideoModes();
    ASSERT_EQ(modes.size(), 3u);
    EXPECT_EQ(modes[0]->text, "800x600");
    EXPECT_EQ(modes[1]->text, "1024x600");
    EXPECT_EQ(modes[2]->text, "1024x768");
}

TEST_F(VideoWindowBasesTest, AConfiguredModeNotListedSelectsTheDefaultModeOrTheFirstRecord)
{
    GameFramework::GUIOptionsWindowBase options(&bed.engine.Get(), bed.soundSet.get(), bed.profiles.get());
    Halvard::u32 width = 0, height = 0, depth = 0;
    Halvard::ParseVideoMode(config().GetDefaultValue("v_mode"), &width, &height, &depth);
    options.AddVideoMode(320, 200);
    options.AddVideoMode(width, height);
    config().videoMode = "1x1x16";
    options.ShowWindow(6);
    EXPECT_EQ(options.GetVideoModes()[options.GetSelectedMode()]->width, width);
    EXPECT_EQ(options.GetColourDepth(), 16u);

    GameFramework::GUIOptionsWindowBase bare(&bed.engine.Get(), bed.soundSet.get(), bed.profiles.get());
    bare.AddVideoMode(320, 200);
    bare.AddVideoMode(321, 200);
    bare.SetSelectedMode(1);
    bare.ShowWindow(6);
    EXPECT_EQ(bare.GetSelectedMode(), 0u);
}

TEST_F(VideoWindowBasesTest, ApplyingUnchangedOptionsSavesButAsksForNoVideoModeUpdate)
{
    GameFramework::GUIOptionsWindowBase options(&bed.engine.Get(), bed.soundSet.get(), bed.profiles.get());
    Halvard::u32 width = 0, height = 0, depth = 0;
    Halvard::ParseVideoMode(config().videoMode, &width, &height, &depth);
    options.AddVideoMode(width, height);
    options.AddVideoMode(width + 100, height);
    options.ShowWindow(6);
    bed.soundSet->SetSoundVolume(0.25f);
    options.ApplyVideoOptions();
    EXPECT_FALSE(Pending(VideoSettingsAccess::kUpdateVideoMode));
    EXPECT_FLOAT_EQ(bed.Profile().GetSettings().effectsVolume, 0.25f);

    options.SetSelectedMode(1);
    options.ApplyVideoOptions();
    EXPECT_TRUE(Pending(VideoSettingsAccess::kUpdateVideoMode));
    EXPECT_EQ(config().videoMode, std::to_string(width + 100) + "x" + std::to_string(height) + "x" +
                                      std::to_string(depth));
}

TEST_F(VideoWindowBasesTest, TheInGameMenuAsksForAWindowModeChangeOnlyWhenItDiffersAndFollowsAPendingOne)
{
    GameFramework::GUIGameLogicMenuWindowBase menu(&bed.engine.Get(), bed.soundSet.get(), bed.profiles.get());
    config().fullScreen = 0;
    menu.ShowWindow(17);
    menu.ApplyWindowMode();
    EXPECT_FALSE(Pending(VideoSettingsAccess::kWindowChangeMode));
    menu.SetFullScreen(true);
    menu.ApplyWindowMode();
    EXPECT_TRUE(Pending(VideoSettingsAccess::kWindowChangeMode));
    EXPECT_EQ(config().fullScreen, 1);
    // Alt+Enter while the change is pending: the menu follows the setting.
    config().fullScreen = 0;
    menu.UpdateWindow();
    EXPECT_FALSE(menu.IsFullScreen());
    bed.soundSet->SetMusicVolume(0.3f);
    menu.HideWindow();
    EXPECT_FLOAT_EQ(bed.Profile().GetSettings().musicVolume, 0.3f);
}

} // namespace
} // namespace Testing
