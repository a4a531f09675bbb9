#pragma once

#include "framework/windows/GUIStageCompleteWindowBase.h"

namespace Tamrisk {

// The window after a stage's last level: it shows nothing and reports at
// once whether the game is complete (22) or the stage map comes next (13).
// The level manager outlives the window. Main thread only.
class GUIStageCompleteWindow : public GameFramework::GUIStageCompleteWindowBase {
public:
    using GUIStageCompleteWindowBase::GUIStageCompleteWindowBase;

    // The result is reported outside the window's update, so that the
    // window flow acts on it in the pass that opened the window.
    void ShowStage(Halvard::u32 opener, const GameFramework::LevelReference& completed) override;
};

} // namespace Tamrisk
