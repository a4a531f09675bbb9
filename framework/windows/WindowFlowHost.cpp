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

// Every window's handler runs the flow's own.
#define WINDOW_FLOW_HOST_FORWARD(Base, member, Stem, ...)                                                            \
    void WindowFlowHost::Process##Stem##Window() { GetWindowFlow().Process##Stem##Window(); }
FRAMEWORK_WINDOWS(WINDOW_FLOW_HOST_FORWARD)
#undef WINDOW_FLOW_HOST_FORWARD

void WindowFlowHost::OnLevelComplete() { GetWindowFlow().OnLevelComplete(); }
void WindowFlowHost::LeaveGameLogic() { GetWindowFlow().LeaveGameLogic(); }
void WindowFlowHost::OnGameOver() { GetWindowFlow().OnGameOver(); }

} // namespace GameFramework
