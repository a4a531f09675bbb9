#include "framework/windows/WindowTable.h"

namespace GameFramework {

namespace {

using Host = WindowFlowHost;

template <auto Member>
constexpr WindowRow Row(const char* name, void (Host::*handler)(), WindowPass pass, Halvard::u32 updateOrder,
                        Halvard::u32 destroyOrder)
{
    return WindowRow{name,
                     [](const FrameworkWindows& windows) -> GUIFrameworkWindow* { return (windows.*Member).get(); },
                     [](FrameworkWindows& windows) { (windows.*Member).reset(); },
                     handler,
                     pass,
                     updateOrder,
                     destroyOrder};
}

using W = FrameworkWindows;
constexpr WindowPass kMenu = WindowPass::kMenu;
constexpr WindowPass kLevel = WindowPass::kLevel;
constexpr WindowPass kEnd = WindowPass::kLevelEnd;

// The level's windows go before the menus, and the two start-up windows
// last, in the order the application built them in reverse. The game logic
// loading window is updated later than it is dispatched.
constexpr std::array<WindowRow, FrameworkWindows::kCount> kTable{{
    Row<&W::logos>("logos", &Host::ProcessLogosWindow, kMenu, 0, 25),
    Row<&W::gameLoading>("game loading", &Host::ProcessGameLoadingWindow, kMenu, 1, 24),
    Row<&W::welcome>("welcome", &Host::ProcessWelcomeWindow, kMenu, 2, 22),
    Row<&W::exit>("exit", &Host::ProcessExitWindow, kMenu, 3, 21),
    Row<&W::mainMenu>("main menu", &Host::ProcessMainMenuWindow, kMenu, 4, 20),
    Row<&W::profiles>("profiles", &Host::ProcessProfilesWindow, kMenu, 5, 16),
    Row<&W::gameLogicLoading>("game logic loading", &Host::ProcessGameLogicLoadingWindow, kMenu, 10, 23),
    Row<&W::newProfile>("new profile", &Host::ProcessNewProfileWindow, kMenu, 6, 17),
    Row<&W::renameProfile>("rename profile", &Host::ProcessRenameProfileWindow, kMenu, 7, 18),
    Row<&W::deleteProfile>("delete profile", &Host::ProcessDeleteProfileWindow, kMenu, 8, 19),
    Row<&W::profileNameConflict>("name conflict", &Host::ProcessProfileNameConflictWindow, kMenu, 9, 15),
    Row<&W::startGameLogic>("start game", &Host::ProcessStartGameLogicWindow, kMenu, 11, 14),
    Row<&W::continueGameLogic>("continue", &Host::ProcessContinueGameLogicWindow, kMenu, 12, 13),
    Row<&W::highScores>("high scores", &Host::ProcessHighScoresWindow, kMenu, 13, 12),
    Row<&W::options>("options", &Host::ProcessOptionsWindow, kMenu, 14, 11),
    Row<&W::help>("help", &Host::ProcessHelpWindow, kMenu, 15, 10),
    Row<&W::gameLogic>("game", &Host::ProcessGameLogicWindow, kLevel, 16, 9),
    Row<&W::gameLogicPause>("pause", &Host::ProcessGameLogicPauseWindow, kLevel, 17, 8),
    Row<&W::gameLogicMenu>("game menu", &Host::ProcessGameLogicMenuWindow, kLevel, 18, 7),
    Row<&W::gameLogicMenuExit>("menu exit", &Host::ProcessGameLogicMenuExitWindow, kLevel, 19, 6),
    Row<&W::gameLogicRestart>("restart", &Host::ProcessGameLogicRestartWindow, kLevel, 20, 5),
    Row<&W::gameLogicGameExit>("game exit", &Host::ProcessGameLogicGameExitWindow, kLevel, 21, 4),
    Row<&W::levelComplete>("level complete", &Host::ProcessLevelCompleteWindow, kEnd, 22, 0),
    Row<&W::stageComplete>("stage complete", &Host::ProcessStageCompleteWindow, kEnd, 23, 1),
    Row<&W::gameComplete>("game complete", &Host::ProcessGameCompleteWindow, kEnd, 24, 2),
    Row<&W::gameOver>("game over", &Host::ProcessGameOverWindow, kEnd, 25, 3),
}};

} // namespace

const std::array<WindowRow, FrameworkWindows::kCount>& GetWindowTable() { return kTable; }

} // namespace GameFramework
