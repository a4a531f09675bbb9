#pragma once

#include "framework/levels/LevelManagerBase.h"
#include "framework/logic/GameLogicBase.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/sound/SoundSet.h"
#include "framework/windows/GUILevelCompleteWindowBase.h"
#include "framework/windows/WindowFlow.h"
#include "framework/windows/WindowFlowHost.h"
#include "framework/windows/WindowFlowState.h"
#include "tests/support/FakeEngine.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Testing {

// What the windows and the host did, one line each, in order.
using Journal = std::vector<std::string>;

// A framework window base that writes its show and hide to the journal and
// reports a scripted result from its next update.
template <class Base>
class ScriptedWindow : public Base {
public:
    template <class... Args>
    ScriptedWindow(Journal& journal, std::string name, Args&&... args)
        : Base(std::forward<Args>(args)...), journal_(journal), name_(std::move(name))
    {
    }

    void UpdateWindow() override
    {
        Base::UpdateWindow();
        journal_.push_back("update " + name_);
        if (nextResult != 0)
            Base::SetResult(std::exchange(nextResult, 0u));
    }
    void ShowWindow(Halvard::u32 opener) override
    {
        Base::ShowWindow(opener);
        shown = true;
        journal_.push_back("show " + name_ + " " + std::to_string(opener));
        if (resultOnShow != 0)
            Base::ReportOutsideUpdate(std::exchange(resultOnShow, 0u));
    }
    void HideWindow() override
    {
        Base::HideWindow();
        shown = false;
        journal_.push_back("hide " + name_);
    }

    bool shown = false;
    // Reported from the next update, once.
    Halvard::u32 nextResult = 0;
    // Reported from the next show, outside the update, once.
    Halvard::u32 resultOnShow = 0;

private:
    Journal& journal_;
    std::string name_;
};

// The level complete window, with the time bonus and the part of it still
// to count that a test gives it.
class ScriptedLevelCompleteWindow : public ScriptedWindow<GameFramework::GUILevelCompleteWindowBase> {
public:
    using ScriptedWindow::ScriptedWindow;

    Halvard::u32 GetTimeBonus(const GameFramework::LevelReference&, float) const override { return timeBonus; }
    Halvard::u32 GetBonusToCount() const override { return bonusToCount; }

    Halvard::u32 timeBonus = 0;
    Halvard::u32 bonusToCount = 0;
};

// The framework's records read from the level list of the bed.
class BedLevelManager : public GameFramework::LevelManagerBase {
public:
    explicit BedLevelManager(Halvard::Engine* engine);

    void GetLevelResources(const GameFramework::LevelReference& level,
                           std::vector<std::string>& resources) const override;

protected:
    std::unique_ptr<GameFramework::StageRecordBase> CreateStage() override;
    std::unique_ptr<GameFramework::LevelRecordBase> CreateLevel() override;
};

class BedProfile : public GameFramework::ProfileBase {
public:
    BedProfile(GameFramework::FileServices services, const std::string& userFolder, const std::string& fileName);
    BedProfile(GameFramework::FileServices services, const std::string& userFolder, const std::wstring& name);
};

class BedProfileManager : public GameFramework::ProfileManagerBase {
public:
    BedProfileManager(GameFramework::FileServices services, GameFramework::SoundVolumes* volumes,
                      const std::string& userFolder);

protected:
    std::unique_ptr<GameFramework::ProfileBase> CreateProfileFromFile(const std::string& fileName) override;
    std::unique_ptr<GameFramework::ProfileBase> CreateProfile(const std::wstring& name) override;
};

// A level whose updates are counted in the journal.
class BedGameLogic : public GameFramework::GameLogicBase {
public:
    BedGameLogic(Journal& journal, Halvard::Engine* engine, GameFramework::SoundSet* soundSet,
                 const GameFramework::StageRecordBase* stage, const GameFramework::LevelRecordBase* level,
                 Halvard::u32 lives);
    void Update() override;

private:
    Journal& journal_;
};

// The application object's side of the flow, over a whole fake engine with
// a level list of two stages of two levels, a profile manager, a high-score
// table and scripted windows. Every handler and factory writes to the
// journal as the host sees it.
class FlowBed : public GameFramework::WindowFlowHost {
public:
    FlowBed();
    ~FlowBed() override;

    void CreateWindows() override;
    std::unique_ptr<GameTools::DataKeeper> CreateGameLogicData(const GameFramework::StageRecordBase* stage,
                                                               const GameFramework::LevelRecordBase* level) override;
    std::unique_ptr<GameFramework::GameLogicBase> CreateGameLogic(const GameFramework::StageRecordBase* stage,
                                                                  const GameFramework::LevelRecordBase* level,
                                                                  Halvard::u32 lives) override;
    void LoadAdditionalFonts() override;

    // Start-up as the application does it: logos and game loading windows,
    // the logos shown.
    void StartUp();
    // Start-up, the other windows and a current profile "Anna".
    void StartMenus();
    // Menus, then a level of the profile's current level running behind a
    // shown, active game window.
    void StartLevel();
    // One frame's dispatch: three passes of handlers and resets.
    void Dispatch();

    // The window of that name as the bed made it.
    GameFramework::GUIFrameworkWindow& Window(const std::string& name) const;
    bool IsShown(const std::string& name) const;
    void Report(const std::string& name, Halvard::u32 result) { Window(name).SetResult(result); }
    GameFramework::ProfileBase& Profile() const { return *profiles->GetCurrentProfile(); }
    GameFramework::GameLogicBase* Logic() const { return state.gameLogic.get(); }
    // The journal since the last call.
    Journal Take() { return std::exchange(journal, {}); }

    FakeEngine engine;
    Journal journal;
    std::unique_ptr<GameFramework::SoundSet> soundSet;
    std::unique_ptr<BedLevelManager> levels;
    std::unique_ptr<BedProfileManager> profiles;
    std::unique_ptr<GameFramework::HighScoresTable> highScores;
    std::unique_ptr<GameTools::DataKeeper> gameData;
    GameFramework::WindowFlowState state;
    GameFramework::WindowFlow flow{*this, state};
    // The window each name stands for, and the showing flag of each.
    std::map<std::string, GameFramework::GUIFrameworkWindow*> windows;
    std::map<std::string, const bool*> shownFlags;
    std::map<std::string, Halvard::u32*> onShow;
    std::map<std::string, Halvard::u32*> onUpdate;

protected:
    GameFramework::WindowFlow& GetWindowFlow() override { return flow; }

private:
    // The windows of the list made at that time, in the list's order.
    void MakeWindows(GameFramework::WindowCreation creation);
    // A scripted window over the base, made with the first of the bed's
    // argument lists the base takes.
    template <class Base>
    std::unique_ptr<Base> MakeWindow(const std::string& name);
    template <class Base, class... Args>
    std::unique_ptr<Base> Make(const std::string& name, Args&&... args);
};

} // namespace Testing
