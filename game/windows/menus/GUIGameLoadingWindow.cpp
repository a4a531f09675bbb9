#include "game/windows/menus/GUIGameLoadingWindow.h"

namespace Tamrisk {

GUIGameLoadingWindow::GUIGameLoadingWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                           GameData* resources, GUITools::GUIToolManager* tools,
                                           GUIMenuWindowManager* manager, Halvard::GUIWindow* parent)
    : GUIMenuLoadingWindow(engine, sounds, resources, tools, manager, parent, kDescriptionName)
{
}

GUIGameLoadingWindow::~GUIGameLoadingWindow() = default;

} // namespace Tamrisk
