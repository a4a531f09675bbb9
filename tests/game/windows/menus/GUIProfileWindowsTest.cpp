#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/persistence/ProfileManager.h"
#include "game/windows/menus/GUIDeleteProfileWindow.h"
#include "game/windows/menus/GUINewProfileWindow.h"
#include "game/windows/menus/GUIProfileNameConflictWindow.h"
#include "game/windows/menus/GUIRenameProfileWindow.h"
#include "game/windows/menus/GUIWelcomeWindow.h"
#include "gui_tools/controls/GUITextControl.h"
#include "tests/support/FakeEngine.h"
#include "tests/support/game/MenuWindowBed.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using GameFramework::ProfileManagerBase;
using GameFramework::WindowResult;
using GameFramework::WindowSource;

// A name window: the field, the other button and the accept button, with a
// title on the other button as the new profile window has it.
std::string NameWindow(const std::string& name)
{
    return "<window name=\"" + name + R"(" fader="menu"><window name="window" fader="menu" size="400 400">)"
           R"(<edit_box name="name" font="common_0" size="200 20" max_character_count="254" fader="menu"/>)"
           R"(<button name="button_0" position="0 50" size="100 20" fader="menu">)"
           R"(<text_label name="title" font="common_0" text="common/cancel" size="100 20" fader="menu"/></button>)"
           R"(<button name="button_1" position="200 50" size="100 20" fader="menu"/>)"
           R"(<text_label name="text" font="common_0" text="'Delete %PROFILE_NAME%?'" size="400 20" fader="menu"/>)"
           R"(</window></window>)";
}

const char* const kTexts = R"(<welcome><player><en text="Someone"/></player></welcome>)"
                           R"(<common><exit><en text="Exit"/></exit><cancel><en text="Cancel"/></cancel></common>)";

// The profile windows on the fakes, with a profile manager on a user
// folder of the test's own.
class GUIProfileWindowsTest : public testing::Test {
protected:
    void Make(const std::vector<std::wstring>& names)
    {
        engine.Start();
        Testing::MenuFixture fixture;
        fixture.descriptions = {{"faders.xml", Testing::kMenuFaders}};
        for (const char* name : {"window_welcome", "window_new_profile", "window_rename_profile",
                                 "window_profile_name_conflict", "window_delete_profile"})
            fixture.descriptions[std::string(name) + ".xml"] = NameWindow(name);
        fixture.texts = kTexts;
        bed = std::make_unique<Testing::MenuWindowBed>(engine.Get(), &engine.clock, engine.folder, fixture);
        profiles = bed->MakeProfiles(engine.folder);
        for (const std::wstring& name : names)
            profiles->AddProfile(name);
        if (!names.empty())
            profiles->SetCurrentProfile(profiles->GetProfile(names.front()), ProfileManagerBase::ListSaving::kKeepFile);
    }

    ~GUIProfileWindowsTest() override
    {
        windows.clear();
        profiles.reset();
        bed.reset();
    }

    template <class Window>
    Window* Add()
    {
        auto window = std::make_unique<Window>(&engine.Get(), profiles.get(), bed->sounds.get(), bed->data.get(),
                                               bed->tools.get(), bed->manager.get(), nullptr);
        Window* raw = window.get();
        windows.push_back(std::move(window));
        return raw;
    }

    Tamrisk::GUIProfileNameConflictWindow* AddConflict()
    {
        auto window = std::make_unique<Tamrisk::GUIProfileNameConflictWindow>(
            &engine.Get(), bed->sounds.get(), bed->data.get(), bed->tools.get(), bed->manager.get(), nullptr);
        Tamrisk::GUIProfileNameConflictWindow* raw = window.get();
        windows.push_back(std::move(window));
        return raw;
    }

    // Frames enough for the window to take the screen and show its frame;
    // the last runs the given step before the window's update.
    void Settle(GameFramework::GUIFrameworkWindow& window, const std::function<void()>& lastStep = {})
    {
        for (int frame = 0; frame < 20; ++frame)
            bed->Frame([&] { window.UpdateWindow(); });
        bed->Frame([&] {
            if (lastStep)
                lastStep();
            window.UpdateWindow();
        });
    }

    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> names;
        for (const auto& profile : profiles->GetProfiles())
            names.push_back(profile->GetName());
        return names;
    }

    std::wstring Current() const
    {
        return profiles->GetCurrentProfile() != nullptr ? profiles->GetCurrentProfile()->GetName() : std::wstring();
    }

    Testing::FakeEngine engine;
    std::unique_ptr<Testing::MenuWindowBed> bed;
    std::unique_ptr<Tamrisk::ProfileManager> profiles;
    std::vector<std::unique_ptr<Tamrisk::GUIMenuWindow>> windows;
};

enum class NameWindowKind { kWelcome, kNewProfile, kRename };

struct NameCase {
    const char* name;
    NameWindowKind kind;
    std::vector<std::wstring> before;
    std::wstring typed;
    // Clicks the accept button, else the other one.
    bool accept;
    Halvard::u32 result;
    std::vector<std::wstring> after;
    std::wstring current;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }

class GUIProfileNameWindowTest : public GUIProfileWindowsTest, public testing::WithParamInterface<NameCase> {};

TEST_P(GUIProfileNameWindowTest, TheTrimmedNameMakesOrRenamesAProfileOrReportsWhy)
{
    const NameCase& c = GetParam();
    Make(c.before);
    GameFramework::GUIFrameworkWindow* window = nullptr;
    const Tamrisk::ProfileNameForm* form = nullptr;
    switch (c.kind) {
    case NameWindowKind::kWelcome: {
        auto* welcome = Add<Tamrisk::GUIWelcomeWindow>();
        welcome->ShowWindow(WindowSource::kGameLoading);
        window = welcome;
        form = &welcome->GetForm();
        break;
    }
    case NameWindowKind::kNewProfile: {
        auto* create = Add<Tamrisk::GUINewProfileWindow>();
        create->ShowFrom(WindowSource::kProfiles, true);
        EXPECT_EQ(create->GetCancelTitle()->GetTextKey(), c.before.empty() ? "common/exit" : "common/cancel");
        window = create;
        form = &create->GetForm();
        break;
    }
    case NameWindowKind::kRename: {
        auto* rename = Add<Tamrisk::GUIRenameProfileWindow>();
        rename->ShowWithName(WindowSource::kProfiles, true, Current());
        EXPECT_EQ(rename->GetForm().GetEditBox()->GetText(), Current());
        window = rename;
        form = &rename->GetForm();
        break;
    }
    }
    Settle(*window, [&] {
        form->GetEditBox()->SetText(c.typed);
        (c.accept ? form->GetAcceptButton() : form->GetOtherButton())->clicked = true;
    });
    EXPECT_EQ(window->GetResult(), c.result);
    EXPECT_EQ(Names(), c.after);
    EXPECT_EQ(Current(), c.current);
}

using NWK = NameWindowKind;
using NameList = std::vector<std::wstring>;

INSTANTIATE_TEST_SUITE_P(
    Cases, GUIProfileNameWindowTest,
    testing::Values(
        NameCase{"WelcomeBlankTakesThePlayerText", NWK::kWelcome, {}, L" \xA0\x3000", true, WindowResult::kMainMenu,
                 NameList{L"Someone"}, L"Someone"},
        NameCase{"WelcomeTrims", NWK::kWelcome, {}, L"\xFEFF" L"Anna\xA0 ", true, WindowResult::kMainMenu,
                 NameList{L"Anna"}, L"Anna"},
        NameCase{"WelcomeExitQuestion", NWK::kWelcome, {}, L"Anna", false, WindowResult::kExitQuestion, NameList{},
                 L""},
        NameCase{"NewBlankRefused", NWK::kNewProfile, {L"Anna"}, L"\t\xA0", true, WindowResult::kNone,
                 NameList{L"Anna"}, L"Anna"},
        NameCase{"NewTakenInAnotherCase", NWK::kNewProfile, {L"Anna"}, L"ANNA ", true, WindowResult::kNameConflict,
                 NameList{L"Anna"}, L"Anna"},
        NameCase{"NewMade", NWK::kNewProfile, {L"Anna"}, L" Bob", true, WindowResult::kProfiles,
                 NameList{L"Anna", L"Bob"}, L"Bob"},
        NameCase{"NewCancel", NWK::kNewProfile, {L"Anna"}, L"Bob", false, WindowResult::kProfiles, NameList{L"Anna"},
                 L"Anna"},
        NameCase{"NewCancelWithoutProfiles", NWK::kNewProfile, {}, L"Bob", false, WindowResult::kExitQuestion,
                 NameList{}, L""},
        NameCase{"RenameOwnNameInAnotherCase", NWK::kRename, {L"Anna"}, L"ANNA", true, WindowResult::kProfiles,
                 NameList{L"Anna"}, L"Anna"},
        NameCase{"RenameToAnotherProfile", NWK::kRename, {L"Anna", L"Bob"}, L"bob", true, WindowResult::kNameConflict,
                 NameList{L"Anna", L"Bob"}, L"Anna"},
        NameCase{"RenameBlankRefused", NWK::kRename, {L"Anna"}, L"\xA0\xFEFF", true, WindowResult::kNone,
                 NameList{L"Anna"}, L"Anna"},
        NameCase{"Renamed", NWK::kRename, {L"Anna"}, L"Carl ", true, WindowResult::kProfiles, NameList{L"Carl"},
                 L"Carl"},
        NameCase{"RenameCancel", NWK::kRename, {L"Anna"}, L"Carl", false, WindowResult::kProfiles, NameList{L"Anna"},
                 L"Anna"}),
    [](const testing::TestParamInfo<NameCase>& info) { return std::string(info.param.name); });

TEST_F(GUIProfileWindowsTest, TheConflictLeadsBackToTheWindowThatOpenedIt)
{
    Make({L"Anna"});
    Tamrisk::GUIProfileNameConflictWindow* conflict = AddConflict();
    const std::pair<Halvard::u32, Halvard::u32> cases[] = {
        {WindowSource::kNewProfile, WindowResult::kNewProfile},
        {WindowSource::kRenameProfile, WindowResult::kRenameProfile}};
    for (const auto& [opener, result] : cases) {
        conflict->ShowWindow(opener);
        Settle(*conflict);
        EXPECT_EQ(conflict->GetResult(), WindowResult::kNone);
        Settle(*conflict, [&] { conflict->GetBackButton()->clicked = true; });
        EXPECT_EQ(conflict->GetResult(), result) << "opener " << opener;
        conflict->HideWindow();
    }
}

TEST_F(GUIProfileWindowsTest, DeletingAsksWithTheNameInQuotesAndLeadsToANewProfileAfterTheLast)
{
    Make({L"Anna", L"Bob"});
    auto* remove = Add<Tamrisk::GUIDeleteProfileWindow>();
    struct Step {
        std::wstring name;
        bool yes;
        Halvard::u32 result;
        NameList after;
    };
    const Step steps[] = {{L"Bob", false, WindowResult::kProfiles, {L"Anna", L"Bob"}},
                          {L"Bob", true, WindowResult::kProfiles, {L"Anna"}},
                          {L"Anna", true, WindowResult::kNewProfile, {}}};
    for (const Step& step : steps) {
        remove->ShowWithName(WindowSource::kProfiles, step.name);
        Settle(*remove, [&] { (step.yes ? remove->GetYesButton() : remove->GetNoButton())->clicked = true; });
        EXPECT_EQ(remove->GetWindowText()->GetLines().at(0), L"Delete \"" + step.name + L"\"?");
        EXPECT_EQ(remove->GetResult(), step.result);
        EXPECT_EQ(Names(), step.after);
        remove->HideWindow();
    }
}

} // namespace
