#include "gui_tools/controls/GUIButtonControl.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"

using namespace Halvard;

namespace GUITools {

GUIButtonControl::GUIButtonControl(Engine* engine, GameTools::DataKeeper* resources, GUIWindow* parent,
                                   const GUIControlDescription& description)
    : GUIControl(engine, resources, description.name)
{
    button_ = CreateWidget(parent, description, &GUIManager::CreateButton, &GUIManager::CreateButtonFromModel);
    Init(button_, description);
    DropModelAnimation();
}

GUIButtonControl::~GUIButtonControl() { GetGUIManager()->DestroyButton(button_); }

} // namespace GUITools
