#pragma once

#include "framework/persistence/SaveTrouble.h"
#include "framework/windows/GUIFrameworkWindow.h"
#include "game/windows/parts/GUIMenuWindow.h"

#include <string>

namespace Halvard {
class Controls;
class GUIButton;
} // namespace Halvard

namespace Tamrisk {

// The notice that the save files are in trouble, "window_save_trouble": what
// the player just did could not be saved, or a save file could not be opened
// and is left as it is, and in which folder. Its one button (or ENTER)
// reports WindowResult::kDone; the application object then gives the screen
// back to the window the notice stood in for. Main thread only.
class GUISaveTroubleWindow : public GameFramework::GUIFrameworkWindow, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_save_trouble";

    GUISaveTroubleWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                         GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUISaveTroubleWindow() override;

    // Shows the title and text of that trouble, the folder in the text's
    // "%FOLDER%".
    void ShowNotice(Halvard::u32 opener, GameFramework::SaveTrouble::Kind kind, const std::wstring& folder);
    void ShowWindow(Halvard::u32 opener) override;
    void HideWindow() override;
    void UpdateWindow() override;

    Halvard::GUIButton* GetCloseButton() const { return close_; }

private:
    const Halvard::Controls* controls_;
    Halvard::GUIButton* close_;
};

} // namespace Tamrisk
