#pragma once

#include "framework/windows/FrameworkWindowList.h"
#include "framework/windows/GUIContinueGameLogicWindowBase.h"
#include "framework/windows/GUIDeleteProfileWindowBase.h"
#include "framework/windows/GUIExitWindowBase.h"
#include "framework/windows/GUIGameCompleteWindowBase.h"
#include "framework/windows/GUIGameLogicGameExitWindowBase.h"
#include "framework/windows/GUIGameLogicMenuExitWindowBase.h"
#include "framework/windows/GUIGameLogicMenuWindowBase.h"
#include "framework/windows/GUIGameLogicPauseWindowBase.h"
#include "framework/windows/GUIGameLogicRestartWindowBase.h"
#include "framework/windows/GUIGameLogicWindowBase.h"
#include "framework/windows/GUIGameOverWindowBase.h"
#include "framework/windows/GUIHelpWindowBase.h"
#include "framework/windows/GUIHighScoresWindowBase.h"
#include "framework/windows/GUILevelCompleteWindowBase.h"
#include "framework/windows/GUILoadingWindowBase.h"
#include "framework/windows/GUILogosWindowBase.h"
#include "framework/windows/GUIMainMenuWindowBase.h"
#include "framework/windows/GUINewProfileWindowBase.h"
#include "framework/windows/GUIOptionsWindowBase.h"
#include "framework/windows/GUIProfileNameConflictWindowBase.h"
#include "framework/windows/GUIProfilesWindowBase.h"
#include "framework/windows/GUIRenameProfileWindowBase.h"
#include "framework/windows/GUIStageCompleteWindowBase.h"
#include "framework/windows/GUIStartGameLogicWindowBase.h"
#include "framework/windows/GUIWelcomeWindowBase.h"

#include <array>
#include <memory>

namespace GameFramework {

// The application's windows, those of FRAMEWORK_WINDOWS, each typed by its
// framework base and owned here. Each exists from the time its creation
// column says: start-up, or the application's CreateWindows.
struct FrameworkWindows {
#define FRAMEWORK_WINDOW_COUNT(...) +1
    static constexpr std::size_t kCount = 0 FRAMEWORK_WINDOWS(FRAMEWORK_WINDOW_COUNT);
#undef FRAMEWORK_WINDOW_COUNT

    // Every window, null where none exists, in the window table's order.
    std::array<GUIFrameworkWindow*, kCount> All() const;
    // Destroys the windows in the window table's destroy order: the in-game
    // ones first and the logos window last.
    void DestroyAll();

#define FRAMEWORK_WINDOW_MEMBER(Base, member, ...) std::unique_ptr<Base> member;
    FRAMEWORK_WINDOWS(FRAMEWORK_WINDOW_MEMBER)
#undef FRAMEWORK_WINDOW_MEMBER
};

} // namespace GameFramework
