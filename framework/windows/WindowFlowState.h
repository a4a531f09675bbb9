#pragma once

#include "framework/logic/GameLogicBase.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/windows/FrameworkWindows.h"
#include "game_tools/DataKeeper.h"

#include <memory>

namespace Halvard {
class Engine;
}

namespace GameFramework {

class GUIGameCursorBase;
class LevelManagerBase;
class ProfileManagerBase;

// What the window flow reads and changes of the application object. The
// application owns it: the windows, the running logic and the level data
// keepers live here; the collaborators are the application's and are set
// once they exist. The flow reads the pointers at each use.
struct WindowFlowState {
    // Destroys the logic first, then the windows in their order.
    ~WindowFlowState();

    Halvard::Engine* engine = nullptr;
    LevelManagerBase* levelManager = nullptr;
    ProfileManagerBase* profileManager = nullptr;
    HighScoresTable* highScores = nullptr;
    GUIGameCursorBase* gameCursor = nullptr;
    // The interface resources, loaded by the game loading window.
    GameTools::DataKeeper* gameData = nullptr;

    FrameworkWindows windows;
    // The level being played; null between levels.
    std::unique_ptr<GameLogicBase> gameLogic;
    // The level's resources, and the previous level's, kept until the next
    // level's are queued.
    std::unique_ptr<GameTools::DataKeeper> gameLogicData;
    std::unique_ptr<GameTools::DataKeeper> previousGameLogicData;

    // The score of the game that ended, already in the high-score table
    // before the game over or game complete window shows, and its entry
    // there (null when it did not stay); that window's button shows it. A
    // total of 0 enters nothing.
    struct FinalScore {
        Halvard::u32 total = 0;
        const HighScoresTable::Entry* entry = nullptr;
    };
    FinalScore finalScore;
};

} // namespace GameFramework
