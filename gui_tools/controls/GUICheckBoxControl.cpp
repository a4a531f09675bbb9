#include "gui_tools/controls/GUICheckBoxControl.h"

#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"

using namespace Halvard;

namespace GUITools {

GUICheckBoxControl::GUICheckBoxControl(Engine* engine, GameTools::DataKeeper* resources, GUIWindow* parent,
                                       const GUIControlDescription& description)
    : GUIControl(engine, resources, description.name)
{
    checkBox_ = CreateWidget(parent, description, &GUIManager::CreateCheckBox, &GUIManager::CreateCheckBoxFromModel);
    Init(checkBox_, description);
    DropModelAnimation();
}

GUICheckBoxControl::~GUICheckBoxControl() { GetGUIManager()->DestroyCheckBox(checkBox_); }

} // namespace GUITools
