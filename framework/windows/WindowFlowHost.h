#pragma once

#include "engine/core/Types.h"
#include "framework/windows/FrameworkWindowList.h"

#include <memory>

namespace GameTools {
class DataKeeper;
}

namespace GameFramework {

class GameLogicBase;
class WindowFlow;
struct LevelRecordBase;
struct LevelResult;
struct StageRecordBase;

// The application object's side of the window flow: the factories the flow
// calls and the overridable dispatch passes and handlers. The application
// object derives it and gives the flow; each pass and handler here runs the
// flow's own by default, so a game overrides one, calls this version and adds
// its own steps (music, background, cursor). The flow calls the handlers
// through these operations, so that overrides take part in every pass. Main
// thread.
class WindowFlowHost {
public:
    WindowFlowHost() = default;
    WindowFlowHost(const WindowFlowHost&) = delete;
    WindowFlowHost& operator=(const WindowFlowHost&) = delete;
    virtual ~WindowFlowHost() = default;

    // Makes every window but the logos and game loading ones and stores it
    // in the flow's state.
    virtual void CreateWindows() = 0;
    virtual std::unique_ptr<GameTools::DataKeeper> CreateGameLogicData(const StageRecordBase* stage,
                                                                       const LevelRecordBase* level) = 0;
    virtual std::unique_ptr<GameLogicBase> CreateGameLogic(const StageRecordBase* stage,
                                                           const LevelRecordBase* level, Halvard::u32 lives) = 0;
    // The fonts that come with the interface data, once it is loaded.
    virtual void LoadAdditionalFonts() = 0;
    // A zeroed record; the caller owns it.
    virtual std::unique_ptr<LevelResult> CreateLevelResult();
    // The current profile's game mode, the logic's level and time.
    virtual void FillLevelResult(LevelResult& result);

    virtual void ProcessWindows();
    virtual void ResetWindowResults();
    virtual void UpdateWindows();

    // Each window's handler, as FRAMEWORK_WINDOWS names it.
#define WINDOW_FLOW_HOST_HANDLER(Base, member, Stem, ...) virtual void Process##Stem##Window();
    FRAMEWORK_WINDOWS(WINDOW_FLOW_HOST_HANDLER)
#undef WINDOW_FLOW_HOST_HANDLER
    virtual void OnLevelComplete();
    virtual void LeaveGameLogic();
    virtual void OnGameOver();

    // How the level's music leaves on the way back to the menus: kept
    // paused, so that the next level resumes it, or stopped.
    enum class LevelMusic { kPause, kStop };
    // What the menus shown over a level want of the cursor: their own shape
    // and its trail, or the trail alone.
    enum class MenuCursor { kShapeAndTrail, kTrail };

    // The transitions the flow decides, each called at the one place it
    // happens, for the game to hang its music, background and cursor on.
    // Each does nothing here.
    // The logos are over and the menus begin.
    virtual void OnLogosEnded() {}
    // The player chose to play; the level starts loading.
    virtual void OnLevelChosen() {}
    // The level is loaded and shown.
    virtual void OnLevelEntered() {}
    // A window over the level gives the level back.
    virtual void OnLevelResumed() {}
    // A window is shown over the level, which stays behind it.
    virtual void OnMenuCursorNeeded(MenuCursor cursor) { (void)cursor; }
    // The level is left for the menus.
    virtual void OnBackToMenus(LevelMusic music) { (void)music; }

protected:
    // The flow this host runs; it lives as long as the host.
    virtual WindowFlow& GetWindowFlow() = 0;
};

} // namespace GameFramework
