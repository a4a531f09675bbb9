#pragma once

#include "framework/windows/GUIContinueGameLogicWindowBase.h"
#include "framework/windows/GUIDeleteProfileWindowBase.h"
#include "framework/windows/GUIExitWindowBase.h"
#include "framework/windows/GUIGameCompleteWindowBase.h"
#include "framework/windows/GUIGameLogicGameExitWindowBase.h"
#include "framework/windows/GUIGameLogicMenuExitWindowBase.h"
#include "framework/windows/GUIGameLogicMenuWindowBase.h"
#include "framework/windows/GUIGameLogicPauseWindowBase.h"
#include "framework/windows/GUIGameLogicRestartWindowBase.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "framework/windows/GUIGameOverWindowBase.h"
#include "framework/windows/GUIHelpWindowBase.h"
#include "framework/windows/GUIHighScoresWindowBase.h"
#include "framework/windows/GUILevelCompleteWindowBase.h"
#include "framework/windows/GUILoadingWindowBase.h"
#include "framework/windows/GUILogosWindowBase.h"
#include "framework/windows/GUIMainMenuWindowBase.h"
#include "framework/windows/GUINewProfileWindowBase.h"
#include "framework/windows/GUIOptionsWindowBase.h"
#include "framework/windows/GUIProfileNameConflictWindowBase.h"
#include "framework/windows/GUIProfilesWindowBase.h"
#include "framework/windows/GUIRenameProfileWindowBase.h"
#include "framework/windows/GUIStageCompleteWindowBase.h"
#include "framework/windows/GUIStartGameLogicWindowBase.h"
#include "framework/windows/GUIWelcomeWindowBase.h"

#include <array>
#include <memory>

namespace GameFramework {

// The application's 26 windows, each typed by its framework base and owned
// here. The logos and game loading windows exist from start-up; the others
// once the interface data is loaded (the application's CreateWindows).
struct FrameworkWindows {
    static constexpr std::size_t kCount = 26;

    // Every window, null where none exists, in the window table's order.
    std::array<GUIFrameworkWindow*, kCount> All() const;
    // Destroys the windows in the window table's destroy order: the in-game
    // ones first and the logos window last.
    void DestroyAll();

    std::unique_ptr<GUILogosWindowBase> logos;
    std::unique_ptr<GUILoadingWindowBase> gameLoading;
    std::unique_ptr<GUILoadingWindowBase> gameLogicLoading;
    std::unique_ptr<GUIWelcomeWindowBase> welcome;
    std::unique_ptr<GUIExitWindowBase> exit;
    std::unique_ptr<GUIMainMenuWindowBase> mainMenu;
    std::unique_ptr<GUIProfilesWindowBase> profiles;
    std::unique_ptr<GUINewProfileWindowBase> newProfile;
    std::unique_ptr<GUIRenameProfileWindowBase> renameProfile;
    std::unique_ptr<GUIDeleteProfileWindowBase> deleteProfile;
    std::unique_ptr<GUIProfileNameConflictWindowBase> profileNameConflict;
    std::unique_ptr<GUIStartGameLogicWindowBase> startGameLogic;
    std::unique_ptr<GUIContinueGameLogicWindowBase> continueGameLogic;
    std::unique_ptr<GUIHighScoresWindowBase> highScores;
    std::unique_ptr<GUIOptionsWindowBase> options;
    std::unique_ptr<GUIHelpWindowBase> help;
    std::unique_ptr<GUIGameLogicWindowBase> gameLogic;
    std::unique_ptr<GUIGameLogicPauseWindowBase> gameLogicPause;
    std::unique_ptr<GUIGameLogicMenuWindowBase> gameLogicMenu;
    std::unique_ptr<GUIGameLogicMenuExitWindowBase> gameLogicMenuExit;
    std::unique_ptr<GUIGameLogicRestartWindowBase> gameLogicRestart;
    std::unique_ptr<GUIGameLogicGameExitWindowBase> gameLogicGameExit;
    std::unique_ptr<GUILevelCompleteWindowBase> levelComplete;
    std::unique_ptr<GUIStageCompleteWindowBase> stageComplete;
    std::unique_ptr<GUIGameCompleteWindowBase> gameComplete;
    std::unique_ptr<GUIGameOverWindowBase> gameOver;
};

} // namespace GameFramework
