#include "tests/data/GameFixture.h"

#include "framework/levels/LevelManagerBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "framework/windows/WindowSource.h"
#include "game_tools/DataKeeper.h"
#include "platform/os/MessageBox.h"
#include "platform/os/Registry.h"
#include "platform/os/Shell.h"
#include "tests/data/BuiltData.h"

#include <cstdlib>

namespace Testing {

GameFramework::GameLogicBase& TestGame::StartFirstLevel()
{
    GameFramework::ProfileManagerBase& profiles = *GetProfileManager();
    profiles.SetCurrentProfile(profiles.AddProfile(L"Tester"), GameFramework::ProfileManagerBase::ListSaving::kSaveFile);
    GetGameData()->Load();
    GetGameData()->FinishLoading();
    LoadAdditionalFonts();
    CreateWindows();
    GameFramework::WindowFlowState& state = GetFlowState();
    const GameFramework::LevelManagerBase& levels = *GetLevelManager();
    const GameFramework::StageRecordBase* stage = levels.GetStage(0);
    const GameFramework::LevelRecordBase* level = levels.GetLevel({0, 0});
    state.gameLogicData = CreateGameLogicData(stage, level);
    std::vector<std::string> resources;
    levels.GetLevelResources(level->reference, resources);
    for (const std::string& file : resources)
        state.gameLogicData->AddResourcesFile(file, false);
    state.gameLogicData->Load();
    state.gameLogicData->FinishLoading();
    state.gameLogic = CreateGameLogic(stage, level, 3);
    state.windows.gameLogic->ShowGameLogic(GameFramework::WindowSource::kGameLogicLoading, state.gameLogic.get());
    return *state.gameLogic;
}

GameFixture::GameFixture() : GameFixture(GameFolder()) {}

GameFixture::GameFixture(const std::filesystem::path& programFolder) : program_(programFolder)
{
    setenv("XDG_DATA_HOME", (folder_.Path() / "share").c_str(), 1);
    Platform::SetRegistryHiveFile(Platform::RegistryHive::kMachine, folder_.Native("machine.ini").string());
    Platform::SetRegistryHiveFile(Platform::RegistryHive::kUser, folder_.Native("user.ini").string());
    Platform::SetMessageBoxesShown(false);
    Platform::ClearShellOpenRequests();
}

GameFixture::~GameFixture()
{
    Platform::ClearShellOpenRequests();
    Platform::SetMessageBoxesShown(true);
    Platform::SetRegistryHiveFile(Platform::RegistryHive::kMachine, "");
    Platform::SetRegistryHiveFile(Platform::RegistryHive::kUser, "");
    unsetenv("XDG_DATA_HOME");
}

std::filesystem::path GameFixture::UserFolder() const { return folder_.Path() / "share" / "Quenbyworks" / "Tamrisk"; }

} // namespace Testing
