#pragma once

#include "framework/windows/GUILoadingWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"

namespace Tamrisk {

// What the game's two loading windows share: a menu window that shows
// while a data keeper's queued files load. The load starts in the frame
// after the one in which the window is seen on screen with its title (when
// it has one) fully printed, so that the window is drawn whole once before
// the load holds the frame loop; then the window reports 1. The load runs
// on the framework's worker thread, which touches neither GL nor the GUI.
// Main thread only.
class GUIMenuLoadingWindow : public GameFramework::GUILoadingWindowBase, public GUIMenuWindow {
public:
    GUIMenuLoadingWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                         GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent,
                         const std::string& name);
    ~GUIMenuLoadingWindow() override;

    // Asks for the screen; the load waits for the title again.
    void ShowLoading(Halvard::u32 opener, GameTools::DataKeeper* task) override;
    void HideWindow() override;
    void UpdateWindow() override;

    // Seen on screen with its title printed: the next update loads.
    bool IsReady() const { return ready_; }

private:
    bool ready_ = false;
};

} // namespace Tamrisk
