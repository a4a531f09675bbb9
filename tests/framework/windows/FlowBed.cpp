#include "tests/framework/windows/FlowBed.h"

#include "engine/core/Error.h"
#include "framework/windows/WindowSource.h"

namespace Testing {

namespace {

const GameFramework::SaveFormat kProfileFormat{"TSPRF", 1};
const GameFramework::SaveFormat kListFormat{"TSPMF", 1};

} // namespace

BedLevelManager::BedLevelManager(Halvard::Engine* engine) : LevelManagerBase(engine)
{
    LoadLevels();
}

void BedLevelManager::GetLevelResources(const GameFramework::LevelReference& level,
                                        std::vector<std::string>& resources) const
{
    const std::string name = std::to_string(level.stage + 1) + "_" + std::to_string(level.level + 1);
    resources.push_back("data\\levels\\" + name + "\\a.xml");
    resources.push_back("data\\levels\\" + name + "\\b.xml");
}

std::unique_ptr<GameFramework::StageRecordBase> BedLevelManager::CreateStage()
{
    return std::make_unique<GameFramework::StageRecordBase>();
}

std::unique_ptr<GameFramework::LevelRecordBase> BedLevelManager::CreateLevel()
{
    return std::make_unique<GameFramework::LevelRecordBase>();
}

BedProfile::BedProfile(GameFramework::FileServices services, const std::string& userFolder,
                       const std::string& fileName)
    : ProfileBase(services, userFolder, kProfileFormat)
{
    Load(fileName);
}

BedProfile::BedProfile(GameFramework::FileServices services, const std::string& userFolder,
                       const std::wstring& name)
    : ProfileBase(services, userFolder, kProfileFormat)
{
    Create(name);
}

BedProfileManager::BedProfileManager(GameFramework::FileServices services, GameFramework::SoundVolumes* volumes,
                                     const std::string& userFolder)
    : ProfileManagerBase(services, volumes, userFolder, kListFormat)
{
    LoadProfiles();
}

std::unique_ptr<GameFramework::ProfileBase> BedProfileManager::CreateProfileFromFile(const std::string& fileName)
{
    return std::make_unique<BedProfile>(GetFileServices(), GetUserFolder(), fileName);
}

std::unique_ptr<GameFramework::ProfileBase> BedProfileManager::CreateProfile(const std::wstring& name)
{
    return std::make_unique<BedProfile>(GetFileServices(), GetUserFolder(), name);
}

BedGameLogic::BedGameLogic(Journal& journal, Halvard::Engine* engine, GameFramework::SoundSet* soundSet,
                           const GameFramework::StageRecordBase* stage, const GameFramework::LevelRecordBase* level,
                           Halvard::u32 lives)
    : GameLogicBase(engine, soundSet, stage, level, lives), journal_(journal)
{
}

void BedGameLogic::Update()
{
    journal_.push_back("update logic");
}

FlowBed::FlowBed()
{
    engine.folder.WriteFile("data\\levels\\levels.xml",
                            "<levels><stage><level/><level/></stage><stage><level/><level/></stage></levels>");
    engine.Start();
    soundSet = std::make_unique<GameFramework::SoundSet>(&engine.Get(), 1.0f, 1.0f);
    levels = std::make_unique<BedLevelManager>(&engine.Get());
    const auto services = GameFramework::FileServices::Of(engine.Get());
    profiles = std::make_unique<BedProfileManager>(services, soundSet.get(), engine.folder.Internal());
    highScores = std::make_unique<GameFramework::HighScoresTable>(services, 10, engine.folder.Internal());
    gameData = std::make_unique<GameTools::DataKeeper>(&engine.Get(), "en", true);
    state.engine = &engine.Get();
    state.levelManager = levels.get();
    state.profileManager = profiles.get();
    state.highScores = highScores.get();
    state.gameData = gameData.get();
}

FlowBed::~FlowBed() = default;

template <class Base, class... Args>
std::unique_ptr<Base> FlowBed::Make(const std::string& name, Args&&... args)
{
    auto window = std::make_unique<ScriptedWindow<Base>>(journal, name, std::forward<Args>(args)...);
    windows[name] = window.get();
    shownFlags[name] = &window->shown;
    onShow[name] = &window->resultOnShow;
    onUpdate[name] = &window->nextResult;
    return window;
}

void FlowBed::StartUp()
{
    Halvard::Engine* e = &engine.Get();
    state.windows.logos = Make<GameFramework::GUILogosWindowBase>("logos");
    state.windows.gameLoading = Make<GameFramework::GUILoadingWindowBase>("game loading", e);
    state.windows.logos->ShowWindow(GameFramework::WindowSource::kProgram);
    Take();
}

void FlowBed::CreateWindows()
{
    journal.push_back("create windows");
    Halvard::Engine* e = &engine.Get();
    GameFramework::FrameworkWindows& w = state.windows;
    w.gameLogicLoading = Make<GameFramework::GUILoadingWindowBase>("game logic loading", e);
    w.welcome = Make<GameFramework::GUIWelcomeWindowBase>("welcome", profiles.get());
    w.exit = Make<GameFramework::GUIExitWindowBase>("exit");
    w.mainMenu = Make<GameFramework::GUIMainMenuWindowBase>("main menu");
    w.profiles = Make<GameFramework::GUIProfilesWindowBase>("profiles", profiles.get());
    w.newProfile = Make<GameFramework::GUINewProfileWindowBase>("new profile", profiles.get());
    w.renameProfile = Make<GameFramework::GUIRenameProfileWindowBase>("rename profile", profiles.get());
    w.deleteProfile = Make<GameFramework::GUIDeleteProfileWindowBase>("delete profile", profiles.get());
    w.profileNameConflict = Make<GameFramework::GUIProfileNameConflictWindowBase>("name conflict");
    w.startGameLogic = Make<GameFramework::GUIStartGameLogicWindowBase>("start game");
    w.continueGameLogic = Make<GameFramework::GUIContinueGameLogicWindowBase>("continue");
    w.highScores = Make<GameFramework::GUIHighScoresWindowBase>("high scores", highScores.get());
    w.options = Make<GameFramework::GUIOptionsWindowBase>("options", e, soundSet.get(), profiles.get());
    w.help = Make<GameFramework::GUIHelpWindowBase>("help");
    w.gameLogic = Make<GameFramework::GUIGameLogicWindowBase>("game", e, profiles.get());
    w.gameLogicPause = Make<GameFramework::GUIGameLogicPauseWindowBase>("pause");
    w.gameLogicMenu = Make<GameFramework::GUIGameLogicMenuWindowBase>("game menu", e, soundSet.get(), profiles.get());
    w.gameLogicMenuExit = Make<GameFramework::GUIGameLogicMenuExitWindowBase>("menu exit");
    w.gameLogicRestart = Make<GameFramework::GUIGameLogicRestartWindowBase>("restart");
    w.gameLogicGameExit = Make<GameFramework::GUIGameLogicGameExitWindowBase>("game exit");
    w.levelComplete = Make<GameFramework::GUILevelCompleteWindowBase>("level complete", levels.get());
    w.stageComplete = Make<GameFramework::GUIStageCompleteWindowBase>("stage complete", levels.get());
    w.gameComplete = Make<GameFramework::GUIGameCompleteWindowBase>("game complete");
    w.gameOver = Make<GameFramework::GUIGameOverWindowBase>("game over");
}

std::unique_ptr<GameTools::DataKeeper> FlowBed::CreateGameLogicData(const GameFramework::StageRecordBase* stage,
                                                                    const GameFramework::LevelRecordBase* level)
{
    journal.push_back("create level data " + std::to_string(stage->stage + 1) + "-" +
                      std::to_string(level->reference.level + 1));
    return std::make_unique<GameTools::DataKeeper>(&engine.Get(), "en", true);
}

std::unique_ptr<GameFramework::GameLogicBase> FlowBed::CreateGameLogic(const GameFramework::StageRecordBase* stage,
                                                                       const GameFramework::LevelRecordBase* level,
                                                                       Halvard::u32 lives)
{
    journal.push_back("create logic " + std::to_string(stage->stage + 1) + "-" +
                      std::to_string(level->reference.level + 1) + " lives " + std::to_string(lives));
    return std::make_unique<BedGameLogic>(journal, &engine.Get(), soundSet.get(), stage, level, lives);
}

void FlowBed::LoadAdditionalFonts()
{
    journal.push_back("load additional fonts");
}

void FlowBed::StartMenus()
{
    StartUp();
    CreateWindows();
    GameFramework::ProfileBase* anna = profiles->AddProfile(L"Anna");
    profiles->SetCurrentProfile(anna, GameFramework::ProfileManagerBase::ListSaving::kSaveFile);
    anna->Reset();
    Take();
}

void FlowBed::StartLevel()
{
    StartMenus();
    const GameFramework::LevelReference current = Profile().GetCurrentLevel();
    state.gameLogic = CreateGameLogic(levels->GetStage(current.stage), levels->GetLevel(current), Profile().GetLives());
    state.windows.gameLogic->ShowGameLogic(GameFramework::WindowSource::kGameLogicLoading, state.gameLogic.get());
    state.gameLogic->SetState(GameFramework::GameLogicBase::kRunning);
    Take();
}

void FlowBed::Dispatch()
{
    for (int pass = 0; pass < 3; ++pass) {
        ProcessWindows();
        ResetWindowResults();
    }
}

GameFramework::GUIFrameworkWindow& FlowBed::Window(const std::string& name) const
{
    auto found = windows.find(name);
    if (found == windows.end())
        throw Halvard::Error("No window " + name);
    return *found->second;
}

bool FlowBed::IsShown(const std::string& name) const
{
    return *shownFlags.at(name);
}

} // namespace Testing
