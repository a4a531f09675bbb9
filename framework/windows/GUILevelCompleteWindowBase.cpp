#include "framework/windows/GUILevelCompleteWindowBase.h"

namespace GameFramework {

void GUILevelCompleteWindowBase::ShowLevelResult(Halvard::u32 opener, const LevelReference& level, float time)
{
    ShowWindow(opener);
    level_ = level;
    time_ = time;
}

} // namespace GameFramework
