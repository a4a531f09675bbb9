#pragma once

#include "engine/app/EngineSettings.h"
#include "engine/core/Types.h"

#include <memory>
#include <string>

namespace Halvard {

class MessageManager;
class FileManager;
class TimerManager;
class Config;
class Window;
class RenderSystem;
class CameraManager;
class LightManager;
class ShaderManager;
class ModelManager;
class SpriteGroupManager;
class ParticleSystemManager;
class Controls;
class SoundSystem;
class SoundManager;
class GUIManager;
class Console;
struct ConsoleSettings;

// The one object through which the application reaches the engine. It makes
// every service in a fixed order, owns them, and releases them in the exact
// reverse order (members are declared in creation order for that reason).
// Main thread only.
class Engine {
public:
    explicit Engine(const EngineSettings& settings);
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;
    virtual ~Engine();

    // The input half of a frame, before the application's logic.
    void BeginFrame();
    // The output half of a frame; sleeps the given milliseconds before the
    // frame is presented.
    void EndFrame(u32 sleepMilliseconds);
    void UpdateManagers();

    bool IsExitRequested() const;
    void RequestExit();
    std::string GetVersionString() const;

    // Makes the drop-down console over the engine's services; the engine
    // owns it and steps it every frame from then on. A console made before
    // is destroyed first.
    Console* CreateConsole(const ConsoleSettings& settings);

    const EngineSettings& GetSettings() const { return *settings_; }
    MessageManager* GetMessageManager() const { return messages_.get(); }
    FileManager* GetFileManager() const { return files_.get(); }
    TimerManager* GetTimerManager() const { return timers_.get(); }
    Config* GetConfig() const { return config_.get(); }
    Window* GetWindow() const { return window_.get(); }
    RenderSystem* GetRenderSystem() const { return render_.get(); }
    CameraManager* GetCameraManager() const { return cameras_.get(); }
    LightManager* GetLightManager() const { return lights_.get(); }
    ShaderManager* GetShaderManager() const { return shaders_.get(); }
    ModelManager* GetModelManager() const { return models_.get(); }
    SpriteGroupManager* GetSpriteGroupManager() const { return spriteGroups_.get(); }
    ParticleSystemManager* GetParticleSystemManager() const { return particleSystems_.get(); }
    Controls* GetControls() const { return controls_.get(); }
    GUIManager* GetGUIManager() const { return gui_.get(); }
    Console* GetConsole() const { return console_.get(); }
    // Both are null when the sound device could not be opened: the game then
    // runs silent, and every user of them must accept null.
    SoundSystem* GetSoundSystem() const { return soundSystem_.get(); }
    SoundManager* GetSoundManager() const { return soundManager_.get(); }

private:
    void StartSound();

    std::unique_ptr<EngineSettings> settings_;
    std::unique_ptr<MessageManager> messages_;
    std::unique_ptr<FileManager> files_;
    std::unique_ptr<TimerManager> timers_;
    std::unique_ptr<Config> config_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<RenderSystem> render_;
    std::unique_ptr<CameraManager> cameras_;
    std::unique_ptr<LightManager> lights_;
    std::unique_ptr<ShaderManager> shaders_;
    std::unique_ptr<ModelManager> models_;
    std::unique_ptr<SpriteGroupManager> spriteGroups_;
    // Goes before the sprite-group manager: every system gives its group
    // back to it.
    std::unique_ptr<ParticleSystemManager> particleSystems_;
    std::unique_ptr<Controls> controls_;
    std::unique_ptr<SoundSystem> soundSystem_;
    std::unique_ptr<SoundManager> soundManager_;
    std::unique_ptr<GUIManager> gui_;
    std::unique_ptr<Console> console_;
    u32 startWidth_ = 0;
    u32 startHeight_ = 0;
};

} // namespace Halvard
