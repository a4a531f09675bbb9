#include "gui_tools/controls/GUIWindowControl.h"

#include "engine/gui/GUIManager.h"

namespace GUITools {

GUIWindowControl::GUIWindowControl(Halvard::Engine* engine, GameTools::DataKeeper* resources,
                                   Halvard::GUIWindow* parent, const GUIControlDescription& description)
    : GUIControl(engine, resources, description.name)
{
    Init(CreateWindowWidget(parent, description), description);
}

GUIWindowControl::~GUIWindowControl() { GetGUIManager()->DestroyWindow(GetWindow()); }

} // namespace GUITools
