#pragma once

#include "engine/core/Math.h"
#include "engine/gui/GUIServices.h"

namespace Halvard {

class Model;
class ShaderDescriptor;

// Turns the mouse into a position in GUI units (origin lower left, y up)
// once a frame, and draws a picture hanging below and to the right of that
// hot spot while it is visible. The GUI manager's default cursor is where
// every widget reads the mouse. Made and destroyed through the GUIManager;
// uses the services' log, window, model manager, controls and camera, whose
// orthographic extent is the GUI space. Its model is its own, destroyed
// through the model manager. Main thread only.
class GUICursor {
public:
    // A square quad of the given side in GUI units.
    GUICursor(const GUIServices& services, const ShaderDescriptor& shader, float size);
    // A copy of the model, or no picture at all when it is null.
    GUICursor(const GUIServices& services, const Model* model);
    GUICursor(const GUICursor&) = delete;
    GUICursor& operator=(const GUICursor&) = delete;
    virtual ~GUICursor();

    // Follows the mouse. While the client area has no extent (the window is
    // minimised) the cursor stays where it was.
    void Update();
    // Puts the picture at the position, shown only while visible is set.
    void Draw();

    Model* GetModel() const { return model_; }

    // Read and written directly by the cursor's users.
    bool visible = false;
    Vector2 position{0.0f, 0.0f};

private:
    void Prepare();

    GUIServices services_;
    Model* model_ = nullptr;
};

} // namespace Halvard
