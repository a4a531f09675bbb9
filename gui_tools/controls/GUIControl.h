#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/gui/GUIPlacement.h"
#include "gui_tools/controls/GUIControlDescription.h"
#include "gui_tools/controls/GUIFaderSettings.h"

#include <memory>
#include <string>

namespace Halvard {
class AnimationControl;
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class ModelManager;
class ShaderDescriptor;
class TimerManager;
} // namespace Halvard

namespace GameTools {
class DataKeeper;
}

namespace GUITools {

// The behaviour over time that every control of a window description
// shares: showing and hiding through configurable actions, offsets, model
// animations and a fade of the widget's alpha, and the widget's placement,
// applied again every frame from the control's layer, position, size and
// mouse-sensitive rectangle. A derived control makes its widget, owns it and
// calls Init; the window drives Update and SetVisible. Main thread only.
class GUIControl {
public:
    // The animations registered on a controller with show frames.
    static constexpr Halvard::i32 kShowAnimation = 0;
    static constexpr Halvard::i32 kHideAnimation = 1;

    // The keeper holds the "ui/" resources; both must outlive the control.
    GUIControl(Halvard::Engine* engine, GameTools::DataKeeper* resources, const std::string& name);
    GUIControl(const GUIControl&) = delete;
    GUIControl& operator=(const GUIControl&) = delete;
    virtual ~GUIControl();

    virtual void Update();
    // Starts a show or a hide. With run actions the window's show or hide
    // action decides: "show" shows, "hide" hides, any other word does
    // nothing.
    virtual void SetVisible(bool show, bool runActions);
    // Showing, or still drawn while a hide runs.
    virtual bool IsVisible() const;

    // The parent of nested controls.
    Halvard::GUIWindow* GetWindow() const { return widget_; }
    const std::string& GetName() const { return name_; }

    // The description's settings, applied by the window's reader.
    void SetShowAction(const std::string& action) { showAction_ = action; }
    void SetHideAction(const std::string& action) { hideAction_ = action; }
    void SetHeight(Halvard::i32 height) { height_ = height; }
    void SetPosition(const Halvard::Vector2& position) { position_ = position; }
    void SetSize(const Halvard::Vector2& size) { size_ = size; }
    // Either turns the mouse-sensitive rectangle on.
    void SetSelectionPosition(const Halvard::Vector2& position);
    void SetSelectionSize(const Halvard::Vector2& size);
    // An empty name means no fader.
    void SetFader(const std::string& name, const GUIFaderSettings& settings);

    Halvard::i32 GetHeight() const { return height_; }
    const Halvard::Vector2& GetPosition() const { return position_; }
    const Halvard::Vector2& GetSize() const { return size_; }
    bool HasSelection() const { return hasSelection_; }
    bool HasFader() const { return !faderName_.empty(); }
    const std::string& GetFaderName() const { return faderName_; }
    const GUIFaderSettings& GetFader() const { return fader_; }
    const std::string& GetShowAction() const { return showAction_; }
    const std::string& GetHideAction() const { return hideAction_; }
    // The visibility the control is moving to.
    bool IsShown() const { return shown_; }
    // A show or hide whose start still waits.
    bool IsPending() const { return running_; }
    // The fade value last computed, between the fader's min and max.
    float GetAlpha() const { return alpha_; }
    Halvard::AnimationControl* GetModelAnimation() const { return modelAnimation_; }
    Halvard::AnimationControl* GetAnimatorAnimation() const { return animatorAnimation_; }
    const Halvard::Model* GetAnimatorModel() const { return animatorModel_.get(); }

protected:
    // Takes the widget and its model, prepares the show animations and
    // hides the widget.
    void Init(Halvard::GUIWindow* widget, const GUIControlDescription& description);
    // Widgets whose model frames show their state never play them to show.
    void DropModelAnimation() { modelAnimation_ = nullptr; }

    // Where a new widget of the control goes: coloured, so that a fade
    // reaches its vertices, at the control's position and size.
    Halvard::GUIPlacement Placement(Halvard::GUIWindow* parent) const;
    // The resources "ui/" + name; null for an empty name.
    const Halvard::ShaderDescriptor* FindShader(const std::string& name) const;
    const Halvard::Model* FindModel(const std::string& name) const;
    // A picture made from a shader alone when only a shader is named,
    // otherwise from the model (or none) with the shader laid on it when
    // one is named. Each maker returns the widget it made.
    template <class ShaderMaker, class ModelMaker>
    auto MakePicture(const std::string& model, const std::string& shader, const Halvard::Vector2& uv,
                     ShaderMaker fromShader, ModelMaker fromModel) const
    {
        if (!shader.empty() && model.empty())
            return fromShader(*FindShader(shader), uv);
        auto* widget = fromModel(FindModel(model));
        if (!shader.empty() && widget != nullptr)
            widget->SetShader(*FindShader(shader));
        return widget;
    }

    // A widget made as a description says, through the GUI manager's pair
    // of creating operations for its kind (windows, buttons, check boxes).
    template <class Widget>
    using FromShader = Widget* (Halvard::GUIManager::*)(Halvard::u32, const Halvard::Vector2&, const Halvard::Vector2&,
                                                        const Halvard::ShaderDescriptor&, Halvard::GUIWindow*,
                                                        const Halvard::Vector2&);
    template <class Widget>
    using FromModel = Widget* (Halvard::GUIManager::*)(Halvard::u32, const Halvard::Vector2&, const Halvard::Vector2&,
                                                       const Halvard::Model*, Halvard::GUIWindow*);
    template <class Widget>
    Widget* CreateWidget(Halvard::GUIWindow* parent, const GUIControlDescription& description,
                         FromShader<Widget> fromShader, FromModel<Widget> fromModel);
    // A plain window made as a description says.
    Halvard::GUIWindow* CreateWindowWidget(Halvard::GUIWindow* parent, const GUIControlDescription& description);

    Halvard::Engine* GetEngine() const { return engine_; }
    Halvard::GUIManager* GetGUIManager() const { return gui_; }
    Halvard::TimerManager* GetTimers() const { return timers_; }

private:
    Halvard::AnimationControl* PrepareAnimation(Halvard::Model& model, Halvard::i32 startFrame,
                                                Halvard::i32 endFrame) const;
    void CreateAnimator(const GUIControlDescription& description);
    void StartShow(float dt);
    // True when the hide ended the frame.
    bool StartHide(float dt);
    void EndHideByAnimation();
    void Place();
    void Fade(float dt);
    float FadeValue(float dt);
    float AnimationFadeValue() const;
    void PlayAll(Halvard::i32 animation);
    void HideWidget();

    Halvard::Engine* engine_;
    Halvard::TimerManager* timers_;
    Halvard::ModelManager* models_;
    Halvard::GUIManager* gui_;
    GameTools::DataKeeper* resources_;
    std::string name_;
    Halvard::GUIWindow* widget_ = nullptr;
    Halvard::Model* model_ = nullptr;
    Halvard::AnimationControl* modelAnimation_ = nullptr;
    std::unique_ptr<Halvard::Model> animatorModel_;
    Halvard::AnimationControl* animatorAnimation_ = nullptr;
    std::string showAction_ = "show";
    std::string hideAction_ = "hide";
    Halvard::i32 height_ = 1;
    Halvard::Vector2 position_{0.0f, 0.0f};
    Halvard::Vector2 size_{1.0f, 1.0f};
    bool hasSelection_ = false;
    Halvard::Vector2 selectionPosition_{0.0f, 0.0f};
    Halvard::Vector2 selectionSize_{0.0f, 0.0f};
    std::string faderName_;
    GUIFaderSettings fader_;
    bool shown_ = false;
    float fadeTime_ = 0.0f;
    float alpha_ = 0.0f;
    bool running_ = false;
    float elapsed_ = 0.0f;
};

} // namespace GUITools
