#include "framework/windows/GUIGameLogicWindowBase.h"

#include "engine/app/Engine.h"
#include "engine/core/Config.h"
#include "engine/core/Window.h"
#include "framework/logic/GameLogicBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/VideoSettingsAccess.h"

#include <algorithm>

namespace GameFramework {

GUIGameLogicWindowBase::GUIGameLogicWindowBase(Halvard::Engine* engine, ProfileManagerBase* profileManager)
    : engine_(engine), config_(engine->GetConfig()), window_(engine->GetWindow()), profileManager_(profileManager)
{
}

void GUIGameLogicWindowBase::UpdateWindow()
{
    GUIFrameworkWindow::UpdateWindow();
    VideoSettingsAccess::FollowPendingWindowMode(*config_, fullScreen_);
}

void GUIGameLogicWindowBase::HideWindow()
{
    GUIFrameworkWindow::HideWindow();
    profile_ = nullptr;
    gameLogic_ = nullptr;
    heldBack_ = 0;
}

void GUIGameLogicWindowBase::ShowGameLogic(Halvard::u32 opener, GameLogicBase* gameLogic)
{
    ShowWindow(opener);
    gameLogic_ = gameLogic;
    profile_ = profileManager_->GetCurrentProfile();
    heldBack_ = 0;
    fullScreen_ = config_->fullScreen != 0;
    SetActive(true);
}

void GUIGameLogicWindowBase::SetActive(bool active)
{
    active_ = active;
}

void GUIGameLogicWindowBase::MinimizeWindow()
{
    window_->Minimize();
}

Halvard::u32 GUIGameLogicWindowBase::GetTotalScore() const
{
    Halvard::u32 total = gameLogic_ != nullptr ? gameLogic_->GetScore() : 0;
    if (profile_ != nullptr)
        total = profile_->GetScoreWith(total);
    return total - std::min(heldBack_, total);
}

} // namespace GameFramework
