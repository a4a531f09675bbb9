#pragma once

#include "framework/windows/GUIGameLogicWindowBase.h"
#include "gui_tools/GUIWindowBase.h"

namespace Halvard {
class Config;
class Controls;
class GUIButton;
class GUICheckBox;
class GUIManager;
class ModelManager;
class TimerManager;
} // namespace Halvard

namespace GUITools {
class GUITextControl;
class GUIWindowControl;
} // namespace GUITools

namespace Tamrisk {

class GUIMenuWindowManager;

// The display laid over the field while a level is played: spare lives,
// score, stage and level, the in-game menu, minimize, full-screen and close
// buttons, the two small publisher logos and, with "d_show_statistics" set,
// a statistics overlay. It turns keys and clicks into its result (4 close,
// 15 pause, 16 in-game menu) and a click on the field into the logic's
// action; input counts only while the window is active. It shows at once,
// without waiting for the menu window manager, and on hiding holds the
// manager for no window until its root control has faded out, so that the
// next menu window appears only after the display has gone. A control
// missing from the description is logged once by its lookup and then left
// out of every step. The engine, managers, resources and parent outlive
// the window; the overlay is its own. Main thread only.
class GUIGameLogicWindow : public GameFramework::GUIGameLogicWindowBase, public GUITools::GUIWindowBase {
public:
    static constexpr const char* kName = "window_game_logic";
    static constexpr const char* kStatisticsFont = "console";
    static constexpr Halvard::i32 kOverlayLayer = 20;

    GUIGameLogicWindow(Halvard::Engine* engine, GameFramework::ProfileManagerBase* profileManager,
                       GameTools::DataKeeper* resources, GUITools::GUIToolManager* tools,
                       GUIMenuWindowManager* menuWindows, Halvard::GUIWindow* parent);
    ~GUIGameLogicWindow() override;

    void UpdateWindow() override;
    // Hands the screen to no window until the display has faded out.
    void HideWindow() override;
    // Shows the display at once for the logic.
    void ShowGameLogic(Halvard::u32 opener, GameFramework::GameLogicBase* gameLogic) override;
    // The menu and close buttons follow the active flag.
    void SetActive(bool active) override;

    Halvard::GUIWindow* GetOverlay() const { return overlay_; }
    GameFramework::GameLogicBase* GetShownLogic() const { return logic_; }

private:
    void FollowWindowMode();
    // True when the display has gone (or is going) and the frame stops.
    bool ReleaseWhenFaded();
    void HandleWindowButtons();
    void ChangeWindowMode();
    void DrawStatistics();
    void AddStatistic(Halvard::u32 font, const std::wstring& text, float y);
    void ShowCounters();
    void ReadResult();
    void HandleFieldClick();
    bool IsOverAnyButton() const;

    Halvard::Config* config_;
    Halvard::TimerManager* timers_;
    Halvard::ModelManager* models_;
    Halvard::Controls* controls_;
    Halvard::GUIManager* gui_;
    GUIMenuWindowManager* menuWindows_;
    Halvard::GUIWindow* overlay_ = nullptr;
    GUITools::GUIWindowControl* root_;
    Halvard::GUIButton* menuButton_;
    Halvard::GUIButton* minimizeButton_;
    Halvard::GUIButton* closeButton_;
    Halvard::GUICheckBox* fullScreenBox_;
    GUITools::GUITextControl* lifeText_;
    GUITools::GUITextControl* scoreText_;
    GUITools::GUITextControl* levelText_;
    GameFramework::GameLogicBase* logic_ = nullptr;
};

} // namespace Tamrisk
