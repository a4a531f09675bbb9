#include "framework/windows/GUIStageCompleteWindowBase.h"

namespace GameFramework {

void GUIStageCompleteWindowBase::ShowStage(Halvard::u32 opener, const LevelReference& completed)
{
    ShowWindow(opener);
    completed_ = completed;
}

} // namespace GameFramework
