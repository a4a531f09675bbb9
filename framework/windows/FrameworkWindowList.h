#pragma once

namespace GameFramework {

// When the application makes a window: at start-up, or in CreateWindows once
// the interface data is loaded.
enum class WindowCreation { kStartUp, kInterface };

// Which dispatch pass reads a window's result: the menus', the level's
// (before the end of a level is read), or the one after the end of a level.
// The windows of that last pass are also updated after the logic.
enum class WindowPass { kMenu, kLevel, kLevelEnd };

} // namespace GameFramework

// Every window of the framework, once. A window is declared in many places
// that C++ cannot make from data: a typed member of FrameworkWindows, a
// factory slot of the application object and the game's override of it, a
// handler slot of the host with its forward, the flow's handler and a row of
// the window table. They are all expanded from this one list, so that a new
// window is one row here and none of those places can miss it or disagree
// with another; what is written by hand (the game's factory definitions,
// the flow's handler bodies) fails to link when it is missing. The bases'
// headers are included by FrameworkWindows.h, whose members need the whole
// types; this list names them only.
//
// FRAMEWORK_WINDOWS(X) calls X once a window, with its columns:
//   Base      the framework base the application keeps the window as;
//   member    its member of FrameworkWindows;
//   Stem      its slots' stem: Create<Stem>Window, Process<Stem>Window;
//   name      its name in the window table, by which the flow's tests find it;
//   creation  when it is made (WindowCreation);
//   pass      the dispatch pass that reads its result (WindowPass);
//   dispatch, update, destroy
//             its place in the order the passes read the windows, in the
//             order of updates and in the order of destruction.
//
// The rows stand in the order the windows are made: windows register their
// GUI when they are made, so this order shows on screen. The passes read
// the game logic loading window after the profiles window, and update it
// after the name conflict window. The windows over an ended level step last
// and go first; the two start-up windows go last, the logos window after the
// game loading one.
#define FRAMEWORK_WINDOWS(X)                                                                                                               \
    X(GUILogosWindowBase,               logos,               Logos,               "logos",              kStartUp,   kMenu,      0,  0, 25) \
    X(GUILoadingWindowBase,             gameLoading,         GameLoading,         "game loading",       kStartUp,   kMenu,      1,  1, 24) \
    X(GUILoadingWindowBase,             gameLogicLoading,    GameLogicLoading,    "game logic loading", kInterface, kMenu,      6, 10, 23) \
    X(GUIWelcomeWindowBase,             welcome,             Welcome,             "welcome",            kInterface, kMenu,      2,  2, 22) \
    X(GUIExitWindowBase,                exit,                Exit,                "exit",               kInterface, kMenu,      3,  3, 21) \
    X(GUIMainMenuWindowBase,            mainMenu,            MainMenu,            "main menu",          kInterface, kMenu,      4,  4, 20) \
    X(GUIProfilesWindowBase,            profiles,            Profiles,            "profiles",           kInterface, kMenu,      5,  5, 16) \
    X(GUINewProfileWindowBase,          newProfile,          NewProfile,          "new profile",        kInterface, kMenu,      7,  6, 17) \
    X(GUIRenameProfileWindowBase,       renameProfile,       RenameProfile,       "rename profile",     kInterface, kMenu,      8,  7, 18) \
    X(GUIDeleteProfileWindowBase,       deleteProfile,       DeleteProfile,       "delete profile",     kInterface, kMenu,      9,  8, 19) \
    X(GUIProfileNameConflictWindowBase, profileNameConflict, ProfileNameConflict, "name conflict",      kInterface, kMenu,     10,  9, 15) \
    X(GUIStartGameLogicWindowBase,      startGameLogic,      StartGameLogic,      "start game",         kInterface, kMenu,     11, 11, 14) \
    X(GUIContinueGameLogicWindowBase,   continueGameLogic,   ContinueGameLogic,   "continue",           kInterface, kMenu,     12, 12, 13) \
    X(GUIHighScoresWindowBase,          highScores,          HighScores,          "high scores",        kInterface, kMenu,     13, 13, 12) \
    X(GUIOptionsWindowBase,             options,             Options,             "options",            kInterface, kMenu,     14, 14, 11) \
    X(GUIHelpWindowBase,                help,                Help,                "help",               kInterface, kMenu,     15, 15, 10) \
    X(GUIGameLogicWindowBase,           gameLogic,           GameLogic,           "game",               kInterface, kLevel,    16, 16,  9) \
    X(GUIGameLogicPauseWindowBase,      gameLogicPause,      GameLogicPause,      "pause",              kInterface, kLevel,    17, 17,  8) \
    X(GUIGameLogicMenuWindowBase,       gameLogicMenu,       GameLogicMenu,       "game menu",          kInterface, kLevel,    18, 18,  7) \
    X(GUIGameLogicMenuExitWindowBase,   gameLogicMenuExit,   GameLogicMenuExit,   "menu exit",          kInterface, kLevel,    19, 19,  6) \
    X(GUIGameLogicRestartWindowBase,    gameLogicRestart,    GameLogicRestart,    "restart",            kInterface, kLevel,    20, 20,  5) \
    X(GUIGameLogicGameExitWindowBase,   gameLogicGameExit,   GameLogicGameExit,   "game exit",          kInterface, kLevel,    21, 21,  4) \
    X(GUILevelCompleteWindowBase,       levelComplete,       LevelComplete,       "level complete",     kInterface, kLevelEnd, 22, 22,  0) \
    X(GUIStageCompleteWindowBase,       stageComplete,       StageComplete,       "stage complete",     kInterface, kLevelEnd, 23, 23,  1) \
    X(GUIGameCompleteWindowBase,        gameComplete,        GameComplete,        "game complete",      kInterface, kLevelEnd, 24, 24,  2) \
    X(GUIGameOverWindowBase,            gameOver,            GameOver,            "game over",          kInterface, kLevelEnd, 25, 25,  3)
