#include "game/windows/menus/GUIOptionsWindow.h"

#include "engine/core/Config.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIScroll.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/VideoSettingsAccess.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/SoundTable.h"
#include "game/persistence/ProfileManager.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/game/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

namespace {

using GameFramework::VideoSettingsAccess;
using GameFramework::WindowResult;
using Tamrisk::GUIOptionsWindow;

std::string Control(const std::string& type, const std::string& name, const std::string& position,
                    const std::string& size, const std::string& inner = {})
{
    return "<" + type + " name=\"" + name + "\" position=\"" + position + "\" size=\"" + size +
           "\" fader=\"menu\">" + inner + "</" + type + ">";
}

// Every control the window looks up, on a frame over the whole GUI space.
std::string OptionsFixture()
{
    std::string xml = R"(<window name="window_options" fader="menu"><window name="window" fader="menu" size="800 600">)";
    xml += Control("scroll", "sound", "100 500", "200 20");
    xml += Control("scroll", "music", "100 450", "200 20");
    xml += Control("check_box", "fullscreen", "100 400", "20 20");
    xml += Control("button", "decrease_video_mode", "100 350", "20 20");
    xml += Control("window", "video_mode", "130 350", "100 20",
                   R"(<text_label name="text" font="common_0" size="100 20" fader="menu"/>)");
    xml += Control("button", "increase_video_mode", "240 350", "20 20");
    for (int i = 0; i < 3; ++i)
        xml += Control("button", "button_" + std::to_string(i), std::to_string(100 + 150 * i) + " 100", "100 30");
    return xml + "</window></window>";
}

// The options on the fakes, with the game's default mode, a current profile
// and the video-mode command the application registers.
class GUIOptionsWindowTest : public testing::Test {
protected:
    GUIOptionsWindowTest()
    {
        engine.settings.defaultVideoMode = "1024x768x32";
        engine.Start();
        config().AddVariable(VideoSettingsAccess::kUpdateVideoMode, Halvard::Config::kCommand, {}, nullptr, "");
        config().SetCommandHandled(VideoSettingsAccess::kUpdateVideoMode, true);
        config().SetCommandHandled(VideoSettingsAccess::kWindowChangeMode, true);
        Testing::MenuFixture fixture;
        fixture.descriptions = {{"faders.xml", Testing::kMenuFaders}, {"window_options.xml", OptionsFixture()}};
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, fixture);
        profiles = bed->MakeProfiles(engine.folder, L"Player");
        options = std::make_unique<GUIOptionsWindow>(&engine.Get(), bed->sounds.get(), profiles.get(),
                                                     bed->data.get(), bed->tools.get(), bed->manager.get(), nullptr);
    }

    ~GUIOptionsWindowTest() override
    {
        options.reset();
        profiles.reset();
        bed.reset();
    }

    Halvard::Config& config() { return *engine->GetConfig(); }

    void Frame(const std::function<void()>& beforeUpdate = {})
    {
        bed->Frame([&] {
            if (beforeUpdate)
                beforeUpdate();
            options->UpdateWindow();
        });
    }

    void Open(const std::string& videoMode)
    {
        config().videoMode = videoMode;
        options->ShowWindow(GameFramework::WindowSource::kMainMenu);
        for (int frame = 0; frame < 10; ++frame)
            Frame();
    }

    void Click(Halvard::GUIButton* button)
    {
        Frame([button] { button->clicked = true; });
    }

    std::wstring ShownMode() const
    {
        const auto& lines = options->GetVideoModeText()->GetLines();
        return lines.empty() ? std::wstring() : lines.front();
    }

    // The files below the user folder, which hold the profiles.
    std::size_t UserFiles() const
    {
        const std::filesystem::path user = engine.folder.Native("user");
        if (!std::filesystem::exists(user))
            return 0;
        std::size_t count = 0;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(user))
            count += entry.is_regular_file() ? 1 : 0;
        return count;
    }

    std::string Ini() const
    {
        std::ifstream in(engine.folder.Native(Testing::FakeEngine::IniName()));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    void RemoveWrittenFiles() const
    {
        std::filesystem::remove_all(engine.folder.Native("user"));
        std::filesystem::remove(engine.folder.Native(Testing::FakeEngine::IniName()));
    }

    bool UpdatePending() { return VideoSettingsAccess::IsPending(config(), VideoSettingsAccess::kUpdateVideoMode); }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::unique_ptr<Tamrisk::ProfileManager> profiles;
    std::unique_ptr<GUIOptionsWindow> options;
};

struct OpeningCase {
    const char* name;
    const char* current;
    const wchar_t* shown;
};

void PrintTo(const OpeningCase& c, std::ostream* out) { *out << c.name; }

class GUIOptionsOpeningTest : public GUIOptionsWindowTest, public testing::WithParamInterface<OpeningCase> {};

TEST_P(GUIOptionsOpeningTest, TheCurrentSizeIsChosenOrTheDefaultOneWhenTheGameDoesNotOfferIt)
{
    Open(GetParam().current);
    EXPECT_EQ(ShownMode(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Modes, GUIOptionsOpeningTest,
                         testing::Values(OpeningCase{"Offered", "800x600x16", L"800x600"},
                                         OpeningCase{"UpperCase", "640X480X32", L"640x480"},
                                         OpeningCase{"NotOffered", "1280x1024x32", L"1024x768"}),
                         [](const testing::TestParamInfo<OpeningCase>& info) { return std::string(info.param.name); });

TEST_F(GUIOptionsWindowTest, ConfirmingASmallerSizeStoresItWithTheDepthAndAsksForTheModeUpdate)
{
    Open("1024x768x32");
    Click(options->GetDecreaseButton());
    Click(options->GetDecreaseButton());
    // The first size is the last one down.
    Click(options->GetDecreaseButton());
    EXPECT_EQ(ShownMode(), L"640x480");
    RemoveWrittenFiles();
    Click(options->GetConfirmButton());
    EXPECT_EQ(options->GetResult(), WindowResult::kMainMenu);
    EXPECT_EQ(config().videoMode, "640x480x32");
    EXPECT_TRUE(UpdatePending());
    EXPECT_NE(Ini().find("v_mode 640x480x32"), std::string::npos) << Ini();
    EXPECT_GT(UserFiles(), 0u);
}

TEST_F(GUIOptionsWindowTest, ConfirmingNoChangeAsksForNoUpdateButWritesTheIniFileAndTheProfile)
{
    Open("800x600x32");
    Click(options->GetIncreaseButton());
    Click(options->GetDecreaseButton());
    RemoveWrittenFiles();
    Click(options->GetConfirmButton());
    EXPECT_EQ(options->GetResult(), WindowResult::kMainMenu);
    EXPECT_FALSE(UpdatePending());
    EXPECT_NE(Ini().find("v_mode 800x600x32"), std::string::npos) << Ini();
    EXPECT_GT(UserFiles(), 0u);
}

TEST_F(GUIOptionsWindowTest, TheLastSizeIsTheLastOneUp)
{
    Open("800x600x32");
    Click(options->GetIncreaseButton());
    Click(options->GetIncreaseButton());
    EXPECT_EQ(ShownMode(), L"1024x768");
}

TEST_F(GUIOptionsWindowTest, CancelBringsBackTheVolumesOfTheOpeningAndForgetsTheOtherChoices)
{
    bed->sounds->SetSoundVolume(0.5f);
    bed->sounds->SetMusicVolume(0.25f);
    Open("800x600x32");
    Frame([&] {
        options->GetSoundScroll()->SetPosition(100);
        options->GetMusicScroll()->SetPosition(900);
    });
    EXPECT_FLOAT_EQ(bed->sounds->GetSoundVolume(), 0.1f);
    EXPECT_FLOAT_EQ(bed->sounds->GetMusicVolume(), 0.9f);
    Click(options->GetIncreaseButton());
    Click(options->GetCancelButton());
    EXPECT_EQ(options->GetResult(), WindowResult::kMainMenu);
    EXPECT_EQ(bed->sounds->GetSoundVolume(), 0.5f);
    EXPECT_EQ(bed->sounds->GetMusicVolume(), 0.25f);
    EXPECT_EQ(config().videoMode, "800x600x32");
    EXPECT_FALSE(UpdatePending());
}

TEST_F(GUIOptionsWindowTest, AVolumeJustBelowAThousandthStandsOneBelowItAndOpeningChangesNoVolume)
{
    bed->sounds->SetSoundVolume(0.3155f);
    bed->sounds->SetMusicVolume(0.285f);
    Open("800x600x32");
    EXPECT_EQ(options->GetSoundScroll()->GetPosition(), 315u);
    EXPECT_EQ(options->GetMusicScroll()->GetPosition(), 284u);
    EXPECT_EQ(bed->sounds->GetMusicVolume(), 0.285f);
    EXPECT_EQ(bed->sounds->GetSoundVolume(), 0.3155f);
}

TEST_F(GUIOptionsWindowTest, DefaultsSetTheDefaultVolumesFullScreenAndTheDefaultSize)
{
    bed->sounds->SetSoundVolume(0.9f);
    bed->sounds->SetMusicVolume(0.9f);
    Open("640x480x16");
    EXPECT_FALSE(options->GetFullScreenBox()->checked);
    Click(options->GetDefaultsButton());
    EXPECT_EQ(options->GetResult(), WindowResult::kNone);
    EXPECT_TRUE(options->GetFullScreenBox()->checked);
    EXPECT_EQ(ShownMode(), L"1024x768");
    EXPECT_EQ(options->GetSoundScroll()->GetPosition(),
              Tamrisk::VolumeScrolls::PositionOf(bed->sounds->GetDefaultSoundVolume()));
    EXPECT_EQ(bed->sounds->GetSoundVolume(), bed->sounds->GetDefaultSoundVolume());
    EXPECT_EQ(bed->sounds->GetMusicVolume(), bed->sounds->GetDefaultMusicVolume());
}

TEST_F(GUIOptionsWindowTest, HoldingTheSoundScrollPlaysTheSampleOnceAndReleasingStopsIt)
{
    Open("800x600x32");
    Testing::FakeAudioBuffer* sample = engine.audio.Buffer(Tamrisk::kSoundVolumeSlider);
    for (int frame = 0; frame < 5; ++frame)
        Frame([&] { options->GetSoundScroll()->GetThumb()->latched = true; });
    EXPECT_EQ(sample->CountCalls("Play 0"), 1);
    EXPECT_TRUE(sample->playing);
    // The sample ends while the bar is still held: it starts again once
    // the sound manager has seen it end.
    sample->Finish();
    for (int frame = 0; frame < 3; ++frame)
        Frame([&] { options->GetSoundScroll()->GetThumb()->latched = true; });
    EXPECT_EQ(sample->CountCalls("Play 0"), 2);
    Frame([&] { options->GetSoundScroll()->GetThumb()->latched = false; });
    EXPECT_FALSE(sample->playing);
    EXPECT_EQ(sample->CountCalls("Play 0"), 2);
}

} // namespace
