#include "engine/gui/GUIButton.h"

#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUIStateFrame.h"

namespace Halvard {

GUIButton::GUIButton(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
                     const Vector2& uvExtent)
    : GUIWindow(services, placement, shader, uvExtent)
{
}

GUIButton::GUIButton(const GUIServices& services, const GUIPlacement& placement, const std::string& modelFile)
    : GUIWindow(services, placement, modelFile)
{
}

GUIButton::GUIButton(const GUIServices& services, const GUIPlacement& placement, const Model* model)
    : GUIWindow(services, placement, model)
{
}

void GUIButton::PlaySound(u32 id) const
{
    if (GetServices().sounds != nullptr)
        GetServices().sounds->Play(id);
}

// The click sounds at the press; the click itself counts at the release,
// and only over the button.
bool GUIButton::ProcessInput(const Vector2& cursor, bool held, bool pressed)
{
    clicked = false;
    if (!GUIWindow::ProcessInput(cursor, held, pressed) || state == kDisabled)
        return false;
    if (over && pressed && !latched) {
        latched = true;
        PlaySound(clickSoundId);
    }
    if (latched) {
        if (!held) {
            clicked = over;
            latched = false;
        } else {
            state = over ? kPressed : kNormal;
        }
    }
    if (!latched) {
        state = over ? kOver : kNormal;
        if (over && !wasOver)
            PlaySound(overSoundId);
    }
    wasOver = over;
    return true;
}

bool GUIButton::Draw()
{
    if (!GUIWindow::Draw())
        return false;
    ShowStateFrame(GetAnimation(), GetState());
    return true;
}

void GUIButton::BecameVisible()
{
    if (state != kDisabled)
        state = kNormal;
}

void GUIButton::SetEnabled(bool enable)
{
    if (IsEnabled() == enable)
        return;
    state = enable ? kNormal : kDisabled;
}

} // namespace Halvard
