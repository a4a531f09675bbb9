#include "gui_tools/controls/GUICheckBoxControl.h"

#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUIManager.h"

using namespace Halvard;

namespace GUITools {

GUICheckBoxControl::GUICheckBoxControl(Engine* engine, GameTools::DataKeeper* resources, GUIWindow* parent,
                                       const GUIControlDescription& description)
    : GUIControl(engine, resources, description.name)
{
    GUIManager* gui = GetGUIManager();
    const GUIPlacement at = Placement(parent);
    checkBox_ = MakePicture(
        description.model, description.shader, description.uv,
        [&](const ShaderDescriptor& shader, const Vector2& uv) {
            return gui->CreateCheckBox(at.flags, at.position, at.size, shader, parent, uv);
        },
        [&](const Model* model) {
            return gui->CreateCheckBoxFromModel(at.flags, at.position, at.size, model, parent);
        });
    Init(checkBox_, description);
    DropModelAnimation();
}

GUICheckBoxControl::~GUICheckBoxControl() { GetGUIManager()->DestroyCheckBox(checkBox_); }

} // namespace GUITools
