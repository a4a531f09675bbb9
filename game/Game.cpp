#include "game/Game.h"

#include "engine/app/Engine.h"
#include "engine/app/EngineSettings.h"
#include "engine/core/FileManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/sound/SoundUtils.h"
#include "framework/LanguageManager.h"
#include "framework/cursor/GUIGameCursorBase.h"
#include "framework/logic/GameLogicBase.h"
#include "framework/persistence/FileServices.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "game/GameLogic.h"
#include "game/LevelManager.h"
#include "game/LevelRecord.h"
#include "game/SoundTable.h"
#include "game/StageRecord.h"
#include "game/data/GameData.h"
#include "game/data/GameLogicData.h"
#include "game/persistence/Profile.h"
#include "game/persistence/ProfileManager.h"
#include "game/windows/parts/GUIBackground.h"
#include "game/windows/menus/GUIDeleteProfileWindow.h"
#include "game/windows/menus/GUIContinueGameLogicWindow.h"
#include "game/windows/menus/GUIExitWindow.h"
#include "game/windows/level/GUIGameCompleteWindow.h"
#include "game/windows/level/GUIGameLogicGameExitWindow.h"
#include "game/windows/level/GUIGameLogicMenuExitWindow.h"
#include "game/windows/level/GUIGameLogicPauseWindow.h"
#include "game/windows/level/GUIGameLogicRestartWindow.h"
#include "game/windows/level/GUIGameOverWindow.h"
#include "game/windows/menus/GUIHelpWindow.h"
#include "game/windows/menus/GUIHighScoresWindow.h"
#include "game/windows/level/GUILevelCompleteWindow.h"
#include "game/windows/parts/GUIGameCursor.h"
#include "game/windows/menus/GUIGameLoadingWindow.h"
#include "game/windows/level/GUIGameLogicLoadingWindow.h"
#include "game/windows/level/GUIGameLogicMenuWindow.h"
#include "game/windows/level/GUIGameLogicWindow.h"
#include "game/windows/menus/GUILogosWindow.h"
#include "game/windows/menus/GUIMainMenuWindow.h"
#include "game/windows/parts/GUIMenuWindowManager.h"
#include "game/windows/menus/GUINewProfileWindow.h"
#include "game/SaveTroubleNotice.h"
#include "game/windows/menus/GUIProfileNameConflictWindow.h"
#include "game/windows/menus/GUIProfilesWindow.h"
#include "game/windows/menus/GUIRenameProfileWindow.h"
#include "game/windows/menus/GUISaveTroubleWindow.h"
#include "game/windows/menus/GUIWelcomeWindow.h"
#include "game/windows/menus/GUIOptionsWindow.h"
#include "game/windows/level/GUIStageCompleteWindow.h"
#include "game/windows/menus/GUIStartGameLogicWindow.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/XMLQuery.h"
#include "gui_tools/GUIToolManager.h"

namespace Tamrisk {

namespace GF = GameFramework;
using GF::MusicFade;
using GF::WindowResult;

namespace {

constexpr const char* kBackgroundBasicResources = "data\\ui\\background\\resources_basic.xml";
constexpr const char* kBackgroundAdditionalResources = "data\\ui\\background\\resources_additional.xml";
constexpr const char* kGameObjectResources = "data\\game_objects\\resources.xml";
constexpr float kMenuMusicFadeIn = 0.5f;
constexpr float kLevelMusicFadeIn = 0.1f;
constexpr float kMusicFadeOut = 1.0f;
constexpr float kBackgroundFadeSpeed = 1.0f;

} // namespace

Game::Game() : GameBase(kMaker, kTitle, kVersion)
{
    Halvard::SetDefaultMipMapping(1);
    Init();
}

Game::~Game()
{
    saveTroubleNotice_.reset();
    background_.reset();
    menuWindowManager_.reset();
}

void Game::FillEngineSettings(Halvard::EngineSettings& settings)
{
    GameBase::FillEngineSettings(settings);
    settings.defaultVideoMode = kVideoMode;
    settings.stencilRequest = 1;
    settings.iconId = kIconId;
}

// GUI sounds, then music, then effects, each file named just before it is
// registered; the volume is applied once all effects exist.
void Game::LoadSounds()
{
    Halvard::GUISoundManager* guiSounds = gui_->GetSoundManager();
    if (guiSounds != nullptr) {
        for (const GuiSoundEntry& entry : GetGuiSoundTable())
            guiSounds->AddSound(entry.id, GetSoundFileName(entry.file.group, entry.file.name));
    }
    GF::SoundSet* sounds = GetSoundSet();
    for (const MusicEntry& entry : GetMusicTable())
        sounds->AddMusic(entry.trackId, GetSoundFileName(entry.file.group, entry.file.name), entry.looped);
    for (const EffectEntry& entry : GetEffectTable())
        sounds->AddSound(entry.id, GetSoundFileName(entry.file.group, entry.file.name), entry.looped,
                         entry.instances);
    sounds->RefreshSoundVolume();
}

float Game::GetDefaultMusicVolume() const { return 0.285f; }

float Game::GetDefaultSoundVolume() const { return 0.315f; }

std::string Game::GetLanguage() const { return GetLanguageManager()->GetCurrentLanguage()->code; }

GameData* Game::GetInterfaceData() const { return static_cast<GameData*>(GetGameData()); }

void Game::CreateWindows()
{
    if (GUIGameCursor* cursor = GetCursor())
        cursor->CreateEffects(GetGameData());
    if (background_ != nullptr)
        background_->LoadAdditionalLayers();
    GameBase::CreateWindows();
    saveTroubleNotice_ = std::make_unique<SaveTroubleNotice>(GetSaveTrouble(), [this] {
        return std::make_unique<GUISaveTroubleWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(),
                                                      GetGUIToolManager(), menuWindowManager_.get(),
                                                      background_->GetUpperWindow());
    });
}

void Game::ProcessWindows()
{
    GameBase::ProcessWindows();
    if (saveTroubleNotice_ != nullptr)
        saveTroubleNotice_->Process(GetWindows(), GetGameLogic() != nullptr);
}

void Game::ResetWindowResults()
{
    GameBase::ResetWindowResults();
    if (saveTroubleNotice_ != nullptr)
        saveTroubleNotice_->ResetResult();
}

void Game::UpdateWindows()
{
    if (background_ != nullptr)
        background_->Update();
    if (menuWindowManager_ != nullptr)
        menuWindowManager_->PreUpdate();
    GameBase::UpdateWindows();
    if (saveTroubleNotice_ != nullptr)
        saveTroubleNotice_->Update();
    if (menuWindowManager_ != nullptr)
        menuWindowManager_->Update();
}

void Game::OnLogosEnded()
{
    GetSoundSet()->PlayMusic(kMenuMusicSlot, kMusicMenu, MusicFade::Over(kMenuMusicFadeIn));
}

// The cursor stays hidden until the level is shown.
void Game::OnLevelChosen() { GetGameCursor()->SetVisible(false); }

void Game::OnLevelEntered()
{
    if (background_ != nullptr)
        background_->StartFade(false, true, kBackgroundFadeSpeed);
    StartLevelMusic();
    EnableCursorTrain(false);
}

// The level's track plays from the start after a path that stopped it, and
// goes on where it was paused otherwise.
void Game::StartLevelMusic()
{
    GF::SoundSet* sounds = GetSoundSet();
    sounds->StopMusic(kMenuMusicSlot, MusicFade::Over(kMusicFadeOut));
    if (sounds->GetMusicState(kLevelMusicSlot) == Halvard::kSoundStopped)
        sounds->PlayMusic(kLevelMusicSlot, gameMusicIndex_ + 1, MusicFade::Over(kLevelMusicFadeIn));
    else
        sounds->PauseMusic(kLevelMusicSlot, false, MusicFade::Over(kLevelMusicFadeIn));
    gameMusicIndex_ = 0;
}

void Game::OnLevelResumed() { EnableCursorTrain(false); }

void Game::OnMenuCursorNeeded(MenuCursor cursor)
{
    if (cursor == MenuCursor::kShapeAndTrail)
        GetGameCursor()->SetCursor(GUIGameCursor::kCursorId);
    EnableCursorTrain(true);
}

// The framework's way out of a level opens the level choice as the main
// menu's; the game opens it as a return from a level.
void Game::LeaveGameLogic()
{
    GameBase::LeaveGameLogic();
    GetWindows().startGameLogic->ShowWindow(GF::WindowSource::kLevelComplete);
}

GUIGameCursor* Game::GetCursor() const { return dynamic_cast<GUIGameCursor*>(GetGameCursor()); }

void Game::EnableCursorTrain(bool enable)
{
    if (GUIGameCursor* cursor = GetCursor())
        cursor->EnableTrain(enable);
}

// The game complete window is told whether this is the profile's first
// completion of the game.
void Game::ProcessStageCompleteWindow()
{
    if (GetWindows().stageComplete->GetResult() == WindowResult::kGameComplete) {
        const Profile* profile = GetCurrentGameProfile();
        static_cast<GUIGameCompleteWindow&>(*GetWindows().gameComplete)
            .SetFirstCompletion(profile != nullptr && profile->IsFirstCompletion());
    }
    GameBase::ProcessStageCompleteWindow();
}

Profile* Game::GetCurrentGameProfile() const
{
    return dynamic_cast<Profile*>(GetProfileManager()->GetCurrentProfile());
}

// Only the first completion of the game with a profile is marked.
void Game::ProcessGameCompleteWindow()
{
    GameBase::ProcessGameCompleteWindow();
    if (GetWindows().gameComplete->GetResult() != WindowResult::kDone)
        return;
    Profile* profile = GetCurrentGameProfile();
    if (profile != nullptr && profile->IsFirstCompletion()) {
        profile->SetFirstCompletion(false);
        profile->Save();
    }
}

void Game::OnBackToMenus(LevelMusic music)
{
    GF::SoundSet* sounds = GetSoundSet();
    if (music == LevelMusic::kStop)
        sounds->StopAllMusic(MusicFade::Over(kMusicFadeOut));
    else
        sounds->PauseAllMusic(true, MusicFade::Over(kMusicFadeOut));
    sounds->PlayMusic(kMenuMusicSlot, kMusicMenu, MusicFade::Over(kMenuMusicFadeIn));
    if (background_ != nullptr)
        background_->StartFade(true, true, kBackgroundFadeSpeed);
}

// The factories: every window from its description in the data set.

std::unique_ptr<GF::LevelManagerBase> Game::CreateLevelManager() { return std::make_unique<LevelManager>(GetEngine()); }

std::unique_ptr<GF::ProfileManagerBase> Game::CreateProfileManager()
{
    return std::make_unique<ProfileManager>(GetFileServices(), GetSoundSet(), GetUserFolder());
}

// The background's basic list is read at once; its additional list and the
// objects' list wait for the game loading window.
std::unique_ptr<GameTools::DataKeeper> Game::CreateGameData()
{
    auto data = std::make_unique<GameData>(GetEngine(), GetLanguage());
    data->AddResourcesFile(kBackgroundBasicResources, true);
    data->AddResourcesFile(kBackgroundAdditionalResources, false);
    data->AddResourcesFile(kGameObjectResources, false);
    return data;
}

// A data folder without the cursor's pictures plays with the system's
// cursor alone.
std::unique_ptr<GF::GUIGameCursorBase> Game::CreateGameCursor()
{
    Halvard::FileManager& files = *GetEngine()->GetFileManager();
    if (!files.FileExists(std::string("data\\") + GUIGameCursor::kPicture) ||
        !files.FileExists(std::string("data\\") + GUIGameCursor::kPictureAlpha))
        return std::make_unique<GF::GUIGameCursorBase>(GetEngine());
    return std::make_unique<GUIGameCursor>(GetEngine());
}

std::unique_ptr<GF::GUILogosWindowBase> Game::CreateLogosWindow() { return std::make_unique<GUILogosWindow>(GetEngine()); }

// The background comes first and is shown at once: its upper window is the
// parent of every menu window.
std::unique_ptr<GF::GUILoadingWindowBase> Game::CreateGameLoadingWindow()
{
    background_ = std::make_unique<GUIBackground>(GetEngine(), GetGameData());
    background_->StartFade(true, false, kBackgroundFadeSpeed);
    menuWindowManager_ = std::make_unique<GUIMenuWindowManager>(GetInterfaceData());
    return std::make_unique<GUIGameLoadingWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(),
                                                  GetGUIToolManager(), menuWindowManager_.get(),
                                                  background_->GetUpperWindow());
}

std::unique_ptr<GF::GUILoadingWindowBase> Game::CreateGameLogicLoadingWindow()
{
    return std::make_unique<GUIGameLogicLoadingWindow>(GetEngine(), GetLevelManager(), GetSoundSet(),
                                                       GetInterfaceData(), GetGUIToolManager(),
                                                       menuWindowManager_.get(), background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIWelcomeWindowBase> Game::CreateWelcomeWindow()
{
    return std::make_unique<GUIWelcomeWindow>(GetEngine(), GetProfileManager(), GetSoundSet(), GetInterfaceData(),
                                              GetGUIToolManager(), menuWindowManager_.get(),
                                              background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIExitWindowBase> Game::CreateExitWindow()
{
    return std::make_unique<GUIExitWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(), GetGUIToolManager(),
                                           menuWindowManager_.get(), background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIMainMenuWindowBase> Game::CreateMainMenuWindow()
{
    return std::make_unique<GUIMainMenuWindow>(GetEngine(), GetProfileManager(), GetSoundSet(), GetInterfaceData(),
                                               GetGUIToolManager(), menuWindowManager_.get(),
                                               background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIProfilesWindowBase> Game::CreateProfilesWindow()
{
    return std::make_unique<GUIProfilesWindow>(GetEngine(), GetSoundSet(), GetProfileManager(), GetInterfaceData(),
                                               GetGUIToolManager(), menuWindowManager_.get(),
                                               background_->GetUpperWindow());
}

std::unique_ptr<GF::GUINewProfileWindowBase> Game::CreateNewProfileWindow()
{
    return std::make_unique<GUINewProfileWindow>(GetEngine(), GetProfileManager(), GetSoundSet(), GetInterfaceData(),
                                                 GetGUIToolManager(), menuWindowManager_.get(),
                                                 background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIRenameProfileWindowBase> Game::CreateRenameProfileWindow()
{
    return std::make_unique<GUIRenameProfileWindow>(GetEngine(), GetProfileManager(), GetSoundSet(),
                                                    GetInterfaceData(), GetGUIToolManager(),
                                                    menuWindowManager_.get(), background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIDeleteProfileWindowBase> Game::CreateDeleteProfileWindow()
{
    return std::make_unique<GUIDeleteProfileWindow>(GetEngine(), GetProfileManager(), GetSoundSet(),
                                                    GetInterfaceData(), GetGUIToolManager(),
                                                    menuWindowManager_.get(), background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIProfileNameConflictWindowBase> Game::CreateProfileNameConflictWindow()
{
    return std::make_unique<GUIProfileNameConflictWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(),
                                                          GetGUIToolManager(), menuWindowManager_.get(),
                                                          background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIStartGameLogicWindowBase> Game::CreateStartGameLogicWindow()
{
    return std::make_unique<GUIStartGameLogicWindow>(GetEngine(), GetSoundSet(), GetLevelManager(),
                                                     GetProfileManager(), GetInterfaceData(), GetGUIToolManager(),
                                                     menuWindowManager_.get(), background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIContinueGameLogicWindowBase> Game::CreateContinueGameLogicWindow()
{
    return std::make_unique<GUIContinueGameLogicWindow>(GetEngine(), GetSoundSet(), GetProfileManager(),
                                                        GetInterfaceData(), GetGUIToolManager(),
                                                        menuWindowManager_.get(), background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIHighScoresWindowBase> Game::CreateHighScoresWindow()
{
    return std::make_unique<GUIHighScoresWindow>(GetEngine(), GetSoundSet(), GetHighScores(), GetInterfaceData(),
                                                 GetGUIToolManager(), menuWindowManager_.get(),
                                                 background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIOptionsWindowBase> Game::CreateOptionsWindow()
{
    return std::make_unique<GUIOptionsWindow>(GetEngine(), GetSoundSet(), GetProfileManager(), GetInterfaceData(),
                                              GetGUIToolManager(), menuWindowManager_.get(),
                                              background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIHelpWindowBase> Game::CreateHelpWindow()
{
    return std::make_unique<GUIHelpWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(), GetGUIToolManager(),
                                           menuWindowManager_.get(), background_->GetUpperWindow());
}

// The last of the menu set: the display over the field hands the screen back
// through the menu window manager.
std::unique_ptr<GF::GUIGameLogicWindowBase> Game::CreateGameLogicWindow()
{
    return std::make_unique<GUIGameLogicWindow>(GetEngine(), GetProfileManager(), GetInterfaceData(),
                                                GetGUIToolManager(), menuWindowManager_.get(),
                                                background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIGameLogicPauseWindowBase> Game::CreateGameLogicPauseWindow()
{
    return std::make_unique<GUIGameLogicPauseWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(),
                                                     GetGUIToolManager(), menuWindowManager_.get(),
                                                     background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIGameLogicMenuWindowBase> Game::CreateGameLogicMenuWindow()
{
    return std::make_unique<GUIGameLogicMenuWindow>(GetEngine(), GetSoundSet(), GetProfileManager(),
                                                    GetInterfaceData(), GetGUIToolManager(),
                                                    menuWindowManager_.get(), background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIGameLogicMenuExitWindowBase> Game::CreateGameLogicMenuExitWindow()
{
    return std::make_unique<GUIGameLogicMenuExitWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(),
                                                        GetGUIToolManager(), menuWindowManager_.get(),
                                                        background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIGameLogicRestartWindowBase> Game::CreateGameLogicRestartWindow()
{
    return std::make_unique<GUIGameLogicRestartWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(),
                                                       GetGUIToolManager(), menuWindowManager_.get(),
                                                       background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIGameLogicGameExitWindowBase> Game::CreateGameLogicGameExitWindow()
{
    return std::make_unique<GUIGameLogicGameExitWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(),
                                                        GetGUIToolManager(), menuWindowManager_.get(),
                                                        background_->GetUpperWindow());
}

std::unique_ptr<GF::GUILevelCompleteWindowBase> Game::CreateLevelCompleteWindow()
{
    auto* levels = static_cast<LevelManager*>(GetLevelManager());
    return std::make_unique<GUILevelCompleteWindow>(GetEngine(), GetSoundSet(), levels, GetProfileManager(),
                                                    GetInterfaceData(), GetGUIToolManager(), menuWindowManager_.get(),
                                                    background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIStageCompleteWindowBase> Game::CreateStageCompleteWindow()
{
    return std::make_unique<GUIStageCompleteWindow>(GetLevelManager());
}

std::unique_ptr<GF::GUIGameCompleteWindowBase> Game::CreateGameCompleteWindow()
{
    return std::make_unique<GUIGameCompleteWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(), GetGUIToolManager(),
                                                   menuWindowManager_.get(), background_->GetUpperWindow());
}

std::unique_ptr<GF::GUIGameOverWindowBase> Game::CreateGameOverWindow()
{
    return std::make_unique<GUIGameOverWindow>(GetEngine(), GetSoundSet(), GetInterfaceData(), GetGUIToolManager(),
                                               menuWindowManager_.get(), background_->GetUpperWindow());
}

std::unique_ptr<GameTools::DataKeeper> Game::CreateGameLogicData(const GF::StageRecordBase* stage,
                                                                 const GF::LevelRecordBase* level)
{
    return std::make_unique<GameLogicData>(GetEngine(), GetLanguage(), static_cast<const StageRecord*>(stage),
                                           static_cast<const LevelRecord*>(level));
}

std::unique_ptr<GF::GameLogicBase> Game::CreateGameLogic(const GF::StageRecordBase* stage,
                                                         const GF::LevelRecordBase* level, Halvard::u32 lives)
{
    GameLogicSettings settings;
    settings.cursor = GetGameCursor();
    settings.profiles = GetProfileManager();
    settings.sounds = GetSoundSet();
    settings.interfaceData = static_cast<GameData*>(GetGameData());
    settings.levelData = static_cast<GameLogicData*>(GetGameLogicData());
    settings.tools = GetGUIToolManager();
    settings.stage = static_cast<const StageRecord*>(stage);
    settings.level = static_cast<const LevelRecord*>(level);
    settings.lives = lives;
    return std::make_unique<GameLogic>(GetEngine(), settings);
}

} // namespace Tamrisk
