#pragma once

#include "gui_tools/GUIWindowBase.h"

#include <string>

namespace GameFramework {
class SoundSet;
}

namespace GUITools {
class GUITextControl;
class GUIWindowControl;
} // namespace GUITools

namespace Tamrisk {

class GameData;
class GUIMenuWindowManager;

// The GUI half of every menu window: a window built from its description
// that shows and hides through its controls' actions and never shares the
// screen with another menu window. Show(true) only asks for the screen; the
// manager's per-frame UpdateTransition hands it over once the window that
// holds it has finished leaving, and plays the appear and disappear sounds
// of the frame control.
//
// A game window derives its framework window base first and this class
// second; its ShowWindow calls this Show(true), its HideWindow Show(false),
// and its UpdateWindow calls this Update before reading its controls. The
// controls below are optional: each is looked up only when the description
// has it. The sound set, the interface data, the manager and the parent must
// outlive the window. Main thread only.
class GUIMenuWindow : public GUITools::GUIWindowBase {
public:
    // Registers the window with the manager, which keeps it for good.
    GUIMenuWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                  GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent,
                  const std::string& name);
    ~GUIMenuWindow() override;

    // Nothing: the window's own work per frame is UpdateTransition, which
    // only the manager runs.
    void Update() override;
    // True asks for the screen. False starts the leaving of a window that
    // holds the screen; a window still waiting for it just stops waiting.
    void Show(bool show) override;
    // False while the window is not asked to show, else whether its base
    // window is on screen.
    bool IsVisible() const override;
    // Once a frame, from the manager: takes the screen when it may, updates
    // the controls, gives the screen back once the leaving controls are
    // gone, and plays the pending sound.
    virtual void UpdateTransition();

    // The state Show last asked for.
    bool IsShown() const { return shown_; }
    // Shown, but the screen is still another window's.
    bool IsShowPending() const { return showPending_; }

    GUITools::GUIWindowControl* GetFrame() const { return frame_; }
    GUITools::GUITextControl* GetTitle() const { return title_; }
    GUITools::GUITextControl* GetWindowText() const { return windowText_; }
    GUITools::GUIWindowControl* GetAnimatedTitleMount() const { return animatedTitleMount_; }
    GUITools::GUIWindowControl* GetStaticTitleMount() const { return staticTitleMount_; }

protected:
    GameFramework::SoundSet* GetSoundSet() const { return sounds_; }
    GameData* GetResources() const { return resources_; }
    GUIMenuWindowManager* GetManager() const { return manager_; }

private:
    GUITools::GUIWindowControl* FindWindowControl(const std::string& suffix) const;
    GUITools::GUITextControl* FindTextControl(const std::string& suffix) const;
    void TakeScreen();
    void LeaveScreen();
    bool IsLeaving() const;
    void PlayPendingSound();

    GameFramework::SoundSet* sounds_;
    GameData* resources_;
    GUIMenuWindowManager* manager_;
    GUITools::GUIWindowControl* frame_ = nullptr;
    GUITools::GUITextControl* title_ = nullptr;
    GUITools::GUITextControl* windowText_ = nullptr;
    GUITools::GUIWindowControl* animatedTitleMount_ = nullptr;
    GUITools::GUIWindowControl* staticTitleMount_ = nullptr;
    bool soundPending_ = false;
    bool shown_ = false;
    bool showPending_ = false;
};

} // namespace Tamrisk
