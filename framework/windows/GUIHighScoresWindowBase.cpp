#include "framework/windows/GUIHighScoresWindowBase.h"

namespace GameFramework {

void GUIHighScoresWindowBase::ShowNewScore(Halvard::u32 opener, const HighScoresTable::Entry* entry)
{
    ShowWindow(opener);
    newEntry_ = entry;
}

} // namespace GameFramework
