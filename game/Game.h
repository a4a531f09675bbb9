#pragma once

#include "framework/GameBase.h"

#include <memory>

namespace Tamrisk {

class GameData;
class GUIBackground;
class GUIGameCursor;
class GUIMenuWindowManager;
class Profile;
class SaveTroubleNotice;

// The game's application object: the framework's start-up with the game's
// settings, sounds and resource lists, the factories of its managers and
// windows, and the music and background that follow the screens. Main
// thread only.
class Game : public GameFramework::GameBase {
public:
    static constexpr const char* kMaker = "Quenbyworks";
    static constexpr const char* kTitle = "Tamrisk";
    static constexpr Halvard::u32 kVersion = 100;
    static constexpr const char* kVideoMode = "1024x768x32";
    static constexpr Halvard::u32 kIconId = 101;

    // Runs the whole start-up; what it throws reaches the loader.
    Game();
    ~Game() override;

    GUIBackground* GetBackground() const { return background_.get(); }
    GUIMenuWindowManager* GetMenuWindowManager() const { return menuWindowManager_.get(); }
    // Null until the windows are made.
    SaveTroubleNotice* GetSaveTroubleNotice() const { return saveTroubleNotice_.get(); }
    Halvard::u32 GetGameMusicIndex() const { return gameMusicIndex_; }

    // Each also runs the save trouble notice once the windows exist.
    void ProcessWindows() override;
    void ResetWindowResults() override;
    void UpdateWindows() override;
    void LeaveGameLogic() override;
    void ProcessStageCompleteWindow() override;
    void ProcessGameCompleteWindow() override;
    void CreateWindows() override;

    // The music, the background and the cursor follow the flow's
    // transitions.
    void OnLogosEnded() override;
    void OnLevelChosen() override;
    void OnLevelEntered() override;
    void OnLevelResumed() override;
    void OnMenuCursorNeeded(MenuCursor cursor) override;
    void OnBackToMenus(LevelMusic music) override;

    std::unique_ptr<GameTools::DataKeeper> CreateGameLogicData(const GameFramework::StageRecordBase* stage,
                                                               const GameFramework::LevelRecordBase* level) override;
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(const GameFramework::StageRecordBase* stage,
                                                                  const GameFramework::LevelRecordBase* level,
                                                                  Halvard::u32 lives) override;

protected:
    void FillEngineSettings(Halvard::EngineSettings& settings) override;
    void LoadSounds() override;
    float GetDefaultMusicVolume() const override;
    float GetDefaultSoundVolume() const override;

    std::unique_ptr<GameFramework::LevelManagerBase> CreateLevelManager() override;
    std::unique_ptr<GameFramework::ProfileManagerBase> CreateProfileManager() override;
    std::unique_ptr<GameTools::DataKeeper> CreateGameData() override;
    std::unique_ptr<GameFramework::GUIGameCursorBase> CreateGameCursor() override;
    // Every window's factory, as FRAMEWORK_WINDOWS names it.
#define GAME_WINDOW_FACTORY(Base, member, Stem, ...)                                                                  \
    std::unique_ptr<GameFramework::Base> Create##Stem##Window() override;
    FRAMEWORK_WINDOWS(GAME_WINDOW_FACTORY)
#undef GAME_WINDOW_FACTORY

private:
    // The game's cursor; null when the data folder lacks its pictures and
    // the framework's cursor stands in.
    GUIGameCursor* GetCursor() const;
    void EnableCursorTrain(bool enable);
    void StartLevelMusic();
    std::string GetLanguage() const;
    GameData* GetInterfaceData() const;
    Profile* GetCurrentGameProfile() const;

    std::unique_ptr<GUIBackground> background_;
    std::unique_ptr<GUIMenuWindowManager> menuWindowManager_;
    std::unique_ptr<SaveTroubleNotice> saveTroubleNotice_;
    // Added to 1 to pick the level's track; set to 0 at every level start.
    Halvard::u32 gameMusicIndex_ = 0;
};

} // namespace Tamrisk
