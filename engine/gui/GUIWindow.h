#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/gui/GUIPlacement.h"
#include "engine/gui/GUIServices.h"
#include "engine/gui/TextRecord.h"

#include <string>
#include <vector>

namespace Halvard {

class AnimationControl;
class Model;
class ShaderDescriptor;

// The base of every GUI widget: a rectangle in GUI units (origin lower left,
// y up) placed relative to its parent, an optional model that the drawing
// step lays over the rectangle, a depth (more negative is nearer), shown or
// hidden with its subtree, hit by the cursor, and a queue of texts drawn
// with the GUI fonts that must be queued anew every frame. Widgets are made
// and destroyed through the GUIManager, or by the widget that owns them.
// The model is the window's own, destroyed through the model manager. Main
// thread only.
class GUIWindow {
public:
    enum Flag : u32 { kShown = 1, kColored = 2, kLayerFront = 4, kLayerMiddle = 8, kLayerBack = 16 };
    static constexpr u32 kLayerFlags = kLayerFront | kLayerMiddle | kLayerBack;
    // The depth of a top-level window by its layer flag, and without one.
    static constexpr float kFrontDepth = -10.0f;
    static constexpr float kMiddleDepth = -20.0f;
    static constexpr float kBackDepth = -30.0f;
    static constexpr float kDefaultDepth = -15.0f;
    // How far in front of its parent each layer puts a child.
    static constexpr float kLayerStep = 0.01f;

    // A unit quad of its own, drawn with the shader; uvExtent is the texture
    // coordinate of the quad's upper-right corner.
    GUIWindow(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
              const Vector2& uvExtent);
    // A model read from the file.
    GUIWindow(const GUIServices& services, const GUIPlacement& placement, const std::string& modelFile);
    // A copy of the model; null makes a window without picture.
    GUIWindow(const GUIServices& services, const GUIPlacement& placement, const Model* model);
    GUIWindow(const GUIWindow&) = delete;
    GUIWindow& operator=(const GUIWindow&) = delete;
    // Leaves the parent, makes every child a top-level window and destroys
    // the model.
    virtual ~GUIWindow();

    // The input step: notes whether the cursor lies strictly inside the
    // rectangle (the hit area when enabled). False for a hidden window, true
    // for every shown one.
    virtual bool ProcessInput(const Vector2& cursor, bool held, bool pressed);
    // The drawing step: lays the model over the rectangle and draws the
    // queued texts, then empties the queue; false (texts dropped) for a
    // hidden window.
    virtual bool Draw();
    // The depth becomes the parent's minus layer steps; the subtree follows.
    virtual void SetLayer(i32 layer);
    // Every vertex of the model; nothing without a coloured model.
    virtual void SetColor(const Vector4& color);
    virtual void SetAlpha(float alpha);
    virtual void UpdateVisibility();

    // Nothing happens when any of the bits is already set (or, for
    // ClearFlags, when none is). Bit kShown shows or hides the subtree; the
    // layer bits choose the depth of a top-level window.
    void SetFlags(u32 bits);
    void ClearFlags(u32 bits);
    u32 GetFlags() const { return flags_; }

    void SetParent(GUIWindow* parent);
    GUIWindow* GetParent() const { return parent_; }
    const std::vector<GUIWindow*>& GetChildren() const { return children_; }
    Vector2 GetAbsolutePosition() const;
    i32 GetLayer() const { return layer_; }
    float GetDepth() const { return depth_; }

    // Vertex 0's colour and alpha; white and 1 without a model.
    Vector4 GetColor() const;
    float GetAlpha() const;
    void SetShader(const ShaderDescriptor& shader);
    Model* GetModel() const { return model_; }
    // The model's animation controller, or null without a model.
    AnimationControl* GetAnimation() const;
    bool HasOwnQuad() const { return ownQuad_; }

    // An empty text queues nothing.
    void AddText(u32 alignment, u32 fontId, const Vector2& at, const Vector4& color, const std::wstring& text,
                 float angle, float sizeOverride);
    // Queues a copy of the record; a keyed one takes its text from the text
    // manager when it is drawn. A literal record without text queues nothing.
    void AddText(const TextRecord& record);
    // The texts queued since the last drawing step.
    std::vector<TextRecord> GetTexts() const;

    // Read and written directly by the window's users.
    Vector2 position;
    Vector2 size;
    bool hitAreaEnabled = false;
    Vector2 hitAreaOffset{0.0f, 0.0f};
    Vector2 hitAreaSize{0.0f, 0.0f};
    // Aligned texts are laid out in this rectangle when enabled.
    bool textAreaEnabled = false;
    Vector2 textAreaOffset{0.0f, 0.0f};
    Vector2 textAreaSize{0.0f, 0.0f};
    // The drawing step lays the model over the rectangle; an owner that
    // places the model itself clears it.
    bool placeModel = true;
    // Kept current by the window: it and every parent are shown.
    bool visible = false;
    // The cursor lay on the window at the last input step.
    bool over = false;

protected:
    const GUIServices& GetServices() const { return services_; }
    // The window has just become visible; its children are not updated yet.
    // Not called while the window is being made.
    virtual void BecameVisible() {}

private:
    void Start(const GUIPlacement& placement);
    void AdoptModel(Model* model);
    void BuildQuad(const Vector2& uvExtent);
    void SetDepth(float depth);
    void DrawTexts();
    void DrawText(TextRecord& record);

    GUIServices services_;
    u32 flags_ = 0;
    GUIWindow* parent_ = nullptr;
    std::vector<GUIWindow*> children_;
    i32 layer_ = 1;
    float depth_ = kDefaultDepth;
    bool ownQuad_ = false;
    Model* model_ = nullptr;
    // Records are reused from frame to frame; the first textCount_ are this
    // frame's.
    u32 textCount_ = 0;
    std::vector<TextRecord> texts_;
};

} // namespace Halvard
