#pragma once

#include "framework/windows/GUILevelCompleteWindowBase.h"
#include "game/windows/parts/GUIMenuWindow.h"

#include <string>

namespace Halvard {
class GUIButton;
}

namespace GameFramework {
class ProfileManagerBase;
}

namespace Tamrisk {

class LevelManager;

// The result of a finished level: the player's time, the level's ace time
// and the best time with its holder. A level done in fewer whole seconds
// than the ace time earns 20 points a second saved, counted up on screen
// once the bonus text has faded in (18 seconds' worth a second after a
// 0.2 s pause), with the counting sound playing meanwhile. The bonus is the
// game's to add to the profile with the rest of the level's result, before
// the window shows; the count only shows it, and what it has yet to count
// the score shown behind the window leaves out. A click shows what is left of
// the bonus at once and reports 21 after the last level of a stage, else 13.
// The managers and the parts must outlive the window. Main thread only.
class GUILevelCompleteWindow : public GameFramework::GUILevelCompleteWindowBase, public GUIMenuWindow {
public:
    static constexpr const char* kDescriptionName = "window_level_complete";
    static constexpr Halvard::i32 kPointsPerSecond = 20;

    GUILevelCompleteWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, LevelManager* levels,
                           GameFramework::ProfileManagerBase* profiles, GameData* resources,
                           GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);

    void ShowLevelResult(Halvard::u32 opener, const GameFramework::LevelReference& level, float time) override;
    Halvard::u32 GetTimeBonus(const GameFramework::LevelReference& level, float time) const override;
    Halvard::u32 GetBonusToCount() const override;
    void HideWindow() override;
    void UpdateWindow() override;

    Halvard::i32 GetShownBonus() const { return shownBonus_; }

    // "<minutes>:<seconds in two digits>" of the whole seconds.
    static std::wstring FormatTime(Halvard::i32 seconds);

private:
    // Whole seconds; 0 for a level the list does not hold.
    Halvard::i32 GetAceTime(const GameFramework::LevelReference& level) const;
    bool EarnsBonus() const;
    void CountBonus();
    // Shows the bonus counted up to the given amount; the growth shown.
    Halvard::i32 ShowBonus(Halvard::i32 bonus);
    void StopCountingSound();
    void SetText(GUITools::GUITextControl* control, const std::wstring& text);
    void Enable(GUITools::GUITextControl* control, bool enable);
    void ShowBestTime();

    LevelManager* levels_;
    GameFramework::ProfileManagerBase* profiles_;
    GUITools::GUITextControl* yourTime_ = nullptr;
    GUITools::GUITextControl* aceTimeText_ = nullptr;
    GUITools::GUITextControl* timeBonus_ = nullptr;
    GUITools::GUITextControl* timeBonusStatic_ = nullptr;
    GUITools::GUITextControl* noTimeBonusStatic_ = nullptr;
    GUITools::GUITextControl* bestTime_ = nullptr;
    GUITools::GUITextControl* bestTimeStatic0_ = nullptr;
    GUITools::GUITextControl* bestTimeStatic1_ = nullptr;
    Halvard::GUIButton* button_ = nullptr;
    Halvard::i32 aceTime_ = 0;
    float bonusCountTime_ = 0.0f;
    // The whole bonus of the level shown, and the part of it counted.
    Halvard::i32 bonus_ = 0;
    Halvard::i32 shownBonus_ = 0;
};

} // namespace Tamrisk
