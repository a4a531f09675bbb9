#pragma once

#include "framework/windows/FrameworkWindowList.h"

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
