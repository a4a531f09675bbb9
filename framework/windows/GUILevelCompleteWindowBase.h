#pragma once

#include "framework/LevelReference.h"
#include "framework/windows/GUIFrameworkWindow.h"

namespace GameFramework {

class LevelManagerBase;

// Shown when a level is done, with its time. The level manager outlives the
// window.
class GUILevelCompleteWindowBase : public GUIFrameworkWindow {
public:
    explicit GUILevelCompleteWindowBase(LevelManagerBase* levelManager) : levelManager_(levelManager) {}

    // Seconds.
    virtual void ShowLevelResult(Halvard::u32 opener, const LevelReference& level, float time);
    // The points the level's time earns beyond its score, which the window
    // shows; none here. The caller adds them to the player's score.
    virtual Halvard::u32 GetTimeBonus(const LevelReference& level, float time) const
    {
        (void)level;
        (void)time;
        return 0;
    }
    // The part of the time bonus, already in the player's score, that the
    // window has yet to count up on screen; the score shown behind it leaves
    // that part out. None here.
    virtual Halvard::u32 GetBonusToCount() const { return 0; }

    const LevelReference& GetLevel() const { return level_; }
    float GetLevelTime() const { return time_; }

protected:
    LevelManagerBase* GetLevelManager() const { return levelManager_; }

private:
    LevelManagerBase* levelManager_;
    LevelReference level_;
    float time_ = 0.0f;
};

} // namespace GameFramework
