#include "platform/window/WindowSystem.h"

#include "platform/window/SdlWindowSystem.h"

namespace Platform {

namespace {

WindowSystem* installedSystem = nullptr;

WindowSystem& TheSdlWindowSystem()
{
    static SdlWindowSystem system;
    return system;
}

} // namespace

WindowSystem& GetWindowSystem() { return installedSystem != nullptr ? *installedSystem : TheSdlWindowSystem(); }

void SetWindowSystem(WindowSystem* system) { installedSystem = system; }

} // namespace Platform
