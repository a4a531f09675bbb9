#include "game/SaveTroubleNotice.h"

#include "engine/core/PathUtils.h"
#include "framework/persistence/SaveTrouble.h"
#include "framework/windows/FrameworkWindows.h"
#include "framework/windows/GUILoadingWindowBase.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/windows/menus/GUISaveTroubleWindow.h"

namespace Tamrisk {

using GameFramework::GUIFrameworkWindow;

SaveTroubleNotice::SaveTroubleNotice(GameFramework::SaveTrouble* trouble, WindowFactory makeWindow)
    : trouble_(trouble), makeWindow_(std::move(makeWindow))
{
}

SaveTroubleNotice::~SaveTroubleNotice() = default;

void SaveTroubleNotice::Process(const GameFramework::FrameworkWindows& windows, bool levelOpen)
{
    if (replaced_ != nullptr) {
        if (window_->GetResult() == GameFramework::WindowResult::kDone)
            GiveScreenBack();
        return;
    }
    if (levelOpen || !trouble_->HasUntold())
        return;
    if (GUIFrameworkWindow* shown = FindMenuWindowShown(windows))
        ShowInPlaceOf(*shown);
}

void SaveTroubleNotice::ShowInPlaceOf(GUIFrameworkWindow& window)
{
    const GameFramework::SaveTrouble::Trouble trouble = trouble_->TakeUntold();
    if (window_ == nullptr)
        window_ = makeWindow_();
    replaced_ = &window;
    window.HideWindow();
    window_->ShowNotice(GameFramework::WindowSource::kNone, trouble.kind, Halvard::MakeShownPath(trouble.path));
}

void SaveTroubleNotice::GiveScreenBack()
{
    window_->HideWindow();
    replaced_->ShowWindow(replaced_->GetOpener());
    replaced_ = nullptr;
}

GUIFrameworkWindow* SaveTroubleNotice::FindMenuWindowShown(const GameFramework::FrameworkWindows& windows)
{
    GUIFrameworkWindow* found = nullptr;
    for (GUIFrameworkWindow* window : windows.All()) {
        const auto* menu = dynamic_cast<const GUIMenuWindow*>(window);
        if (menu == nullptr || !menu->IsShown() || dynamic_cast<GameFramework::GUILoadingWindowBase*>(window) != nullptr)
            continue;
        if (found != nullptr)
            return nullptr;
        found = window;
    }
    return found;
}

void SaveTroubleNotice::ResetResult()
{
    if (window_ != nullptr)
        window_->ResetResult();
}

void SaveTroubleNotice::Update()
{
    if (window_ != nullptr)
        window_->UpdateWindow();
}

} // namespace Tamrisk
