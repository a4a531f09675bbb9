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

// The notice that the save files are in trouble, "window_save_trouble": which
// file could not be saved and why (the disk full, its folder closed to
// writing or missing), which file or folder could not be opened and is left
// as it is, or that another copy of the game keeps the saves of the folder,
// and what the player can do. Its one button (or ENTER)
// reports WindowResult::kDone; the application object then gives the screen
// back to the window the notice stood in for. Main thread only.
class GUISaveTroubleWindow : public GameFramework::GUIFrameworkWindow, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_save_trouble";

    GUISaveTroubleWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                         GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);
    ~GUISaveTroubleWindow() override;

    // Shows the title and text of that kind of trouble
    // ("save_trouble/<kind>/title" and ".../text"), the file as the player
    // reads it in the text's "%FILE%".
    void ShowNotice(Halvard::u32 opener, GameFramework::SaveTrouble::Kind kind, const std::wstring& file);
    // The kind's part of the text keys.
    static const char* KeyOf(GameFramework::SaveTrouble::Kind kind);
    void ShowWindow(Halvard::u32 opener) override;
    void HideWindow() override;
    void UpdateWindow() override;

    Halvard::GUIButton* GetCloseButton() const { return close_; }

private:
    const Halvard::Controls* controls_;
    Halvard::GUIButton* close_;
};

} // namespace Tamrisk
