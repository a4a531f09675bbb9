#pragma once

#include "framework/LevelReference.h"
#include "framework/windows/GUIFrameworkWindow.h"

namespace GameFramework {

class LevelManagerBase;

// Shown when a stage's last level is done. The level manager outlives the
// window.
class GUIStageCompleteWindowBase : public GUIFrameworkWindow {
public:
    explicit GUIStageCompleteWindowBase(LevelManagerBase* levelManager) : levelManager_(levelManager) {}

    // Shows the window for the level just completed.
    virtual void ShowStage(Halvard::u32 opener, const LevelReference& completed);

    const LevelReference& GetCompletedLevel() const { return completed_; }

protected:
    LevelManagerBase* GetLevelManager() const { return levelManager_; }

private:
    LevelManagerBase* levelManager_;
    LevelReference completed_;
};

} // namespace GameFramework
