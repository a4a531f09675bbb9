#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/core/ObjectManager.h"

#include <memory>

namespace Halvard {

class Controls;
class GUIEditBox;
struct GUIEditBoxSettings;
class GUIFontManager;
class GUIWindow;
class ShaderDescriptor;
class TimerManager;
class Window;

// Owns the GUI's widgets and fonts and runs the GUI's two steps of a frame:
// the input step after the controls are read and the drawing step before the
// scene is drawn. Widgets live in the GUI space, 4 x 3 units until SetSize.
// This form holds the windows and edit boxes that the engine's console
// needs; cursors, buttons, sliders, the camera and the pictures come with
// the rest of the GUI. Keeps plain pointers to the services, which must
// outlive it. Main thread only.
class GUIManager {
public:
    GUIManager(Window* window, TimerManager* timers, Controls* controls);
    GUIManager(const GUIManager&) = delete;
    GUIManager& operator=(const GUIManager&) = delete;
    virtual ~GUIManager();

    // The input step: every window, then every edit box, in slot order,
    // sees the cursor and the first mouse button.
    void Update();
    // The drawing step: every window, then every edit box.
    void Render();

    void SetSize(float width, float height);
    float GetWidth() const { return size_.x; }
    float GetHeight() const { return size_.y; }
    // The cursor in GUI units.
    Vector2 GetCursorPosition() const;

    // The picture's shader may be null until pictures are drawn. The widget
    // stays the manager's until it is destroyed through it.
    GUIWindow* CreateWindowFromShader(u32 flags, const Vector2& position, const Vector2& size,
                                      const ShaderDescriptor* shader, GUIWindow* parent, const Vector2& uvExtent);
    GUIEditBox* CreateEditBox(const GUIEditBoxSettings& settings, const ShaderDescriptor* shader,
                              const Vector2& uvExtent);
    // Null and widgets of another table are left alone.
    void DestroyWindow(GUIWindow* window);
    void DestroyEditBox(GUIEditBox* editBox);

    GUIFontManager* GetFontManager() const { return fonts_.get(); }
    const ObjectManager<GUIWindow>& GetWindows() const { return windows_; }
    const ObjectManager<GUIEditBox>& GetEditBoxes() const { return editBoxes_; }

private:
    Window* window_;
    TimerManager* timers_;
    Controls* controls_;
    Vector2 size_{4.0f, 3.0f};
    std::unique_ptr<GUIFontManager> fonts_;
    // Edit boxes go before the windows that may be their parents.
    ObjectManager<GUIWindow> windows_;
    ObjectManager<GUIEditBox> editBoxes_;
};

} // namespace Halvard
