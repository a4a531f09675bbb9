#include "game/windows/level/GUIGameLogicPauseWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIGameLogicPauseWindow::GUIGameLogicPauseWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                                 GameData* resources, GUITools::GUIToolManager* tools,
                                                 GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_0", WindowResult::kResume}})
{
    EnableMount(GetStaticTitleMount(), false);
}

} // namespace Tamrisk
