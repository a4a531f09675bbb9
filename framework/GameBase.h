#pragma once

#include "engine/core/Types.h"
#include "framework/windows/FrameworkWindowList.h"
#include "framework/windows/WindowFlowHost.h"
#include "framework/windows/WindowFlowState.h"

#include <memory>
#include <string>

namespace Halvard {
class Config;
class Console;
class Controls;
class Engine;
class FileManager;
class GUIManager;
class LightManager;
class MessageManager;
class ModelManager;
class ParticleSystemManager;
class RenderSystem;
class ShaderManager;
class SoundManager;
class SpriteGroupManager;
class TextureManager;
class TimerManager;
class Window;
struct EngineSettings;
} // namespace Halvard

namespace GameTools {
class DataKeeper;
}

namespace GUITools {
class GUIFontTool;
class GUITextTool;
class GUIToolManager;
} // namespace GUITools

namespace GameFramework {

class ConsoleCommands;
class GameLogicBase;
class GUIGameCursorBase;
class HighScoresTable;
class LanguageManager;
class LevelManagerBase;
class ProfileManagerBase;
class SaveTrouble;
class SoundSet;
class UserFolderLock;
struct FileServices;
class WindowFlow;
struct LevelRecordBase;
struct LevelResult;
struct StageRecordBase;

// The application object of a game built on the framework. It owns the
// engine, the framework's managers, every window and the level being
// played, and runs one frame per Update. A game derives it, fills the pure
// factories and may override the others; its constructor calls Init once,
// because only there do virtual calls reach the game's own operations.
//
// The window protocol lives in WindowFlow, which this object owns together
// with the flow's state (the windows, the level and the level's data): as
// the flow's host it carries the dispatch passes and the handlers, which a
// game overrides, and the factories the flow calls.
//
// No operation catches: what a step throws reaches the loader. Main thread
// only.
class GameBase : public WindowFlowHost {
public:
    // Reads the registry's "Version" and "InstallPath" under
    // "SOFTWARE\<maker>\<title>", works out the install and user folders and
    // claims the user folder: it locks it for as long as the object lives
    // and removes what saves cut short by an earlier run left there. Throws
    // Error, with nothing written, when there is no home folder to put the
    // user folder in or when another running copy holds the lock.
    GameBase(const std::string& maker, const std::string& title, Halvard::u32 version);
    GameBase(const GameBase&) = delete;
    GameBase& operator=(const GameBase&) = delete;
    // Deletes only what exists, the engine last. Never throws.
    ~GameBase() override;

    // One frame of the program.
    virtual void Update();
    // The engine's exit request; the loader asks after every pass.
    bool IsQuitRequested() const;

    // "audio\<group>\<name>.wav" when the file manager finds that file below
    // "data\", else the same name with "ogg".
    std::string GetSoundFileName(const std::string& group, const std::string& name) const;

    const std::string& GetMaker() const { return maker_; }
    const std::string& GetTitle() const { return title_; }
    Halvard::u32 GetVersion() const { return version_; }
    const std::string& GetRegistryPath() const { return registryPath_; }
    const std::string& GetInstallFolder() const { return installFolder_; }
    const std::string& GetUserFolder() const { return userFolder_; }

    Halvard::Engine* GetEngine() const { return engine_.get(); }
    LanguageManager* GetLanguageManager() const { return languageManager_.get(); }
    SoundSet* GetSoundSet() const { return soundSet_.get(); }
    GUITools::GUIToolManager* GetGUIToolManager() const { return toolManager_.get(); }
    GUITools::GUIFontTool* GetFontTool() const { return fontTool_; }
    GUITools::GUITextTool* GetTextTool() const { return textTool_; }
    LevelManagerBase* GetLevelManager() const { return levelManager_.get(); }
    ProfileManagerBase* GetProfileManager() const { return profileManager_.get(); }
    HighScoresTable* GetHighScores() const { return highScores_.get(); }
    GUIGameCursorBase* GetGameCursor() const { return gameCursor_.get(); }
    // What went wrong with the save files in this run, and what every save
    // goes through; made by Init.
    SaveTrouble* GetSaveTrouble() const { return saveTrouble_.get(); }
    // The engine's log and file manager and the save trouble, for the save
    // files the managers keep.
    FileServices GetFileServices() const;
    GameTools::DataKeeper* GetGameData() const { return gameData_.get(); }
    bool IsShowStatistics() const { return showStatistics_ != 0; }

    // What the flow changes: the windows, the level and the level's data.
    FrameworkWindows& GetWindows() { return state_.windows; }
    const FrameworkWindows& GetWindows() const { return state_.windows; }
    GameLogicBase* GetGameLogic() const { return state_.gameLogic.get(); }
    GameTools::DataKeeper* GetGameLogicData() const { return state_.gameLogicData.get(); }

    // The flow's side (slots 7, 38 to 41): the framework's window set, and
    // the additional fonts once the interface data is loaded.
    void CreateWindows() override;
    void LoadAdditionalFonts() override;

protected:
    // Start-up, in a fixed order; runs once, from the game's constructor.
    virtual void Init();
    virtual void FillEngineSettings(Halvard::EngineSettings& settings);
    virtual void RegisterConsoleCommands();
    // Makes the engine's drop-down console; start-up never calls it.
    virtual void CreateConsole();
    virtual void LoadSounds();
    virtual void ExecuteConsoleCommands();
    virtual float GetDefaultMusicVolume() const;
    virtual float GetDefaultSoundVolume() const;
    virtual void ResetRenderDevice();

    virtual std::unique_ptr<LevelManagerBase> CreateLevelManager() = 0;
    virtual std::unique_ptr<ProfileManagerBase> CreateProfileManager() = 0;
    virtual std::unique_ptr<GameTools::DataKeeper> CreateGameData() = 0;
    virtual std::unique_ptr<GUIGameCursorBase> CreateGameCursor() = 0;
    // A factory of each window of FRAMEWORK_WINDOWS: Create<Stem>Window.
#define GAME_BASE_WINDOW_FACTORY(Base, member, Stem, ...) virtual std::unique_ptr<Base> Create##Stem##Window() = 0;
    FRAMEWORK_WINDOWS(GAME_BASE_WINDOW_FACTORY)
#undef GAME_BASE_WINDOW_FACTORY

    WindowFlow& GetWindowFlow() override { return *flow_; }
    WindowFlowState& GetFlowState() { return state_; }

    // Copies of the engine's members, set by Init; not owned.
    Halvard::MessageManager* messages_ = nullptr;
    Halvard::FileManager* files_ = nullptr;
    Halvard::TimerManager* timers_ = nullptr;
    Halvard::Config* config_ = nullptr;
    Halvard::Window* window_ = nullptr;
    Halvard::RenderSystem* renderSystem_ = nullptr;
    Halvard::LightManager* lights_ = nullptr;
    Halvard::ShaderManager* shaders_ = nullptr;
    Halvard::TextureManager* textures_ = nullptr;
    Halvard::ModelManager* models_ = nullptr;
    Halvard::SpriteGroupManager* spriteGroups_ = nullptr;
    Halvard::ParticleSystemManager* particleSystems_ = nullptr;
    Halvard::Controls* controls_ = nullptr;
    Halvard::SoundManager* soundManager_ = nullptr;
    Halvard::GUIManager* gui_ = nullptr;
    Halvard::Console* console_ = nullptr;

private:
    void CopyEngineMembers();
    void CreateToolManager();
    void CreateManagers();
    void CreateStartWindows();
    // The windows of the list made at that time, in the list's order.
    void CreateFrameworkWindows(WindowCreation creation);
    // The frame's steps.
    bool TakeFocusLossInLevel();
    void KeepAliveWithoutFocus();
    void RegainFocus();
    void ApplyPendingVideoMode();
    void ResetDevice();
    void CountWindowModeFrames();

    std::string maker_;
    std::string title_;
    Halvard::u32 version_ = 0;
    std::string registryPath_;
    std::string installFolder_;
    std::string userFolder_;
    // Keeps every other copy of the game out of the user folder; it goes
    // after the engine, whose last act is to write the ini file and the log.
    std::unique_ptr<UserFolderLock> userFolderLock_;
    std::unique_ptr<Halvard::Engine> engine_;
    std::unique_ptr<ConsoleCommands> commands_;
    // Bound to "d_show_statistics".
    Halvard::u8 showStatistics_ = 0;
    std::unique_ptr<LanguageManager> languageManager_;
    std::unique_ptr<SoundSet> soundSet_;
    std::unique_ptr<GUITools::GUIToolManager> toolManager_;
    std::unique_ptr<SaveTrouble> saveTrouble_;
    GUITools::GUIFontTool* fontTool_ = nullptr;
    GUITools::GUITextTool* textTool_ = nullptr;
    std::unique_ptr<GameTools::DataKeeper> gameData_;
    std::unique_ptr<LevelManagerBase> levelManager_;
    std::unique_ptr<ProfileManagerBase> profileManager_;
    std::unique_ptr<HighScoresTable> highScores_;
    std::unique_ptr<GUIGameCursorBase> gameCursor_;
    // The windows, the level and its data, and the flow over them.
    WindowFlowState state_;
    std::unique_ptr<WindowFlow> flow_;
    bool focusLost_ = false;
    bool savedPause_ = false;
    Halvard::u32 modeChangeFrames_ = 0;
};

} // namespace GameFramework
