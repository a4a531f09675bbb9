#pragma once

#include <memory>
#include <vector>

#include "platform/video/Display.h"
#include "platform/video/VideoResult.h"
#include "platform/video/VideoTypes.h"

namespace Platform {

// The entry to the video layer: the displays, the desktop's mode and the
// display objects through which everything else is made. The real backend
// draws with OpenGL in an SDL2 window; tests install a recording fake with
// SetVideoSystem. Main thread only.
class VideoSystem {
public:
    virtual ~VideoSystem() = default;

    // Every display, the primary one first.
    virtual void EnumerateAdapters(std::vector<AdapterIdentity>& adapters) = 0;

    // A display object for the given display; null names the primary one.
    // The caller owns what it gets.
    virtual VideoResult CreateDisplay(const AdapterIdentity* adapter, std::unique_ptr<Display>& display) = 0;

    // The primary display's mode on the desktop, with its depth as the
    // system reports it (24 for packed red, green and blue); false when it
    // cannot be read.
    virtual bool GetDesktopMode(DisplayMode& mode) = 0;
};

// The system in use: the one installed with SetVideoSystem, else the
// OpenGL one.
VideoSystem& GetVideoSystem();

// Installs a system that the caller keeps alive while it is installed; null
// restores the OpenGL one.
void SetVideoSystem(VideoSystem* system);

} // namespace Platform
