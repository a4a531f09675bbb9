#pragma once

#include "engine/render/AdapterInfo.h"
#include "platform/video/VideoTypes.h"

#include <string>
#include <vector>

namespace Halvard {

struct ModeInfo_D3D7 : ModeInfo {
    // The adapter's own record of the mode, which outlives this one.
    const Platform::DisplayMode* displayMode = nullptr;
};

struct DeviceInfo_D3D7 : DeviceInfo {
    Platform::DeviceType type = Platform::DeviceType::Software;
    std::string description;
    std::string name;
    Platform::DeviceDescription caps;
    u8 hardware = 0;
};

struct AdapterInfo_D3D7 : AdapterInfo {
    // Null for the primary display, which the enumeration reports without an
    // identifier; else points at identity.
    const Platform::AdapterIdentity* identifier = nullptr;
    Platform::AdapterIdentity identity;
    std::string description;
    Platform::AdapterCaps caps;
    u8 canRenderWindowed = 0;
    // A 24-bit desktop is recorded as 32 bits, the depth its modes are
    // listed with, so that "desktop" finds its own mode.
    Platform::DisplayMode desktopMode;
    // Sorted largest first; never reallocated once the devices point into it.
    std::vector<Platform::DisplayMode> displayModes;
};

} // namespace Halvard
