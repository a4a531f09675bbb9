#pragma once

#include "engine/core/Math.h"
#include "engine/core/ObjectManager.h"
#include "engine/core/Types.h"
#include "engine/gui/GUIPlacement.h"
#include "engine/gui/GUIServices.h"
#include "engine/gui/GUISliderTrack.h"

#include <memory>
#include <vector>

namespace Halvard {

class CameraManager;
class GUIButton;
class GUICheckBox;
class GUICursor;
class GUIEditBox;
class GUIScroll;
class GUISlider;
class GUIWindow;
class Model;
class RenderSystem;
class ShaderDescriptor;
class SoundManager;
struct GUIEditBoxSettings;

// The engine services a GUI manager is made with; all must outlive it. The
// sound manager may be null (no sound device): the GUI is then silent.
struct GUIManagerServices {
    MessageManager* messages = nullptr;
    FileManager* files = nullptr;
    Window* window = nullptr;
    RenderSystem* renderSystem = nullptr;
    TimerManager* timers = nullptr;
    CameraManager* cameras = nullptr;
    ShaderManager* shaders = nullptr;
    ModelManager* models = nullptr;
    Controls* controls = nullptr;
    SoundManager* sounds = nullptr;
};

// Owns every engine widget, the GUI camera and the GUI's font manager, and
// runs the GUI's two steps of a frame: the input step (Update) after the
// controls are read and the drawing step (Render) before the model manager
// draws the scene. The GUI space has its origin at the lower left and y up;
// it is 4 x 3 units until SetSize. On a display that is not 4:3 two black
// side bars cover what lies outside the 4:3 area in full screen. Every
// widget sees the same input: there is no capture and no focus. Widgets are
// registered only in the table of the operation that made them and stay the
// manager's until destroyed through it. Main thread only.
class GUIManager {
public:
    explicit GUIManager(const GUIManagerServices& services);
    GUIManager(const GUIManager&) = delete;
    GUIManager& operator=(const GUIManager&) = delete;
    virtual ~GUIManager();

    // The input step: every widget's ProcessInput with the cursor and the
    // first mouse button, table by table in slot order.
    void Update();
    // The drawing step: every widget's Draw, then the fonts' batches end.
    void Render();

    // The GUI space's extent; places the side bars.
    void SetSize(float width, float height);
    float GetWidth() const;
    float GetHeight() const;
    // The default cursor's position: the mouse in GUI units, as of the last
    // input step.
    Vector2 GetCursorPosition() const;

    // A square picture of the given side hanging from the hot spot.
    GUICursor* CreateCursor(const ShaderDescriptor& shader, float size);
    // A copy of the model; null makes a cursor without picture.
    GUICursor* CreateCursorFromModel(const Model* model);
    void DestroyCursor(GUICursor* cursor);

    GUIWindow* CreateWindowFromShader(u32 flags, const Vector2& position, const Vector2& size,
                                      const ShaderDescriptor& shader, GUIWindow* parent, const Vector2& uvExtent);
    // A null model makes a window without picture.
    GUIWindow* CreateWindowFromModel(u32 flags, const Vector2& position, const Vector2& size, const Model* model,
                                     GUIWindow* parent);
    GUIButton* CreateButton(u32 flags, const Vector2& position, const Vector2& size, const ShaderDescriptor& shader,
                            GUIWindow* parent, const Vector2& uvExtent);
    GUIButton* CreateButtonFromModel(u32 flags, const Vector2& position, const Vector2& size, const Model* model,
                                     GUIWindow* parent);
    GUICheckBox* CreateCheckBox(u32 flags, const Vector2& position, const Vector2& size,
                                const ShaderDescriptor& shader, GUIWindow* parent, const Vector2& uvExtent);
    GUICheckBox* CreateCheckBoxFromModel(u32 flags, const Vector2& position, const Vector2& size, const Model* model,
                                         GUIWindow* parent);
    GUIEditBox* CreateEditBox(const GUIEditBoxSettings& settings, const ShaderDescriptor& shader,
                              const Vector2& uvExtent);
    GUIEditBox* CreateEditBoxFromModel(const GUIEditBoxSettings& settings, const Model* model);
    // A slider or scroll bar starts with a thumb (and arrows) of no size and
    // no picture; its user makes the real ones.
    GUISlider* CreateSlider(const GUIPlacement& placement, const Model* model, const GUISliderTrack& track);
    GUISlider* CreateSliderFromShader(const GUIPlacement& placement, const GUISliderTrack& track,
                                      const ShaderDescriptor& shader, const Vector2& uvExtent);
    GUIScroll* CreateScroll(const GUIPlacement& placement, const Model* model, const GUISliderTrack& track);
    GUIScroll* CreateScrollFromShader(const GUIPlacement& placement, const GUISliderTrack& track,
                                      const ShaderDescriptor& shader, const Vector2& uvExtent);
    // Null and widgets of another table are left alone: a check box is not
    // a button here.
    void DestroyWindow(GUIWindow* window);
    void DestroyButton(GUIButton* button);
    void DestroyCheckBox(GUICheckBox* checkBox);
    void DestroyEditBox(GUIEditBox* editBox);
    void DestroySlider(GUISlider* slider);
    void DestroyScroll(GUIScroll* scroll);

    // What every widget made here borrows.
    const GUIServices& GetServices() const { return widgetServices_; }
    GUIFontManager* GetFontManager() const { return fonts_.get(); }
    GUITextManager* GetTextManager() const { return texts_.get(); }
    GUISoundManager* GetSoundManager() const { return sounds_.get(); }
    // Follows the mouse; not drawn until its owner makes it visible.
    GUICursor* GetDefaultCursor() const { return defaultCursor_; }
    Camera* GetCamera() const { return camera_; }
    const std::vector<GUIWindow*>& GetSideBars() const { return sideBars_; }
    const ObjectManager<GUICursor>& GetCursors() const { return cursors_; }
    const ObjectManager<GUIWindow>& GetWindows() const { return windows_; }
    const ObjectManager<GUIButton>& GetButtons() const { return buttons_; }
    const ObjectManager<GUICheckBox>& GetCheckBoxes() const { return checkBoxes_; }
    const ObjectManager<GUIEditBox>& GetEditBoxes() const { return editBoxes_; }
    const ObjectManager<GUISlider>& GetSliders() const { return sliders_; }
    const ObjectManager<GUIScroll>& GetScrolls() const { return scrolls_; }

private:
    void CreateSideBars();
    void PlaceSideBars();
    void UpdateSideBars();
    // Every table in the order of input and drawing.
    template <class Step>
    void ForEachWidget(Step step);

    GUIManagerServices services_;
    GUIServices widgetServices_;
    Camera* camera_ = nullptr;
    std::unique_ptr<GUITextManager> texts_;
    std::unique_ptr<GUIFontManager> fonts_;
    std::unique_ptr<GUISoundManager> sounds_;
    // Destroyed in reverse order of declaration, after the managers above.
    ObjectManager<GUICursor> cursors_;
    ObjectManager<GUIWindow> windows_;
    ObjectManager<GUIButton> buttons_;
    ObjectManager<GUICheckBox> checkBoxes_;
    ObjectManager<GUIEditBox> editBoxes_;
    ObjectManager<GUISlider> sliders_;
    ObjectManager<GUIScroll> scrolls_;
    GUICursor* defaultCursor_ = nullptr;
    std::vector<GUIWindow*> sideBars_;
};

} // namespace Halvard
