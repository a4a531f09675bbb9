#include "game/windows/level/GUIGameLogicGameExitWindow.h"

#include "framework/windows/WindowResult.h"

namespace Tamrisk {

using GameFramework::WindowResult;

GUIGameLogicGameExitWindow::GUIGameLogicGameExitWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                                       GameData* resources, GUITools::GUIToolManager* tools,
                                                       GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_1", WindowResult::kExitProgram},
                          {"/window/button_0", WindowResult::kResume}})
{
    EnableMount(GetStaticTitleMount(), false);
}

} // namespace Tamrisk
