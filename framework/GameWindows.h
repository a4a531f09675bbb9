#pragma once

#include <memory>

namespace GameFramework {

class GUIContinueGameLogicWindowBase;
class GUIDeleteProfileWindowBase;
class GUIExitWindowBase;
class GUIGameCompleteWindowBase;
class GUIGameLogicGameExitWindowBase;
class GUIGameLogicMenuExitWindowBase;
class GUIGameLogicMenuWindowBase;
class GUIGameLogicPauseWindowBase;
class GUIGameLogicRestartWindowBase;
class GUIGameLogicWindowBase;
class GUIGameOverWindowBase;
class GUIHelpWindowBase;
class GUIHighScoresWindowBase;
class GUILevelCompleteWindowBase;
class GUILoadingWindowBase;
class GUILogosWindowBase;
class GUIMainMenuWindowBase;
class GUINewProfileWindowBase;
class GUIOptionsWindowBase;
class GUIProfileNameConflictWindowBase;
class GUIProfilesWindowBase;
class GUIRenameProfileWindowBase;
class GUIStageCompleteWindowBase;
class GUIStartGameLogicWindowBase;
class GUIWelcomeWindowBase;

// The application object's 26 windows, each typed by the framework base the
// flow talks to, in the order the flow knows them. Any of them may be null:
// the logos and the two loading windows exist from start-up, the others once
// the game loading window has reported. Owned here; DestroyAll empties the
// slots in the order the windows must go (the ones over a level first, the
// start-up windows last), and the destructor does the same.
struct GameWindows {
    GameWindows();
    GameWindows(const GameWindows&) = delete;
    GameWindows& operator=(const GameWindows&) = delete;
    ~GameWindows();

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
