#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <vector>

namespace Halvard {

// One display mode a device can draw in; 24-bit display modes are listed as
// 32 bits.
struct ModeInfo {
    virtual ~ModeInfo() = default;

    u32 width = 0;
    u32 height = 0;
    u32 bitsPerPixel = 0;
};

// One three-dimensional device of a display adapter, with the modes it can
// use. Owns its modes; the chosen mode points into them.
struct DeviceInfo {
    virtual ~DeviceInfo() = default;

    std::vector<std::unique_ptr<ModeInfo>> modes;
    ModeInfo* chosenMode = nullptr;
    u8 fullScreen = 0;
};

// One display adapter. Owns its devices; the chosen device points into them.
struct AdapterInfo {
    virtual ~AdapterInfo() = default;

    std::vector<std::unique_ptr<DeviceInfo>> devices;
    DeviceInfo* chosenDevice = nullptr;
};

} // namespace Halvard
