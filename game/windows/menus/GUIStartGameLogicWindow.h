#pragma once

#include "framework/windows/GUIStartGameLogicWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"

#include <memory>
#include <vector>

namespace Halvard {
class GUIButton;
class TimerManager;
} // namespace Halvard

namespace GameFramework {
class LevelManagerBase;
class ProfileManagerBase;
} // namespace GameFramework

namespace GameTools {
class GUIDoubleClickDetecter;
}

namespace Tamrisk {

class GUIMapElement;

// The stage map, "window_start_game": one point per level read from
// "data\ui\map\map.gmf", the levels passed, the chosen one and the way on
// to the next check point lit up in turn. The player picks any level up to
// the furthest reached (a click chooses and saves, a double click plays),
// then plays (24) or goes back to the main menu (3). The points take the
// fade of "/window/button_1/title": without a fader there, the map stays
// clear.
//
// The map file is read when the window is made; one that cannot be read
// leaves the constructor as FileError naming it. The level manager is not
// used: the map file numbers the levels itself. The profile manager and
// everything the menu window needs must outlive the window. Main thread
// only.
class GUIStartGameLogicWindow : public GameFramework::GUIStartGameLogicWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_start_game";
    // The way ahead lights up a point every kPreviewStep seconds, each
    // fading in over kPreviewFade, and goes dark again kPreviewLag behind.
    static constexpr float kPreviewStep = 0.15f;
    static constexpr float kPreviewFade = 0.3f;
    static constexpr float kPreviewLag = 0.6f;

    GUIStartGameLogicWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                            GameFramework::LevelManagerBase* levels, GameFramework::ProfileManagerBase* profiles,
                            GameData* resources, GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                            Halvard::GUIWindow* parent);
    ~GUIStartGameLogicWindow() override;

    // From the level complete or restart windows, and from the continue
    // window with a game in progress, the next update reports play without
    // showing the map. Otherwise the map asks for the screen with the
    // profile's current level chosen; from the stage complete window every
    // point is locked and the title says the stage is passed.
    void ShowWindow(Halvard::u32 opener) override;
    void HideWindow() override;
    void UpdateWindow() override;

    // Clamps the level to the profile's furthest, marks the points before
    // it passed and it chosen, makes it the profile's current level and
    // saves the profile; points past the furthest stay hidden.
    void SelectLevel(Halvard::u32 stage, Halvard::u32 level);

    const std::vector<std::unique_ptr<GUIMapElement>>& GetElements() const { return elements_; }
    Halvard::GUIButton* GetBackButton() const { return back_; }
    Halvard::GUIButton* GetPlayButton() const { return play_; }

private:
    void FollowFade();
    void ReadClicks();
    void ChooseClickedElement();
    void RunPreview();
    void PreviewPass(std::size_t anchor, float t, bool fadingOut);
    std::size_t FindFurthestElement() const;

    GameFramework::ProfileManagerBase* profiles_;
    Halvard::TimerManager* timers_;
    Halvard::GUIButton* back_ = nullptr;
    Halvard::GUIButton* play_ = nullptr;
    GUITools::GUITextControl* playTitle_ = nullptr;
    std::unique_ptr<GameTools::GUIDoubleClickDetecter> detecter_;
    std::vector<std::unique_ptr<GUIMapElement>> elements_;
    // Set where the window goes straight on to play: its next update
    // reports it.
    bool playPending_ = false;
    bool previewRunning_ = false;
    float previewTimer_ = 0.0f;
    float lastAlpha_ = 0.0f;
};

} // namespace Tamrisk
