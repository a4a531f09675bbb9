#include "game/windows/menus/GUIWelcomeWindow.h"

#include "engine/app/Engine.h"
#include "framework/windows/WindowResult.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIWelcomeWindow::GUIWelcomeWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profiles,
                                   GameFramework::SoundSet* sounds, GameData* resources,
                                   GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                   Halvard::GUIWindow* parent)
    : GUIWelcomeWindowBase(profiles),
      GUIMenuWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName),
      form_(*this, engine->GetControls())
{
}

GUIWelcomeWindow::~GUIWelcomeWindow() = default;

void GUIWelcomeWindow::ShowWindow(Halvard::u32 opener)
{
    GUIWelcomeWindowBase::ShowWindow(opener);
    GUIMenuWindow::Show(true);
    form_.SetName(std::wstring());
}

void GUIWelcomeWindow::HideWindow()
{
    GUIWelcomeWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUIWelcomeWindow::UpdateWindow()
{
    GUIWelcomeWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    if (form_.IsOtherClicked())
        SetResult(WindowResult::kExitQuestion);
    if (form_.IsAccepted()) {
        std::wstring name = form_.GetName();
        if (name.empty())
            name = GetToolManager()->GetTextTool()->GetText("welcome/player");
        CreateProfile(name);
        SetResult(WindowResult::kMainMenu);
    }
}

} // namespace Tamrisk
