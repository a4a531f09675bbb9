#include "framework/windows/WindowFlowState.h"

namespace GameFramework {

WindowFlowState::~WindowFlowState()
{
    gameLogic.reset();
    windows.DestroyAll();
}

} // namespace GameFramework
