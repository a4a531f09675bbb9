#include "framework/windows/WindowFlow.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "framework/cursor/GUIGameCursorBase.h"
#include "framework/levels/LevelManagerBase.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/persistence/LevelResult.h"
#include "framework/persistence/ProfileManagerBase.h"
#include "framework/windows/WindowFlowHost.h"
#include "framework/windows/WindowFlowState.h"
#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "framework/windows/WindowTable.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace GameFramework {

using Halvard::u32;
using Result = WindowResult;
using Source = WindowSource;

WindowFlow::WindowFlow(WindowFlowHost& host, WindowFlowState& state) : host_(host), state_(state) {}

void WindowFlow::ProcessWindows()
{
    DispatchMenuWindows();
    DispatchLevelWindows();
}

// Each window is looked up again before its handler: an earlier handler may
// have made the windows.
void WindowFlow::Dispatch(WindowPass pass)
{
    for (const WindowRow& row : GetWindowTable()) {
        if (row.pass == pass && row.reach(state_.windows) != nullptr)
            (host_.*row.handler)();
    }
}

void WindowFlow::DispatchMenuWindows() { Dispatch(WindowPass::kMenu); }

void WindowFlow::DispatchLevelWindows()
{
    Dispatch(WindowPass::kLevel);
    if (state_.gameLogic && state_.gameLogic->IsStateChanged()) {
        if (state_.gameLogic->GetState() == GameLogicBase::kLevelComplete)
            host_.OnLevelComplete();
        else if (state_.gameLogic->GetState() == GameLogicBase::kGameOver)
            host_.OnGameOver();
    }
    Dispatch(WindowPass::kLevelEnd);
}

void WindowFlow::ResetWindowResults()
{
    for (GUIFrameworkWindow* window : state_.windows.All()) {
        if (window != nullptr)
            window->ResetResult();
    }
    if (state_.gameLogic)
        state_.gameLogic->ClearStateChanged();
}

// The windows shown over an ended level step after the logic; the others
// before it.
void WindowFlow::UpdateWindows()
{
    std::array<const WindowRow*, FrameworkWindows::kCount> order{};
    for (const WindowRow& row : GetWindowTable())
        order[row.updateOrder] = &row;
    bool logicUpdated = false;
    for (const WindowRow* row : order) {
        if (row->pass == WindowPass::kLevelEnd && !logicUpdated) {
            if (state_.gameLogic)
                state_.gameLogic->Update();
            logicUpdated = true;
        }
        if (GUIFrameworkWindow* window = row->reach(state_.windows))
            window->UpdateWindow();
    }
    if (!logicUpdated && state_.gameLogic)
        state_.gameLogic->Update();
}

bool WindowFlow::Follow(GUIFrameworkWindow& window, u32 source, std::initializer_list<Route> routes)
{
    for (const Route& route : routes) {
        if (window.GetResult() == route.result) {
            window.HideWindow();
            route.next->ShowWindow(source);
            return true;
        }
    }
    return false;
}

void WindowFlow::ProcessLogosWindow()
{
    GUIFrameworkWindow& logos = *state_.windows.logos;
    if (logos.GetResult() != Result::kDone)
        return;
    logos.HideWindow();
    state_.windows.gameLoading->ShowLoading(Source::kLogos, state_.gameData);
    host_.OnLogosEnded();
}

void WindowFlow::ProcessGameLoadingWindow()
{
    GUIFrameworkWindow& loading = *state_.windows.gameLoading;
    if (loading.GetResult() != Result::kDone)
        return;
    loading.HideWindow();
    host_.LoadAdditionalFonts();
    host_.CreateWindows();
    FrameworkWindows& w = state_.windows;
    if (state_.profileManager->GetProfileCount() == 0)
        w.welcome->ShowWindow(Source::kGameLoading);
    else
        w.mainMenu->ShowWindow(Source::kGameLoading);
    if (state_.gameCursor != nullptr)
        state_.gameCursor->SetVisible(true);
}

void WindowFlow::ProcessWelcomeWindow()
{
    FrameworkWindows& w = state_.windows;
    Follow(*w.welcome, Source::kWelcome, {{Result::kMainMenu, w.mainMenu.get()}, {Result::kExitQuestion, w.exit.get()}});
}

void WindowFlow::ProcessExitWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIExitWindowBase& exit = *w.exit;
    if (Follow(exit, Source::kExit, {{Result::kWelcome, w.welcome.get()}, {Result::kMainMenu, w.mainMenu.get()}}))
        return;
    if (exit.GetResult() == Result::kNewProfile) {
        exit.HideWindow();
        w.newProfile->ShowFrom(Source::kExit, false);
    } else if (exit.GetResult() == Result::kExitProgram) {
        // The window stays shown while the program ends.
        state_.engine->RequestExit();
    }
}

void WindowFlow::ProcessMainMenuWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIMainMenuWindowBase& menu = *w.mainMenu;
    if (Follow(menu, Source::kMainMenu,
               {{Result::kProfiles, w.profiles.get()},
                {Result::kOptions, w.options.get()},
                {Result::kHelp, w.help.get()},
                {Result::kExitQuestion, w.exit.get()}}))
        return;
    if (menu.GetResult() == Result::kHighScores) {
        menu.HideWindow();
        w.highScores->ShowNewScore(Source::kMainMenu, nullptr);
    } else if (menu.GetResult() == Result::kPlay) {
        menu.HideWindow();
        ProfileBase& profile = Profile();
        if (profile.IsGameInProgress()) {
            w.continueGameLogic->ShowWindow(Source::kMainMenu);
        } else {
            profile.Reset();
            w.startGameLogic->ShowWindow(Source::kMainMenu);
        }
    }
}

void WindowFlow::ProcessProfilesWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIProfilesWindowBase& profiles = *w.profiles;
    if (Follow(profiles, Source::kProfiles, {{Result::kMainMenu, w.mainMenu.get()}}))
        return;
    const u32 result = profiles.GetResult();
    if (result != Result::kNewProfile && result != Result::kRenameProfile && result != Result::kDeleteProfile)
        return;
    profiles.HideWindow();
    if (result == Result::kNewProfile)
        w.newProfile->ShowFrom(Source::kProfiles, true);
    else if (result == Result::kRenameProfile)
        w.renameProfile->ShowWithName(Source::kProfiles, true, profiles.GetSelectedName());
    else
        w.deleteProfile->ShowWithName(Source::kProfiles, profiles.GetSelectedName());
}

void WindowFlow::ProcessGameLogicLoadingWindow()
{
    GUILoadingWindowBase& loading = *state_.windows.gameLogicLoading;
    if (loading.GetResult() != Result::kDone)
        return;
    loading.HideWindow();
    if (state_.gameCursor != nullptr)
        state_.gameCursor->SetVisible(true);
    const StageRecordBase* stage = nullptr;
    const LevelRecordBase* level = nullptr;
    FindCurrentLevel(stage, level);
    state_.gameLogic = host_.CreateGameLogic(stage, level, Profile().GetLives());
    state_.windows.gameLogic->ShowGameLogic(Source::kGameLogicLoading, state_.gameLogic.get());
    host_.OnLevelEntered();
}

void WindowFlow::ProcessNewProfileWindow()
{
    FrameworkWindows& w = state_.windows;
    Follow(*w.newProfile, Source::kNewProfile,
           {{Result::kNameConflict, w.profileNameConflict.get()},
            {Result::kProfiles, w.profiles.get()},
            {Result::kExitQuestion, w.exit.get()}});
}

void WindowFlow::ProcessRenameProfileWindow()
{
    FrameworkWindows& w = state_.windows;
    Follow(*w.renameProfile, Source::kRenameProfile,
           {{Result::kNameConflict, w.profileNameConflict.get()}, {Result::kProfiles, w.profiles.get()}});
}

void WindowFlow::ProcessDeleteProfileWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIDeleteProfileWindowBase& remove = *w.deleteProfile;
    if (Follow(remove, Source::kDeleteProfile, {{Result::kProfiles, w.profiles.get()}}))
        return;
    if (remove.GetResult() == Result::kNewProfile) {
        remove.HideWindow();
        w.newProfile->ShowFrom(Source::kDeleteProfile, true);
    }
}

void WindowFlow::ProcessProfileNameConflictWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIProfileNameConflictWindowBase& conflict = *w.profileNameConflict;
    // Back to the window the name came from, with the name typed before.
    if (conflict.GetResult() == Result::kNewProfile) {
        conflict.HideWindow();
        w.newProfile->ShowFrom(Source::kProfileNameConflict, false);
    } else if (conflict.GetResult() == Result::kRenameProfile) {
        conflict.HideWindow();
        w.renameProfile->ShowWithName(Source::kProfileNameConflict, false, std::wstring());
    }
}

void WindowFlow::ProcessStartGameLogicWindow()
{
    FrameworkWindows& w = state_.windows;
    if (Follow(*w.startGameLogic, Source::kStartGameLogic, {{Result::kMainMenu, w.mainMenu.get()}}))
        return;
    if (w.startGameLogic->GetResult() == Result::kPlay) {
        host_.OnLevelChosen();
        StartLevel();
    }
}

void WindowFlow::StartLevel()
{
    // The level just played keeps its resources until the next level's are
    // queued: at most two level data keepers exist.
    state_.previousGameLogicData = std::move(state_.gameLogicData);
    const StageRecordBase* stage = nullptr;
    const LevelRecordBase* level = nullptr;
    FindCurrentLevel(stage, level);
    state_.gameLogicData = host_.CreateGameLogicData(stage, level);
    std::vector<std::string> resources;
    state_.levelManager->GetLevelResources(level->reference, resources);
    for (const std::string& file : resources)
        state_.gameLogicData->AddResourcesFile(file, false);
    state_.windows.startGameLogic->HideWindow();
    state_.windows.gameLogicLoading->ShowLoading(Source::kStartGameLogic, state_.gameLogicData.get());
}

void WindowFlow::FindCurrentLevel(const StageRecordBase*& stage, const LevelRecordBase*& level) const
{
    const LevelManagerBase& levels = *state_.levelManager;
    ProfileBase& profile = Profile();
    LevelReference current = profile.GetCurrentLevel();
    if (levels.GetLevel(current) == nullptr) {
        // A profile file may name a level the list no longer has.
        u32 last = levels.GetStageCount();
        while (last > 0 && levels.GetLevelCount(last - 1) == 0)
            --last;
        if (last == 0)
            throw Halvard::Error("The level list holds no level to play");
        current = LevelReference{last - 1, levels.GetLevelCount(last - 1) - 1};
        profile.SetCurrentLevel(current);
    }
    stage = levels.GetStage(current.stage);
    level = levels.GetLevel(current);
}

void WindowFlow::ProcessContinueGameLogicWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIContinueGameLogicWindowBase& resume = *w.continueGameLogic;
    if (Follow(resume, Source::kContinueGameLogic,
               {{Result::kBack, w.startGameLogic.get()}, {Result::kMainMenu, w.mainMenu.get()}}))
        return;
    if (resume.GetResult() != Result::kEndLevel)
        return;
    resume.HideWindow();
    ProfileBase& profile = Profile();
    profile.SetGameInProgress(false);
    profile.Save();
    profile.Reset();
    w.startGameLogic->ShowWindow(Source::kContinueGameLogic);
}

void WindowFlow::ProcessHighScoresWindow()
{
    FrameworkWindows& w = state_.windows;
    Follow(*w.highScores, Source::kHighScores, {{Result::kMainMenu, w.mainMenu.get()}});
}

void WindowFlow::ProcessOptionsWindow()
{
    FrameworkWindows& w = state_.windows;
    Follow(*w.options, Source::kOptions, {{Result::kMainMenu, w.mainMenu.get()}});
}

void WindowFlow::ProcessHelpWindow()
{
    FrameworkWindows& w = state_.windows;
    Follow(*w.help, Source::kHelp, {{Result::kMainMenu, w.mainMenu.get()}});
}

void WindowFlow::ProcessGameLogicWindow()
{
    FrameworkWindows& w = state_.windows;
    switch (w.gameLogic->GetResult()) {
    case Result::kGameLogicMenu: PauseGameLogic(*w.gameLogicMenu); break;
    case Result::kPause: PauseGameLogic(*w.gameLogicPause); break;
    case Result::kExitQuestion: PauseGameLogic(*w.gameLogicGameExit); break;
    default: break;
    }
}

void WindowFlow::PauseGameLogic(GUIFrameworkWindow& next)
{
    host_.OnMenuCursorNeeded(WindowFlowHost::MenuCursor::kShapeAndTrail);
    // The game window stays visible, inactive, behind the next window.
    state_.windows.gameLogic->SetActive(false);
    next.ShowWindow(Source::kGameLogic);
    if (state_.gameLogic)
        state_.gameLogic->PauseLevel(true);
}

void WindowFlow::ResumeGameLogic()
{
    state_.windows.gameLogic->SetActive(true);
    if (state_.gameLogic)
        state_.gameLogic->PauseLevel(false);
    host_.OnLevelResumed();
}

void WindowFlow::ProcessGameLogicPauseWindow()
{
    GUIFrameworkWindow& pause = *state_.windows.gameLogicPause;
    if (pause.GetResult() != Result::kResume)
        return;
    pause.HideWindow();
    ResumeGameLogic();
}

void WindowFlow::ProcessGameLogicMenuWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIFrameworkWindow& menu = *w.gameLogicMenu;
    if (Follow(menu, Source::kGameLogicMenu,
               {{Result::kMenuExitQuestion, w.gameLogicMenuExit.get()},
                {Result::kRestartQuestion, w.gameLogicRestart.get()}}))
        return;
    if (menu.GetResult() == Result::kResume) {
        menu.HideWindow();
        ResumeGameLogic();
    }
}

void WindowFlow::ProcessGameLogicMenuExitWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIFrameworkWindow& menuExit = *w.gameLogicMenuExit;
    if (Follow(menuExit, Source::kGameLogicMenuExit, {{Result::kGameLogicMenu, w.gameLogicMenu.get()}}))
        return;
    if (menuExit.GetResult() == Result::kMainMenu) {
        menuExit.HideWindow();
        EndGameLogic();
        w.mainMenu->ShowWindow(Source::kGameLogicMenuExit);
        host_.OnBackToMenus(WindowFlowHost::LevelMusic::kStop);
    }
}

void WindowFlow::ProcessGameLogicRestartWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIFrameworkWindow& restart = *w.gameLogicRestart;
    const bool afterGameOver = restart.GetOpener() == Source::kGameOver;
    // Asked after a lost level, "back" returns to the game over window: the
    // in-game menu over a lost level would resume a game that is over.
    GUIFrameworkWindow* back =
        afterGameOver ? static_cast<GUIFrameworkWindow*>(w.gameOver.get()) : w.gameLogicMenu.get();
    // A running level given up for the game over window ends the game as a
    // lost level does, before that window shows.
    if (restart.GetResult() == Result::kGameOver && !afterGameOver)
        EndLostGame();
    if (Follow(restart, Source::kGameLogicRestart,
               {{Result::kGameLogicMenu, back}, {Result::kGameOver, w.gameOver.get()}}))
        return;
    if (restart.GetResult() == Result::kEndLevel) {
        restart.HideWindow();
        EndGameLogic();
        // The lost game's score is in the table already: what is played
        // next is a new game, which must not carry that score again.
        if (afterGameOver) {
            Profile().Reset();
            state_.finalScore = {};
        }
        w.startGameLogic->ShowWindow(Source::kGameLogicRestart);
        host_.OnBackToMenus(WindowFlowHost::LevelMusic::kPause);
    }
}

void WindowFlow::ProcessGameLogicGameExitWindow()
{
    GUIFrameworkWindow& gameExit = *state_.windows.gameLogicGameExit;
    if (gameExit.GetResult() == Result::kResume) {
        gameExit.HideWindow();
        ResumeGameLogic();
    } else if (gameExit.GetResult() == Result::kExitProgram) {
        // The window stays shown while the program ends.
        state_.engine->RequestExit();
    }
}

void WindowFlow::EndGameLogic()
{
    state_.windows.gameLogic->HideWindow();
    state_.gameLogic.reset();
}

void WindowFlow::OnLevelComplete()
{
    GameLogicBase& logic = *state_.gameLogic;
    state_.windows.gameLogic->SetActive(false);
    const LevelReference played = logic.GetLevelReference();
    const LevelReference next = state_.levelManager->GetNextLevel(played);
    RecordLevelComplete(played, next);
    // The logic stays, paused behind the level complete window, until a
    // later handler ends it.
    state_.windows.levelComplete->ShowLevelResult(Source::kGameLogic, played, logic.GetTime());
    state_.windows.gameLogic->HoldBackScore(state_.windows.levelComplete->GetBonusToCount());
    host_.OnMenuCursorNeeded(WindowFlowHost::MenuCursor::kShapeAndTrail);
}

void WindowFlow::RecordLevelComplete(const LevelReference& played, const LevelReference& next)
{
    GameLogicBase& logic = *state_.gameLogic;
    ProfileBase& profile = Profile();
    const bool gameComplete = next == played;
    const u32 bonus = state_.windows.levelComplete->GetTimeBonus(played, logic.GetTime());
    profile.SetCurrentLevel(next);
    profile.KeepProgress(next, gameComplete);
    profile.SetLives(logic.GetLives());
    profile.AddScore(logic.GetScore());
    profile.AddScore(bonus);
    logic.SetScore(0);
    std::unique_ptr<LevelResult> result = host_.CreateLevelResult();
    host_.FillLevelResult(*result);
    profile.KeepLevelResult(*result);
    // The finished game's score reaches the table before the profile lets go
    // of the game, as a lost game's does: a save of the profile made again
    // with the table's save would carry the change.
    if (gameComplete)
        EnterFinalScore(profile.GetScore());
    profile.SetGameInProgress(!gameComplete);
    // The whole result in one save: a program ended at any moment leaves the
    // level either wholly kept, time bonus and all, or not kept at all.
    profile.Save();
    // The best-time table of all players is a file of its own, written once
    // the player's own result is safe.
    state_.profileManager->SubmitLevelTime(played, profile.GetName(), profile.GetGameMode(), logic.GetTime());
}

void WindowFlow::FillLevelResult(LevelResult& result) const
{
    result.gameMode = Profile().GetGameMode();
    if (state_.gameLogic) {
        result.level = state_.gameLogic->GetLevelReference();
        result.time = state_.gameLogic->GetTime();
    }
}

void WindowFlow::LeaveGameLogic()
{
    ProfileBase& profile = Profile();
    profile.SetCurrentLevel(state_.levelManager->GetPreviousLevel(state_.gameLogic->GetLevelReference()));
    profile.Save();
    EndGameLogic();
    state_.windows.startGameLogic->ShowWindow(Source::kMainMenu);
    host_.OnMenuCursorNeeded(WindowFlowHost::MenuCursor::kTrail);
}

void WindowFlow::OnGameOver()
{
    state_.windows.gameLogic->SetActive(false);
    EndLostGame();
    state_.windows.gameOver->ShowWindow(Source::kGameLogic);
    host_.OnMenuCursorNeeded(WindowFlowHost::MenuCursor::kTrail);
}

// The score is saved in the table before the profile lets go of its game: a
// program ended between the two saves leaves the score kept and the game
// still there to continue, never the game gone and the score lost.
void WindowFlow::EndLostGame()
{
    ProfileBase& profile = Profile();
    EnterFinalScore(profile.GetScoreWith(state_.gameLogic ? state_.gameLogic->GetScore() : 0));
    profile.SetGameInProgress(false);
    profile.Save();
}

void WindowFlow::EnterFinalScore(u32 total)
{
    const ProfileBase& profile = Profile();
    const HighScoresTable::Entry* entry =
        total == 0 ? nullptr : state_.highScores->AddScore(profile.GetName(), profile.GetGameMode(), total);
    state_.finalScore = {total, entry};
}

void WindowFlow::ShowFinalScore(u32 source)
{
    const WindowFlowState::FinalScore shown = std::exchange(state_.finalScore, {});
    if (shown.total == 0)
        state_.windows.mainMenu->ShowWindow(source);
    else
        state_.windows.highScores->ShowNewScore(source, shown.entry);
}

void WindowFlow::ProcessLevelCompleteWindow()
{
    FrameworkWindows& w = state_.windows;
    GUILevelCompleteWindowBase& complete = *w.levelComplete;
    // The score over the level rises as the window counts the bonus.
    w.gameLogic->HoldBackScore(complete.GetBonusToCount());
    if (complete.GetResult() == Result::kEndLevel) {
        host_.OnBackToMenus(WindowFlowHost::LevelMusic::kPause);
        complete.HideWindow();
        EndGameLogic();
        w.startGameLogic->ShowWindow(Source::kLevelComplete);
    } else if (complete.GetResult() == Result::kStageComplete) {
        complete.HideWindow();
        w.stageComplete->ShowStage(Source::kLevelComplete, state_.gameLogic->GetLevelReference());
    }
}

void WindowFlow::ProcessStageCompleteWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIFrameworkWindow& complete = *w.stageComplete;
    GUIFrameworkWindow* next = nullptr;
    if (complete.GetResult() == Result::kEndLevel)
        next = w.startGameLogic.get();
    else if (complete.GetResult() == Result::kGameComplete)
        next = w.gameComplete.get();
    if (next == nullptr)
        return;
    host_.OnBackToMenus(WindowFlowHost::LevelMusic::kStop);
    complete.HideWindow();
    EndGameLogic();
    next->ShowWindow(Source::kStageComplete);
}

void WindowFlow::ProcessGameCompleteWindow()
{
    GUIFrameworkWindow& complete = *state_.windows.gameComplete;
    if (complete.GetResult() != Result::kDone)
        return;
    complete.HideWindow();
    ShowFinalScore(Source::kGameComplete);
}

void WindowFlow::ProcessGameOverWindow()
{
    FrameworkWindows& w = state_.windows;
    GUIFrameworkWindow& over = *w.gameOver;
    if (Follow(over, Source::kGameOver, {{Result::kRestartQuestion, w.gameLogicRestart.get()}}))
        return;
    if (over.GetResult() != Result::kDone)
        return;
    over.HideWindow();
    ShowFinalScore(Source::kGameOver);
    EndGameLogic();
    host_.OnBackToMenus(WindowFlowHost::LevelMusic::kStop);
}

ProfileBase& WindowFlow::Profile() const
{
    ProfileBase* profile = state_.profileManager->GetCurrentProfile();
    if (profile == nullptr)
        throw Halvard::Error("The window flow needs a current profile");
    return *profile;
}

} // namespace GameFramework
