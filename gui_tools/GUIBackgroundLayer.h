#pragma once

#include "engine/core/Math.h"
#include "gui_tools/GUIBackgroundLayerSettings.h"

#include <memory>
#include <string>

namespace Halvard {
class Engine;
class GUIManager;
class GUIWindow;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace Halvard

namespace GameTools {
class DataKeeper;
}

namespace GUITools {

// One layer of a background: a GUI window drawing a copy of a model
// resource, or an empty window that a copy of a particle-system resource
// follows; optionally moved by an animator model. The layer owns its window
// (destroyed through the GUI manager), its animator copy and its particle
// system (destroyed through the particle-system manager). Its alpha is the
// background's fade times its own fade-in times its colour's alpha. Main
// thread only.
class GUIBackgroundLayer {
public:
    GUIBackgroundLayer(Halvard::Engine* engine, GameTools::DataKeeper* resources,
                       const GUIBackgroundLayerSettings& settings);
    GUIBackgroundLayer(const GUIBackgroundLayer&) = delete;
    GUIBackgroundLayer& operator=(const GUIBackgroundLayer&) = delete;
    virtual ~GUIBackgroundLayer();

    // Once a frame while the window is visible: follows the animator, moves
    // the particles to the window, runs the own fade-in.
    void Update();
    // Showing with fade starts the own alpha at 0 and raises it at the speed
    // per second; hiding is always at once.
    void StartFade(bool show, bool fade, float speed);
    // The background's fade factor.
    void SetAlpha(float alpha);

    const std::string& GetName() const { return name_; }
    Halvard::GUIWindow* GetWindow() const { return window_; }
    Halvard::ParticleSystem* GetParticleSystem() const { return particles_; }
    Halvard::Model* GetAnimatorModel() const { return animator_.get(); }
    const Halvard::Vector4& GetColor() const { return color_; }
    float GetOwnAlpha() const { return ownAlpha_; }
    bool IsFading() const { return fading_; }
    bool IsShown() const { return show_; }

private:
    void CreateModelWindow(const GUIBackgroundLayerSettings& settings);
    void CreateParticleWindow(const GUIBackgroundLayerSettings& settings);
    void ApplyShader(const std::string& shaderName);
    void CreateAnimator(const GUIBackgroundLayerSettings& settings);
    void FollowAnimator();
    void MoveParticles();
    void AdvanceFade();

    Halvard::Engine* engine_;
    Halvard::TimerManager* timers_;
    Halvard::ModelManager* models_;
    Halvard::ParticleSystemManager* particleSystems_;
    Halvard::GUIManager* gui_;
    GameTools::DataKeeper* resources_;
    std::string name_;
    Halvard::GUIWindow* window_ = nullptr;
    Halvard::ParticleSystem* particles_ = nullptr;
    std::unique_ptr<Halvard::Model> animator_;
    Halvard::Vector4 color_{1.0f, 1.0f, 1.0f, 1.0f};
    bool show_ = false;
    bool fading_ = false;
    float fadeSpeed_ = 1.0f;
    float fadeTime_ = 0.0f;
    float ownAlpha_ = 0.0f;
};

} // namespace GUITools
