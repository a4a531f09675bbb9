#include "framework/windows/FrameworkWindows.h"

namespace GameFramework {

std::array<GUIFrameworkWindow*, FrameworkWindows::kCount> FrameworkWindows::All() const
{
    return {logos.get(),
            gameLoading.get(),
            gameLogicLoading.get(),
            welcome.get(),
            exit.get(),
            mainMenu.get(),
            profiles.get(),
            newProfile.get(),
            renameProfile.get(),
            deleteProfile.get(),
            profileNameConflict.get(),
            startGameLogic.get(),
            continueGameLogic.get(),
            highScores.get(),
            options.get(),
            help.get(),
            gameLogic.get(),
            gameLogicPause.get(),
            gameLogicMenu.get(),
            gameLogicMenuExit.get(),
            gameLogicRestart.get(),
            gameLogicGameExit.get(),
            levelComplete.get(),
            stageComplete.get(),
            gameComplete.get(),
            gameOver.get()};
}

void FrameworkWindows::DestroyAll()
{
    // The windows of a level go before the menus, and the two start-up
    // windows last, in the order the application built them in reverse.
    levelComplete.reset();
    stageComplete.reset();
    gameComplete.reset();
    gameOver.reset();
    gameLogicGameExit.reset();
    gameLogicRestart.reset();
    gameLogicMenuExit.reset();
    gameLogicMenu.reset();
    gameLogicPause.reset();
    gameLogic.reset();
    help.reset();
    options.reset();
    highScores.reset();
    continueGameLogic.reset();
    startGameLogic.reset();
    profileNameConflict.reset();
    profiles.reset();
    newProfile.reset();
    renameProfile.reset();
    deleteProfile.reset();
    mainMenu.reset();
    exit.reset();
    welcome.reset();
    gameLogicLoading.reset();
    gameLoading.reset();
    logos.reset();
}

} // namespace GameFramework
