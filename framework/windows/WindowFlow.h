#pragma once

#include "framework/LevelReference.h"
#include "framework/windows/FrameworkWindowList.h"

#include <initializer_list>

namespace GameFramework {

class GUIFrameworkWindow;
class ProfileBase;
class WindowFlowHost;
struct LevelRecordBase;
struct LevelResult;
struct StageRecordBase;
struct WindowFlowState;

// The whole menu and game flow of the framework: three dispatch passes a
// frame read the result codes of the windows and of the game logic, and the
// handler of each window decides what to hide, show, save, create or delete.
// Windows never open each other.
//
// The passes call the handlers through the host, so that the game's
// overrides take part; the host's handlers call the ones here. The state and
// the host are the application object's and outlive the flow. A handler acts
// only on the results it knows and does nothing otherwise. Main thread.
class WindowFlow {
public:
    WindowFlow(WindowFlowHost& host, WindowFlowState& state);
    WindowFlow(const WindowFlow&) = delete;
    WindowFlow& operator=(const WindowFlow&) = delete;

    // The handler of every existing window, then the end of a level once,
    // then the windows shown over an ended level.
    void ProcessWindows();
    // Clears the consumed results and the logic's state-changed flag.
    void ResetWindowResults();
    // Every existing window and the logic, once.
    void UpdateWindows();

    // Each window's handler, as FRAMEWORK_WINDOWS names it.
#define WINDOW_FLOW_HANDLER(Base, member, Stem, ...) void Process##Stem##Window();
    FRAMEWORK_WINDOWS(WINDOW_FLOW_HANDLER)
#undef WINDOW_FLOW_HANDLER
    void OnLevelComplete();
    // Back to the start game window with the level before the logic's as
    // the profile's current one.
    void LeaveGameLogic();
    void OnGameOver();

    void FillLevelResult(LevelResult& result) const;

private:
    // The handlers of the existing windows the pass reads, in table order.
    void Dispatch(WindowPass pass);
    void DispatchMenuWindows();
    void DispatchLevelWindows();
    // A result that only hands over to another window with the handler's
    // window as the source.
    struct Route {
        Halvard::u32 result;
        GUIFrameworkWindow* next;
    };

    // Hides the window and shows the route's window for its result; false
    // when no route has it.
    static bool Follow(GUIFrameworkWindow& window, Halvard::u32 source, std::initializer_list<Route> routes);
    void StartLevel();
    // The records of the profile's current level, which is first clamped to
    // the list's last level when it lies outside the list.
    void FindCurrentLevel(const StageRecordBase*& stage, const LevelRecordBase*& level) const;
    void PauseGameLogic(GUIFrameworkWindow& next);
    void ResumeGameLogic();
    // Hides the game window and deletes the logic.
    void EndGameLogic();
    void RecordLevelComplete(const LevelReference& played, const LevelReference& next);
    // Enters the final score of the lost game and saves the profile without
    // its game in progress.
    void EndLostGame();
    // Enters the total in the high-score table (saved) and keeps it for the
    // window that ends the game.
    void EnterFinalScore(Halvard::u32 total);
    // What follows the window that ends the game: the high scores on the
    // kept entry, or the main menu when the game scored nothing.
    void ShowFinalScore(Halvard::u32 source);
    ProfileBase& Profile() const;

    WindowFlowHost& host_;
    WindowFlowState& state_;
};

} // namespace GameFramework
