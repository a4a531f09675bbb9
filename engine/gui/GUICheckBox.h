#pragma once

#include "engine/gui/GUIButton.h"

namespace Halvard {

// A button whose every click flips checked. Its model holds eight frames in
// the order of GetState: normal, over, pressed unchecked; normal, over,
// pressed checked; disabled unchecked, disabled checked. Main thread only.
class GUICheckBox : public GUIButton {
public:
    GUICheckBox(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
                const Vector2& uvExtent);
    GUICheckBox(const GUIServices& services, const GUIPlacement& placement, const std::string& modelFile);
    GUICheckBox(const GUIServices& services, const GUIPlacement& placement, const Model* model);

    bool ProcessInput(const Vector2& cursor, bool held, bool pressed) override;
    u32 GetState() const override;

    // Read and set by the check box's users.
    bool checked = false;

private:
    void UseCheckBoxSounds();
};

} // namespace Halvard
