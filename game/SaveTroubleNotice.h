#pragma once

#include <functional>
#include <memory>

namespace GameFramework {
class GUIFrameworkWindow;
class SaveTrouble;
struct FrameworkWindows;
} // namespace GameFramework

namespace Tamrisk {

class GUISaveTroubleWindow;

// The application object's handling of the save trouble notice. Once for
// each kind of trouble in a run, as soon as the save files have run into it
// and a menu window holds the screen outside a level, the notice takes that
// window's place; when the notice reports it is done, that window comes back
// with the opener it had, and the game goes on (or the next kind untold is
// shown in its place). The notice talks only through its result.
// Its window is made only when it is first needed, so that a run without
// trouble builds, draws and draws lots for nothing more. The trouble must
// outlive this object. Main thread only.
class SaveTroubleNotice {
public:
    using WindowFactory = std::function<std::unique_ptr<GUISaveTroubleWindow>()>;

    SaveTroubleNotice(GameFramework::SaveTrouble* trouble, WindowFactory makeWindow);
    SaveTroubleNotice(const SaveTroubleNotice&) = delete;
    SaveTroubleNotice& operator=(const SaveTroubleNotice&) = delete;
    ~SaveTroubleNotice();

    // After each dispatch pass of the framework's windows.
    void Process(const GameFramework::FrameworkWindows& windows, bool levelOpen);
    void ResetResult();
    void Update();

    // Null until the notice is first shown.
    GUISaveTroubleWindow* GetWindow() const { return window_.get(); }

private:
    void ShowInPlaceOf(GameFramework::GUIFrameworkWindow& window);
    void GiveScreenBack();
    // The one menu window asked to show, loading windows aside; null when
    // there is none or more than one.
    static GameFramework::GUIFrameworkWindow* FindMenuWindowShown(const GameFramework::FrameworkWindows& windows);

    GameFramework::SaveTrouble* trouble_;
    WindowFactory makeWindow_;
    std::unique_ptr<GUISaveTroubleWindow> window_;
    // The window the notice stands in for while it is shown.
    GameFramework::GUIFrameworkWindow* replaced_ = nullptr;
};

} // namespace Tamrisk
