#pragma once

#include "framework/windows/GUIProfileNameConflictWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"

namespace Halvard {
class Controls;
class GUIButton;
} // namespace Halvard

namespace Tamrisk {

// The message that a name is taken, "window_profile_name_conflict": its one
// button (or ENTER) goes back to the window the name came from. Main thread
// only.
class GUIProfileNameConflictWindow : public GameFramework::GUIProfileNameConflictWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_profile_name_conflict";

    GUIProfileNameConflictWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                                 GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                 Halvard::GUIWindow* parent);
    ~GUIProfileNameConflictWindow() override;

    void ShowWindow(Halvard::u32 opener) override;
    void HideWindow() override;
    // Once on screen, at the button or ENTER: the new profile window 6 when
    // that window opened this one, else the rename window 7.
    void UpdateWindow() override;

    Halvard::GUIButton* GetBackButton() const { return back_; }

private:
    const Halvard::Controls* controls_;
    Halvard::GUIButton* back_;
};

} // namespace Tamrisk
