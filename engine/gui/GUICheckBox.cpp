#include "engine/gui/GUICheckBox.h"

#include "engine/gui/GUISoundManager.h"

namespace Halvard {

GUICheckBox::GUICheckBox(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
                         const Vector2& uvExtent)
    : GUIButton(services, placement, shader, uvExtent)
{
    UseCheckBoxSounds();
}

GUICheckBox::GUICheckBox(const GUIServices& services, const GUIPlacement& placement, const std::string& modelFile)
    : GUIButton(services, placement, modelFile)
{
    UseCheckBoxSounds();
}

GUICheckBox::GUICheckBox(const GUIServices& services, const GUIPlacement& placement, const Model* model)
    : GUIButton(services, placement, model)
{
    UseCheckBoxSounds();
}

void GUICheckBox::UseCheckBoxSounds()
{
    overSoundId = GUISoundManager::kCheckBoxOver;
    clickSoundId = GUISoundManager::kCheckBoxClick;
}

bool GUICheckBox::ProcessInput(const Vector2& cursor, bool held, bool pressed)
{
    if (!GUIButton::ProcessInput(cursor, held, pressed))
        return false;
    if (clicked)
        checked = !checked;
    return true;
}

u32 GUICheckBox::GetState() const
{
    if (state == kDisabled)
        return checked ? 7 : 6;
    return checked ? state + 3 : state;
}

} // namespace Halvard
