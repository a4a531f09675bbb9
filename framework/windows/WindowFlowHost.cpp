#include "framework/windows/WindowFlowHost.h"

#include "framework/persistence/LevelResult.h"
#include "framework/windows/WindowFlow.h"

namespace GameFramework {

std::unique_ptr<LevelResult> WindowFlowHost::CreateLevelResult()
{
    return std::make_unique<LevelResult>();
}

void WindowFlowHost::FillLevelResult(LevelResult& result)
{
    GetWindowFlow().FillLevelResult(result);
}

void WindowFlowHost::ProcessWindows() { GetWindowFlow().ProcessWindows(); }
void WindowFlowHost::ResetWindowResults() { GetWindowFlow().ResetWindowResults(); }
void WindowFlowHost::UpdateWindows() { GetWindowFlow().UpdateWindows(); }

void WindowFlowHost::ProcessLogosWindow() { GetWindowFlow().ProcessLogosWindow(); }
void WindowFlowHost::ProcessGameLoadingWindow() { GetWindowFlow().ProcessGameLoadingWindow(); }
void WindowFlowHost::ProcessWelcomeWindow() { GetWindowFlow().ProcessWelcomeWindow(); }
void WindowFlowHost::ProcessExitWindow() { GetWindowFlow().ProcessExitWindow(); }
void WindowFlowHost::ProcessMainMenuWindow() { GetWindowFlow().ProcessMainMenuWindow(); }
void WindowFlowHost::ProcessProfilesWindow() { GetWindowFlow().ProcessProfilesWindow(); }
void WindowFlowHost::ProcessGameLogicLoadingWindow() { GetWindowFlow().ProcessGameLogicLoadingWindow(); }
void WindowFlowHost::ProcessNewProfileWindow() { GetWindowFlow().ProcessNewProfileWindow(); }
void WindowFlowHost::ProcessRenameProfileWindow() { GetWindowFlow().ProcessRenameProfileWindow(); }
void WindowFlowHost::ProcessDeleteProfileWindow() { GetWindowFlow().ProcessDeleteProfileWindow(); }
void WindowFlowHost::ProcessProfileNameConflictWindow() { GetWindowFlow().ProcessProfileNameConflictWindow(); }
void WindowFlowHost::ProcessStartGameLogicWindow() { GetWindowFlow().ProcessStartGameLogicWindow(); }
void WindowFlowHost::ProcessContinueGameLogicWindow() { GetWindowFlow().ProcessContinueGameLogicWindow(); }
void WindowFlowHost::ProcessHighScoresWindow() { GetWindowFlow().ProcessHighScoresWindow(); }
void WindowFlowHost::ProcessOptionsWindow() { GetWindowFlow().ProcessOptionsWindow(); }
void WindowFlowHost::ProcessHelpWindow() { GetWindowFlow().ProcessHelpWindow(); }
void WindowFlowHost::ProcessGameLogicWindow() { GetWindowFlow().ProcessGameLogicWindow(); }
void WindowFlowHost::ProcessGameLogicPauseWindow() { GetWindowFlow().ProcessGameLogicPauseWindow(); }
void WindowFlowHost::ProcessGameLogicMenuWindow() { GetWindowFlow().ProcessGameLogicMenuWindow(); }
void WindowFlowHost::ProcessGameLogicMenuExitWindow() { GetWindowFlow().ProcessGameLogicMenuExitWindow(); }
void WindowFlowHost::ProcessGameLogicRestartWindow() { GetWindowFlow().ProcessGameLogicRestartWindow(); }
void WindowFlowHost::ProcessGameLogicGameExitWindow() { GetWindowFlow().ProcessGameLogicGameExitWindow(); }
void WindowFlowHost::OnLevelComplete() { GetWindowFlow().OnLevelComplete(); }
void WindowFlowHost::LeaveGameLogic() { GetWindowFlow().LeaveGameLogic(); }
void WindowFlowHost::OnGameOver() { GetWindowFlow().OnGameOver(); }
void WindowFlowHost::ProcessLevelCompleteWindow() { GetWindowFlow().ProcessLevelCompleteWindow(); }
void WindowFlowHost::ProcessStageCompleteWindow() { GetWindowFlow().ProcessStageCompleteWindow(); }
void WindowFlowHost::ProcessGameCompleteWindow() { GetWindowFlow().ProcessGameCompleteWindow(); }
void WindowFlowHost::ProcessGameOverWindow() { GetWindowFlow().ProcessGameOverWindow(); }

} // namespace GameFramework
