#pragma once

#include <vector>

namespace GUITools {
class GUIWindowBase;
}

namespace Tamrisk {

class GameData;
class GUIMenuWindow;

// Hands the screen from one menu window to the next: at most one window
// holds it, and a window that asks for it waits until the holder has left.
// The screen can also be held by no window (a window outside the menus
// keeps it so while it fades out); only Release frees it. Owned by the game,
// which destroys it before the windows; the windows stay registered for
// their whole life and are not owned. Main thread only.
class GUIMenuWindowManager {
public:
    // The interface data's small publisher logos are read as windows are
    // built; the data must outlive the manager.
    explicit GUIMenuWindowManager(GameData* resources);
    GUIMenuWindowManager(const GUIMenuWindowManager&) = delete;
    GUIMenuWindowManager& operator=(const GUIMenuWindowManager&) = delete;
    virtual ~GUIMenuWindowManager();

    void RegisterWindow(GUIMenuWindow* window);
    // Takes the free screen for the window, or for none; nothing when the
    // screen is held.
    void Acquire(GUIMenuWindow* window);
    void Release();

    // The game's window step calls PreUpdate before the windows' updates
    // and Update after them.
    void PreUpdate();
    // The transitions of the windows asked to hide, then of those asked to
    // show, each in registration order: a leaving window frees the screen
    // in the same frame, before an arriving one asks for it.
    void Update();

    // The controls "/logo_additional_0" and "/logo_additional_1" of the
    // window, where it has them, show the small publisher logo of their
    // number; without that logo the control is disabled and stays hidden.
    void SetupAdditionalLogos(GUITools::GUIWindowBase& window) const;

    bool IsFree() const { return free_; }
    // The holder; null while the screen is free or held by none.
    GUIMenuWindow* GetCurrent() const { return current_; }
    const std::vector<GUIMenuWindow*>& GetWindows() const { return windows_; }

private:
    GameData* resources_;
    std::vector<GUIMenuWindow*> windows_;
    bool free_ = true;
    GUIMenuWindow* current_ = nullptr;
};

} // namespace Tamrisk
