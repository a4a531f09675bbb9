#include "framework/GameBase.h"

#include "engine/app/Engine.h"
#include "engine/app/EngineSettings.h"
#include "engine/core/Config.h"
#include "engine/core/TimerManager.h"
#include "engine/input/Controls.h"
#include "engine/sound/SoundManager.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/core/PathUtils.h"
#include "engine/core/Registry.h"
#include "engine/core/StringUtils.h"
#include "engine/core/Window.h"
#include "engine/gui/ConsoleSettings.h"
#include "engine/gui/GUIManager.h"
#include "engine/render/RenderSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/render/ShaderManager.h"
#include "framework/ConsoleCommands.h"
#include "framework/LanguageManager.h"
#include "framework/cursor/GUIGameCursorBase.h"
#include "framework/logic/GameLogicBase.h"
#include "framework/levels/LevelManagerBase.h"
#include "framework/persistence/FileServices.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/persistence/SaveTrouble.h"
#include "framework/persistence/UserFolderLock.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/GUIGameLogicPauseWindowBase.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "framework/windows/GUILogosWindowBase.h"
#include "framework/windows/WindowFlow.h"
#include "framework/windows/WindowSource.h"
#include "game_tools/DataKeeper.h"
#include "gui_tools/GUIFontTool.h"
#include "gui_tools/GUITextTool.h"
#include "gui_tools/GUIToolManager.h"
#include "platform/os/Clock.h"

namespace GameFramework {

namespace {

constexpr const char* kPackBesideProgram = "\\data\\pack0.pak";
constexpr const char* kBasicResources = "data\\ui\\resources_basic.xml";
constexpr const char* kAdditionalResources = "data\\ui\\resources_additional.xml";
constexpr Halvard::u32 kHighScoresPerCategory = 10;
constexpr float kGuiWidth = 800.0f;
constexpr float kGuiHeight = 600.0f;
constexpr int kDispatchPasses = 3;
constexpr Halvard::u32 kUnfocusedSleepMilliseconds = 100;
constexpr Halvard::u32 kWindowModeSettleFrames = 2;
constexpr const char* kWindowChangeMode = "v_window_change_mode";
// Every music pause and resume of the frame names the sound set's fade speed.
constexpr float kMusicFadeSpeed = 0.5f;
constexpr MusicFade kMusicAtOnce{false, kMusicFadeSpeed};
constexpr MusicFade kMusicFadeIn{true, kMusicFadeSpeed};

constexpr const char* kNoHomeFolder =
    "The home folder is unknown: HOME is not set and the password database has no home folder for this user, "
    "so there is nowhere to keep the settings and the players' progress.";

// The registry's value, or the given text when it cannot be read; a value
// that is no number gives 0.
Halvard::u32 ReadVersion(const std::string& registryPath, Halvard::u32 given)
{
    std::string text;
    if (!Halvard::ReadRegistryString(registryPath, "Version", text))
        text = Halvard::UIntToString(given);
    return static_cast<Halvard::u32>(Halvard::StringToInt(text, 10));
}

// The program's own folder when the pack lies beside it, else the registry's
// "InstallPath", else the program's folder again.
std::string FindInstallFolder(const std::string& registryPath)
{
    const std::string programFolder = Halvard::GetApplicationFolder();
    if (Halvard::FileExistsOnDisk(programFolder + kPackBesideProgram))
        return programFolder;
    std::string installPath;
    if (!Halvard::ReadRegistryString(registryPath, "InstallPath", installPath))
        return programFolder;
    return installPath;
}

} // namespace

GameBase::GameBase(const std::string& maker, const std::string& title, Halvard::u32 version)
    : maker_(maker), title_(title), version_(version), flow_(std::make_unique<WindowFlow>(*this, state_))
{
    registryPath_ = "SOFTWARE\\" + maker_ + "\\" + title_;
    version_ = ReadVersion(registryPath_, version);
    installFolder_ = FindInstallFolder(registryPath_);
    const std::string dataFolder = Halvard::GetApplicationDataFolder();
    if (dataFolder.empty())
        throw Halvard::Error(kNoHomeFolder);
    userFolder_ = dataFolder + "\\" + maker_ + "\\" + title_;
    Halvard::ProtectFolderFromDeletion(userFolder_);
    userFolderLock_ = std::make_unique<UserFolderLock>(title_, userFolder_);
}

// Only what exists goes, in the order the parts depend on each other: the
// level and the windows first, the engine, which saves the configuration and
// closes the log, last. The saves that failed are made once more while their
// owners live, and the configuration's last save still goes through the
// trouble.
GameBase::~GameBase()
{
    state_.gameLogic.reset();
    state_.windows.DestroyAll();
    gameCursor_.reset();
    if (saveTrouble_ != nullptr) {
        // The engine's last save of the configuration makes the ini's failed
        // one again, so that the file is written once at exit.
        if (engine_->GetSettings().saveConfigOnExit)
            saveTrouble_->Forget(config_->GetIniPath());
        saveTrouble_->MakeFailedSaves();
    }
    highScores_.reset();
    profileManager_.reset();
    levelManager_.reset();
    gameData_.reset();
    state_.gameLogicData.reset();
    state_.previousGameLogicData.reset();
    toolManager_.reset();
    fontTool_ = nullptr;
    textTool_ = nullptr;
    languageManager_.reset();
    soundSet_.reset();
    commands_.reset();
    engine_.reset();
    saveTrouble_.reset();
    userFolderLock_.reset();
}

void GameBase::Init()
{
    Halvard::EngineSettings settings;
    FillEngineSettings(settings);
    engine_ = std::make_unique<Halvard::Engine>(settings);
    CopyEngineMembers();
    userFolderLock_->SetLog(messages_);
    languageManager_ = std::make_unique<LanguageManager>(files_, registryPath_);
    RegisterConsoleCommands();
    CreateToolManager();
    fontTool_ = toolManager_->GetFontTool();
    textTool_ = toolManager_->GetTextTool();
    window_->SetTitle(Halvard::ToString(textTool_->GetText("game_title")));
    gui_->SetSize(kGuiWidth, kGuiHeight);
    console_ = engine_->GetConsole();
    soundSet_ = std::make_unique<SoundSet>(engine_.get(), GetDefaultMusicVolume(), GetDefaultSoundVolume());
    CreateManagers();
    CreateStartWindows();
    LoadSounds();
    state_.windows.logos->ShowWindow(WindowSource::kProgram);
}

// A fonts or texts file refused is fatal, and the log says which and why,
// as the box does.
void GameBase::CreateToolManager()
{
    try {
        toolManager_ = std::make_unique<GUITools::GUIToolManager>(engine_.get(),
                                                                  languageManager_->GetCurrentLanguage()->code);
    } catch (const Halvard::FileError& error) {
        messages_->LogFatal(error.GetText());
    }
}

void GameBase::CopyEngineMembers()
{
    messages_ = engine_->GetMessageManager();
    files_ = engine_->GetFileManager();
    timers_ = engine_->GetTimerManager();
    config_ = engine_->GetConfig();
    window_ = engine_->GetWindow();
    renderSystem_ = engine_->GetRenderSystem();
    lights_ = engine_->GetLightManager();
    shaders_ = engine_->GetShaderManager();
    textures_ = shaders_->GetTextureManager();
    models_ = engine_->GetModelManager();
    spriteGroups_ = engine_->GetSpriteGroupManager();
    particleSystems_ = engine_->GetParticleSystemManager();
    controls_ = engine_->GetControls();
    soundManager_ = engine_->GetSoundManager();
    gui_ = engine_->GetGUIManager();
    console_ = engine_->GetConsole();
    state_.engine = engine_.get();
}

void GameBase::CreateManagers()
{
    saveTrouble_ = std::make_unique<SaveTrouble>(config_, messages_);
    saveTrouble_->SetUserFolderLock(userFolderLock_.get());
    config_->SetSaveKeeper(saveTrouble_.get());
    levelManager_ = CreateLevelManager();
    state_.levelManager = levelManager_.get();
    profileManager_ = CreateProfileManager();
    state_.profileManager = profileManager_.get();
    highScores_ = std::make_unique<HighScoresTable>(GetFileServices(), kHighScoresPerCategory, userFolder_);
    state_.highScores = highScores_.get();
    gameData_ = CreateGameData();
    state_.gameData = gameData_.get();
    gameData_->AddResourcesFile(kBasicResources, true);
    gameData_->AddResourcesFile(kAdditionalResources, false);
}

void GameBase::CreateStartWindows()
{
    gameCursor_ = CreateGameCursor();
    state_.gameCursor = gameCursor_.get();
    CreateFrameworkWindows(WindowCreation::kStartUp);
}

// Windows register their GUI when they are made, so the list's order is the
// order the screen shows them in.
void GameBase::CreateFrameworkWindows(WindowCreation creation)
{
#define GAME_BASE_CREATE_WINDOW(Base, member, Stem, name, when, ...)                                                  \
    if (creation == WindowCreation::when)                                                                             \
        state_.windows.member = Create##Stem##Window();
    FRAMEWORK_WINDOWS(GAME_BASE_CREATE_WINDOW)
#undef GAME_BASE_CREATE_WINDOW
}

void GameBase::FillEngineSettings(Halvard::EngineSettings& settings)
{
    settings.applicationName = title_;
    settings.versionNumber = version_;
    settings.installFolder = installFolder_;
    settings.saveConfigOnExit = 1;
    settings.configName = title_;
    settings.logEnabled = 1;
    settings.logReopen = 0;
    settings.logFolder = userFolder_;
    settings.logName = title_;
    settings.configFolder = userFolder_;
    settings.dataFolder = "Data";
    settings.parentWindow = 0;
    settings.iconId = 0;
    settings.forceDefaultVideoMode = 0;
    settings.defaultVideoMode = "800x600x32";
    settings.forceDefaultFullScreen = 0;
    settings.defaultFullScreen = 1;
    settings.keepWindowSize = 0;
    settings.stencilRequest = 0;
    settings.centerWindow = 1;
    settings.windowPositionX = 0;
    settings.windowPositionY = 0;
    settings.sound3D = 0;
}

void GameBase::RegisterConsoleCommands()
{
    commands_ = std::make_unique<ConsoleCommands>(engine_.get());
    commands_->Register(&showStatistics_);
}

void GameBase::ExecuteConsoleCommands() { commands_->Execute(); }

void GameBase::CreateConsole()
{
    const Halvard::ShaderDescriptor background =
        Halvard::MakeAnimatedShaderDescriptor(1, 1, "ui\\console\\console.jpg", "", false);
    Halvard::ConsoleSettings settings;
    settings.title = engine_->GetVersionString();
    settings.background = &background;
    const Halvard::i32 font = fontTool_->GetFontIndex("console");
    settings.fontId = font < 0 ? 0 : static_cast<Halvard::u32>(font);
    console_ = engine_->CreateConsole(settings);
}

void GameBase::LoadSounds() {}

float GameBase::GetDefaultMusicVolume() const { return 1.0f; }

float GameBase::GetDefaultSoundVolume() const { return 1.0f; }

// Clears both reset flags and makes the device again.
void GameBase::ResetRenderDevice() { renderSystem_->Reset(3); }

void GameBase::CreateWindows() { CreateFrameworkWindows(WindowCreation::kInterface); }

void GameBase::LoadAdditionalFonts() { fontTool_->LoadAdditionalFonts(); }

std::string GameBase::GetSoundFileName(const std::string& group, const std::string& name) const
{
    const std::string stem = "audio\\" + group + "\\" + name + ".";
    return stem + (files_->FileExists("data\\" + stem + "wav") ? "wav" : "ogg");
}

FileServices GameBase::GetFileServices() const { return FileServices::Of(*engine_, saveTrouble_.get()); }

bool GameBase::IsQuitRequested() const { return engine_->IsExitRequested(); }

void GameBase::Update()
{
    if (!window_->HasFocus()) {
        if (!TakeFocusLossInLevel()) {
            KeepAliveWithoutFocus();
            return;
        }
    } else if (focusLost_) {
        RegainFocus();
    }
    ApplyPendingVideoMode();
    if (renderSystem_->IsResetNeeded())
        ResetDevice();
    engine_->BeginFrame();
    ExecuteConsoleCommands();
    soundSet_->Update();
    for (int pass = 0; pass < kDispatchPasses; ++pass) {
        ProcessWindows();
        ResetWindowResults();
    }
    UpdateWindows();
    gameCursor_->Update();
    engine_->EndFrame(0);
    CountWindowModeFrames();
}

// The frame that loses the focus while a level runs is run in full, so that
// the pause window it shows is drawn.
bool GameBase::TakeFocusLossInLevel()
{
    GameLogicBase* logic = state_.gameLogic.get();
    if (logic == nullptr || focusLost_ || logic->GetState() != GameLogicBase::kRunning)
        return false;
    logic->PauseLevel(true);
    state_.windows.gameLogic->SetActive(false);
    state_.windows.gameLogicPause->ShowWindow(WindowSource::kProgram);
    savedPause_ = true;
    soundSet_->PauseAllMusic(true, kMusicAtOnce);
    focusLost_ = true;
    return true;
}

// Without the focus the window, the timers and the sounds keep running, but
// no input is read, no window steps and nothing is drawn.
void GameBase::KeepAliveWithoutFocus()
{
    GameLogicBase* logic = state_.gameLogic.get();
    if (logic != nullptr && !focusLost_) {
        savedPause_ = logic->IsTimerPaused();
        logic->PauseTimer(true);
    }
    window_->Update();
    renderSystem_->Refresh();
    timers_->Update();
    if (soundManager_ != nullptr)
        soundManager_->Update(true);
    if (!focusLost_) {
        soundSet_->PauseAllMusic(true, kMusicAtOnce);
        focusLost_ = true;
    }
    Platform::GetClock().Sleep(kUnfocusedSleepMilliseconds);
}

// Only the music the focus loss paused comes back: a track paused on purpose
// stays paused. A level the player had paused keeps its timer stopped.
void GameBase::RegainFocus()
{
    soundSet_->PauseAllMusic(false, kMusicFadeIn);
    if (state_.gameLogic != nullptr)
        state_.gameLogic->PauseTimer(savedPause_);
    focusLost_ = false;
}

// A new mode takes effect through the device reset that follows in the same
// frame.
void GameBase::ApplyPendingVideoMode()
{
    if (config_->IsCommandHandled(ConsoleCommands::kUpdateVideoMode))
        return;
    renderSystem_->CheckVideoMode();
    config_->SetCommandHandled(ConsoleCommands::kUpdateVideoMode, true);
}

// No key held through the reset counts as pressed afterwards. In the frame
// that loses the focus during a level the focus loss has paused the music
// already; the reset leaves it so, or its resume would play what the focus
// loss paused while the window has no focus.
void GameBase::ResetDevice()
{
    const bool musicHeldByFocusLoss = focusLost_;
    if (!musicHeldByFocusLoss)
        soundSet_->PauseAllMusic(true, kMusicAtOnce);
    ResetRenderDevice();
    if (!musicHeldByFocusLoss)
        soundSet_->PauseAllMusic(false, kMusicFadeIn);
    controls_->BlockInput();
}

// A window-mode request made during frame n is counted at the end of frames n
// and n+1 and applied at the start of frame n+2, once the window has settled.
void GameBase::CountWindowModeFrames()
{
    if (config_->IsCommandHandled(kWindowChangeMode))
        return;
    if (++modeChangeFrames_ < kWindowModeSettleFrames)
        return;
    modeChangeFrames_ = 0;
    config_->SetCommandHandled(kWindowChangeMode, true);
    config_->SetCommandHandled(ConsoleCommands::kUpdateVideoMode, false);
}

} // namespace GameFramework
