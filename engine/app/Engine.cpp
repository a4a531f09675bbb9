#include "engine/app/Engine.h"

#include "engine/core/Config.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/Random.h"
#include "engine/core/StringUtils.h"
#include "engine/core/TimerManager.h"
#include "engine/core/Window.h"
#include "engine/gui/Console.h"
#include "engine/gui/GUIManager.h"
#include "engine/input/Controls_DI7.h"
#include "engine/input/KeyNames.h"
#include "engine/render/CameraManager.h"
#include "engine/render/LightManager.h"
#include "engine/render/ModelManager.h"
#include "engine/render/ParticleSystemManager.h"
#include "engine/render/RenderSystem_D3D7.h"
#include "engine/render/ShaderManager.h"
#include "engine/render/SpriteGroupManager.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "platform/os/Clock.h"

namespace Halvard {

namespace {

EngineSettings WithFallbacks(const EngineSettings& given)
{
    EngineSettings settings = given;
    if (settings.applicationName.empty()) {
        settings.applicationName = "Halvard";
        settings.versionNumber = 67;
    }
    return settings;
}

} // namespace

// A service that throws leaves the constructor; the members made before it
// are released in reverse order by their owners.
Engine::Engine(const EngineSettings& given) : settings_(std::make_unique<EngineSettings>(WithFallbacks(given)))
{
    const EngineSettings& s = *settings_;
    messages_ = std::make_unique<MessageManager>(s.applicationName, s.logEnabled != 0, s.logReopen != 0, s.logFolder, s.logName);
    files_ = std::make_unique<FileManager>(messages_.get(), s.installFolder, s.dataFolder);
    timers_ = std::make_unique<TimerManager>();
    ConfigSettings configuration;
    configuration.folder = s.configFolder;
    configuration.name = s.configName;
    configuration.videoMode = s.defaultVideoMode;
    configuration.forceVideoMode = s.forceDefaultVideoMode != 0;
    configuration.fullScreen = s.defaultFullScreen != 0;
    configuration.forceFullScreen = s.forceDefaultFullScreen != 0;
    config_ = std::make_unique<Config>(messages_.get(), files_.get(), configuration);
    config_->Load();
    ParseVideoMode(config_->videoMode, &startWidth_, &startHeight_, nullptr);
    WindowSettings window;
    window.title = GetVersionString();
    window.hostWindow = s.parentWindow;
    window.iconId = s.iconId;
    window.width = startWidth_;
    window.height = startHeight_;
    window.fullScreen = config_->fullScreen != 0;
    window.centered = s.centerWindow != 0;
    window.x = s.windowPositionX;
    window.y = s.windowPositionY;
    window_ = std::make_unique<Window>(messages_.get(), config_.get(), window);
    render_ = std::make_unique<RenderSystem_D3D7>(messages_.get(), config_.get(), window_.get(), s.stencilRequest != 0,
                                                  s.keepWindowSize != 0);
    cameras_ = std::make_unique<CameraManager>(messages_.get(), window_.get(), render_.get());
    lights_ = std::make_unique<LightManager>(messages_.get(), render_.get());
    shaders_ = std::make_unique<ShaderManager>(messages_.get(), files_.get(), timers_.get(), config_.get(),
                                               render_.get());
    models_ = std::make_unique<ModelManager>(messages_.get(), files_.get(), timers_.get(), render_.get(),
                                             cameras_.get(), lights_.get(), shaders_.get());
    spriteGroups_ = std::make_unique<SpriteGroupManager>(messages_.get(), models_.get());
    particleSystems_ = std::make_unique<ParticleSystemManager>(messages_.get(), files_.get(), timers_.get(),
                                                               spriteGroups_.get());
    controls_ = std::make_unique<Controls_DI7>(messages_.get(), timers_.get(), window_.get(), true);
    StartSound();
    GUIManagerServices gui;
    gui.messages = messages_.get();
    gui.files = files_.get();
    gui.window = window_.get();
    gui.renderSystem = render_.get();
    gui.timers = timers_.get();
    gui.cameras = cameras_.get();
    gui.shaders = shaders_.get();
    gui.models = models_.get();
    gui.controls = controls_.get();
    gui.sounds = soundManager_.get();
    gui_ = std::make_unique<GUIManager>(gui);
    SetRandomSeed(Platform::GetClock().MillisecondsSinceBoot());
}

// A sound device that cannot be opened is no reason to stop: the system has
// logged why, and the game runs silent with both members null.
void Engine::StartSound()
{
    FileManager* files = files_.get();
    try {
        soundSystem_ = std::make_unique<SoundSystem_DS7>(messages_.get(), files, window_.get(),
                                                         settings_->sound3D != 0);
        soundManager_ = std::make_unique<SoundManager>(messages_.get(), files, soundSystem_.get());
    } catch (const Error&) {
    }
}

Engine::~Engine()
{
    if (settings_->saveConfigOnExit)
        config_->Save();
}

void Engine::BeginFrame()
{
    config_->Update();
    timers_->Update();
    window_->Update();
    controls_->Update();
    gui_->Update();
    if (console_ != nullptr)
        console_->Update();
    messages_->ClearMessages();
}

void Engine::EndFrame(u32 sleepMilliseconds)
{
    UpdateManagers();
    if (sleepMilliseconds > 0)
        Platform::GetClock().Sleep(sleepMilliseconds);
    models_->SwapBuffers();
    if (controls_->IsKeyPressed(KeyNames::kPrintScrn))
        config_->SetCommandHandled("sc_take_screenshot", false);
    controls_->ResetPressedKeys();
    config_->ClearChangedFlags();
    if (IsExitRequested())
        messages_->LogMessage("\nExiting...\n");
}

void Engine::UpdateManagers()
{
    render_->Refresh();
    cameras_->Update();
    particleSystems_->Update();
    spriteGroups_->Update();
    gui_->Render();
    lights_->Update();
    shaders_->Update();
    models_->Render();
    if (soundSystem_ != nullptr)
        soundSystem_->Refresh();
    if (soundManager_ != nullptr)
        soundManager_->Update(true);
}

Console* Engine::CreateConsole(const ConsoleSettings& settings)
{
    // The old console lets go of its variables before the new one binds them.
    console_.reset();
    const ConsoleServices services{messages_.get(), timers_.get(),   config_.get(),
                                   controls_.get(), shaders_.get(), gui_.get()};
    console_ = std::make_unique<Console>(services, settings);
    return console_.get();
}

bool Engine::IsExitRequested() const { return !config_->IsCommandHandled("exit"); }

void Engine::RequestExit() { config_->SetCommandHandled("exit", false); }

std::string Engine::GetVersionString() const
{
    const u32 version = settings_->versionNumber;
    return settings_->applicationName + " " + IntToString(static_cast<i32>(version / 100), 0) + "." +
           IntToString(static_cast<i32>(version % 100), 2);
}

} // namespace Halvard
