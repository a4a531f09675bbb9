#include "game/windows/level/GUIStageCompleteWindow.h"

#include "framework/levels/LevelManagerBase.h"
#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

void GUIStageCompleteWindow::ShowStage(Halvard::u32 opener, const GameFramework::LevelReference& completed)
{
    GUIStageCompleteWindowBase::ShowStage(opener, completed);
    ReportOutsideUpdate(GetLevelManager()->IsLastLevel(completed) ? WindowResult::kGameComplete
                                                                  : WindowResult::kEndLevel);
}

} // namespace Tamrisk
