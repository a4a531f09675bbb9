#include "game/windows/menus/GUIContinueGameLogicWindow.h"

#include "framework/persistence/ProfileBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/WindowResult.h"
#include "gui_tools/controls/GUITextControl.h"

#include <string>

namespace Tamrisk {

using GameFramework::WindowResult;

GUIContinueGameLogicWindow::GUIContinueGameLogicWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                                       GameFramework::ProfileManagerBase* profiles, GameData* resources,
                                                       GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                                       Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_2", WindowResult::kBack},
                          {"/window/button_1", WindowResult::kEndLevel},
                          {"/window/button_0", WindowResult::kMainMenu}}),
      profiles_(profiles)
{
    level_ = GetTextControl(GetName() + "/window/level");
    score_ = GetTextControl(GetName() + "/window/score");
}

void GUIContinueGameLogicWindow::ShowWindow(Halvard::u32 opener)
{
    GUIButtonRowWindow::ShowWindow(opener);
    const GameFramework::ProfileBase* profile = profiles_->GetCurrentProfile();
    if (profile == nullptr)
        return;
    const GameFramework::LevelReference& level = profile->GetCurrentLevel();
    // Counted from one in 64 bits: a damaged file may hold the largest
    // 32-bit index, which must not show as 0.
    if (level_ != nullptr)
        level_->SetRawText(std::to_wstring(Halvard::u64{level.stage} + 1) + L"-" +
                           std::to_wstring(Halvard::u64{level.level} + 1));
    if (score_ != nullptr)
        score_->SetRawText(std::to_wstring(profile->GetScore()));
}

} // namespace Tamrisk
