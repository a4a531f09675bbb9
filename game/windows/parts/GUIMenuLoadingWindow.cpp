#include "game/windows/parts/GUIMenuLoadingWindow.h"

#include "framework/windows/WindowResult.h"
#include "gui_tools/controls/GUITextControl.h"

namespace Tamrisk {

GUIMenuLoadingWindow::GUIMenuLoadingWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                           GameData* resources, GUITools::GUIToolManager* tools,
                                           GUIMenuWindowManager* manager, Halvard::GUIWindow* parent,
                                           const std::string& name)
    : GUILoadingWindowBase(engine), GUIMenuWindow(engine, sounds, resources, tools, manager, parent, name)
{
}

GUIMenuLoadingWindow::~GUIMenuLoadingWindow() = default;

void GUIMenuLoadingWindow::ShowLoading(Halvard::u32 opener, GameTools::DataKeeper* task)
{
    GUILoadingWindowBase::ShowLoading(opener, task);
    GUIMenuWindow::Show(true);
    ready_ = false;
}

void GUIMenuLoadingWindow::HideWindow()
{
    GUILoadingWindowBase::HideWindow();
    GUIMenuWindow::Show(false);
}

void GUIMenuLoadingWindow::UpdateWindow()
{
    GUILoadingWindowBase::UpdateWindow();
    GUIMenuWindow::Update();
    if (!GUIMenuWindow::IsVisible())
        return;
    if (ready_ && GetTask() != nullptr) {
        Load();
        SetResult(GameFramework::WindowResult::kDone);
    }
    const GUITools::GUITextControl* title = GetTitle();
    if (title != nullptr && !(title->IsVisible() && title->IsPrintingDone()))
        return;
    ready_ = true;
}

} // namespace Tamrisk
