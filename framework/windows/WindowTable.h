#pragma once

#include "engine/core/Types.h"
#include "framework/windows/FrameworkWindows.h"
#include "framework/windows/WindowFlowHost.h"

#include <array>

namespace GameFramework {

// One window of the framework: its name, how to reach it in the
// application's windows, its handler (the host's slot), the pass that reads
// it and its places in the order of updates and of destruction.
struct WindowRow {
    const char* name;
    GUIFrameworkWindow* (*reach)(const FrameworkWindows& windows);
    void (*destroy)(FrameworkWindows& windows);
    void (WindowFlowHost::*handler)();
    WindowPass pass;
    Halvard::u32 updateOrder;
    Halvard::u32 destroyOrder;
};

// Every window of the framework once, in the order the passes read them.
const std::array<WindowRow, FrameworkWindows::kCount>& GetWindowTable();

} // namespace GameFramework
