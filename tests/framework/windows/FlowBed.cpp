#include "tests/framework/windows/FlowBed.h"

#include "engine/core/Error.h"
#include "framework/windows/FrameworkWindowList.h"
#include "framework/windows/WindowSource.h"

#include <type_traits>

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
    Create(name, {});
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
    using Window = std::conditional_t<std::is_same_v<Base, GameFramework::GUILevelCompleteWindowBase>,
                                      ScriptedLevelCompleteWindow, ScriptedWindow<Base>>;
    auto window = std::make_unique<Window>(journal, name, std::forward<Args>(args)...);
    windows[name] = window.get();
    shownFlags[name] = &window->shown;
    onShow[name] = &window->resultOnShow;
    onUpdate[name] = &window->nextResult;
    return window;
}

template <class Base>
std::unique_ptr<Base> FlowBed::MakeWindow(const std::string& name)
{
    using GameFramework::HighScoresTable;
    using GameFramework::LevelManagerBase;
    using GameFramework::ProfileManagerBase;
    using GameFramework::SoundSet;
    using Halvard::Engine;
    Engine* e = &engine.Get();
    ProfileManagerBase* p = profiles.get();
    if constexpr (std::is_constructible_v<Base>)
        return Make<Base>(name);
    else if constexpr (std::is_constructible_v<Base, Engine*>)
        return Make<Base>(name, e);
    else if constexpr (std::is_constructible_v<Base, ProfileManagerBase*>)
        return Make<Base>(name, p);
    else if constexpr (std::is_constructible_v<Base, Engine*, ProfileManagerBase*>)
        return Make<Base>(name, e, p);
    else if constexpr (std::is_constructible_v<Base, LevelManagerBase*>)
        return Make<Base>(name, static_cast<LevelManagerBase*>(levels.get()));
    else if constexpr (std::is_constructible_v<Base, HighScoresTable*>)
        return Make<Base>(name, highScores.get());
    else {
        static_assert(std::is_constructible_v<Base, Engine*, SoundSet*, ProfileManagerBase*>,
                      "the bed has no argument list this window base takes");
        return Make<Base>(name, e, soundSet.get(), p);
    }
}

void FlowBed::MakeWindows(GameFramework::WindowCreation creation)
{
#define FLOW_BED_MAKE_WINDOW(Base, member, Stem, name, when, ...)                                                     \
    if (creation == GameFramework::WindowCreation::when)                                                              \
        state.windows.member = MakeWindow<GameFramework::Base>(name);
    FRAMEWORK_WINDOWS(FLOW_BED_MAKE_WINDOW)
#undef FLOW_BED_MAKE_WINDOW
}

void FlowBed::StartUp()
{
    MakeWindows(GameFramework::WindowCreation::kStartUp);
    state.windows.logos->ShowWindow(GameFramework::WindowSource::kProgram);
    Take();
}

void FlowBed::CreateWindows()
{
    journal.push_back("create windows");
    MakeWindows(GameFramework::WindowCreation::kInterface);
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
