#include "game/windows/menus/GUIMainMenuWindow.h"

#include "engine/gui/GUIButton.h"
#include "framework/persistence/ProfileBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/WindowResult.h"
#include "gui_tools/controls/GUITextControl.h"
#include "gui_tools/controls/GUIWindowControl.h"

#include <string>

namespace Tamrisk {

namespace {

using GameFramework::WindowResult;

constexpr const char* kButtonPaths[GUIMainMenuWindow::kButtonCount] = {
    "/window/start", "/window/high_scores", "/window/options", "/window/change_player", "/window/credits",
    "/window/exit"};

// The buttons whose clicks are read, in the order in which a later click
// replaces an earlier one's result.
struct ButtonResult {
    std::size_t button;
    Halvard::u32 result;
};
constexpr ButtonResult kResults[] = {
    {GUIMainMenuWindow::kChangePlayer, WindowResult::kProfiles},
    {GUIMainMenuWindow::kStart, WindowResult::kPlay},
    {GUIMainMenuWindow::kHighScores, WindowResult::kHighScores},
    {GUIMainMenuWindow::kOptions, WindowResult::kOptions},
    {GUIMainMenuWindow::kExit, WindowResult::kExitQuestion},
    {GUIMainMenuWindow::kCredits, WindowResult::kHelp},
};

const char* FontFor(Halvard::u32 state)
{
    switch (state) {
    case Halvard::GUIButton::kOver:
        return "main_menu_1";
    case Halvard::GUIButton::kPressed:
        return "main_menu_2";
    default:
        return "main_menu_0";
    }
}

} // namespace

GUIMainMenuWindow::GUIMainMenuWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                                     GameFramework::SoundSet* sounds, GameData* resources,
                                     GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                     Halvard::GUIWindow* parent)
    : GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName), profiles_(profiles)
{
    for (std::size_t i = 0; i < kButtonCount; ++i)
        buttons_[i] = GetButton(GetName() + kButtonPaths[i]);
    for (std::size_t i = 0; i < kButtonCount; ++i)
        titles_[i] = GetTextControl(GetName() + kButtonPaths[i] + "/title");
}

GUIMainMenuWindow::~GUIMainMenuWindow() = default;

void GUIMainMenuWindow::ShowWindow(Halvard::u32 opener)
{
    GUIMainMenuWindowBase::ShowWindow(opener);
    GUIMenuWindow::Show(true);
    if (GetTitle() != nullptr) {
        const GameFramework::ProfileBase* profile = profiles_->GetCurrentProfile();
        GetTitle()->SetParameter(L"PROFILE_NAME", profile != nullptr ? profile->GetName() : std::wstring());
    }
    for (Halvard::GUIButton* button : buttons_) {
        if (button != nullptr)
            button->SetEnabled(false);
    }
}

void GUIMainMenuWindow::HideWindow()
{
    GUIMainMenuWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUIMainMenuWindow::UpdateWindow()
{
    GUIMainMenuWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    FollowButtonStates();
    ReadClicks();
}

// While the window waits for the screen its frame is not shown, so its
// buttons take no clicks.
void GUIMainMenuWindow::FollowButtonStates()
{
    const bool enable = GetFrame() == nullptr || GetFrame()->IsVisible();
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        Halvard::GUIButton* button = buttons_[i];
        if (button == nullptr)
            continue;
        // Setting a font lays the text out again: only a change is set.
        const char* font = FontFor(button->GetState());
        if (titles_[i] != nullptr && titles_[i]->GetFontName() != font)
            titles_[i]->SetFont(font);
        button->SetEnabled(enable);
    }
}

void GUIMainMenuWindow::ReadClicks()
{
    for (const ButtonResult& entry : kResults) {
        const Halvard::GUIButton* button = buttons_[entry.button];
        if (button != nullptr && button->clicked)
            SetResult(entry.result);
    }
}

} // namespace Tamrisk
