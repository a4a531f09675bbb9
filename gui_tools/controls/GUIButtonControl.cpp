#include "gui_tools/controls/GUIButtonControl.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIManager.h"

using namespace Halvard;

namespace GUITools {

GUIButtonControl::GUIButtonControl(Engine* engine, GameTools::DataKeeper* resources, GUIWindow* parent,
                                   const GUIControlDescription& description)
    : GUIControl(engine, resources, description.name)
{
    GUIManager* gui = GetGUIManager();
    const GUIPlacement at = Placement(parent);
    button_ = MakePicture(
        description.model, description.shader, description.uv,
        [&](const ShaderDescriptor& shader, const Vector2& uv) {
            return gui->CreateButton(at.flags, at.position, at.size, shader, parent, uv);
        },
        [&](const Model* model) { return gui->CreateButtonFromModel(at.flags, at.position, at.size, model, parent); });
    Init(button_, description);
    DropModelAnimation();
}

GUIButtonControl::~GUIButtonControl() { GetGUIManager()->DestroyButton(button_); }

} // namespace GUITools
