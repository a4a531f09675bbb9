#include "tests/data/GameFixture.h"

#include "framework/levels/LevelManagerBase.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "framework/windows/WindowSource.h"
#include "game_tools/DataKeeper.h"
#include "tests/support/RasterizerDiscard.h"

namespace Testing {

TestGame::TestGame() { DiscardRasterizing(); }

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

} // namespace Testing
