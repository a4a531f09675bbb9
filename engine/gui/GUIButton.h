#pragma once

#include "engine/gui/GUIWindow.h"

namespace Halvard {

// A window that follows the first mouse button: a press that starts on it
// latches, letting go over it is a click (clicked is set for that one input
// step), and it plays its "over" sound on entering and its "click" sound at
// the press. Its state shows as a frame of its model: normal, over, pressed,
// disabled. Made through the GUIManager, or owned by a slider or scroll bar;
// plays through the services' GUI sound manager. Main thread only.
class GUIButton : public GUIWindow {
public:
    enum State : u32 { kNormal = 0, kOver = 1, kPressed = 2, kDisabled = 3 };

    GUIButton(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
              const Vector2& uvExtent);
    GUIButton(const GUIServices& services, const GUIPlacement& placement, const std::string& modelFile);
    GUIButton(const GUIServices& services, const GUIPlacement& placement, const Model* model);

    // False for a hidden or disabled button.
    bool ProcessInput(const Vector2& cursor, bool held, bool pressed) override;
    bool Draw() override;
    virtual void SetEnabled(bool enable);
    // The frame the model shows.
    virtual u32 GetState() const { return state; }

    bool IsEnabled() const { return state != kDisabled; }

    // Read by the button's users; the sound ids may be set.
    u32 state = kNormal;
    // The press began over the button and has not been let go.
    bool latched = false;
    // Set at first, so a button made under the cursor stays quiet.
    bool wasOver = true;
    bool clicked = false;
    u32 overSoundId = 0;
    u32 clickSoundId = 1;

protected:
    // Shown again, the button is back to normal unless disabled.
    void BecameVisible() override;

private:
    void PlaySound(u32 id) const;
};

} // namespace Halvard
