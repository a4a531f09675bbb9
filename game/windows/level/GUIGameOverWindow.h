#pragma once

#include "framework/windows/GUIGameOverWindowBase.h"
#include "game/windows/parts/GUIButtonRowWindow.h"

namespace Tamrisk {

// The message that the last life is lost: one button that reports done (1).
// Its animated title mount comes and goes with it; the static one is never
// shown.
// The parts must outlive the window. Main thread only.
class GUIGameOverWindow : public GUIButtonRowWindow<GameFramework::GUIGameOverWindowBase> {
public:
    static constexpr const char* kDescriptionName = "window_game_over";

    GUIGameOverWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds, GameData* resources,
                      GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager, Halvard::GUIWindow* parent);

protected:
    void OnShow() override;
    void OnHide() override;
};

} // namespace Tamrisk
