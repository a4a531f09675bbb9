#pragma once

#include "platform/video/GLProbe.h"
#include "platform/video/VideoSystem.h"

namespace Platform {

// The video layer on SDL2 and OpenGL. Displays are SDL's displays, the first
// one primary; devices come from a probe of the GL context: a hardware
// renderer offers a transform-and-lighting, a hardware and a software
// device, a renderer that draws on the processor only the software one.
//
// The environment variable HALVARD_VIDEO_FAIL_HARDWARE (any value but "0")
// lists the hardware devices even on a software renderer and makes their
// creation fail, so the fall-back to the software device can be watched.
class GLVideoSystem : public VideoSystem {
public:
    GLVideoSystem();
    ~GLVideoSystem() override;
    GLVideoSystem(const GLVideoSystem&) = delete;
    GLVideoSystem& operator=(const GLVideoSystem&) = delete;

    void EnumerateAdapters(std::vector<AdapterIdentity>& adapters) override;
    VideoResult CreateDisplay(const AdapterIdentity* adapter, std::unique_ptr<Display>& display) override;
    bool GetDesktopMode(DisplayMode& mode) override;

    // Probed at the first call, then kept.
    const GLProbe& Probe();
    bool HardwareFails() const;

    // Every display answers TestCooperativeLevel with the result until a
    // display is made again (a device reset) or kOk is given: a loss that
    // tests can cause on demand.
    void SimulateDeviceLoss(VideoResult result) { simulatedLoss_ = result; }
    VideoResult SimulatedLoss() const { return simulatedLoss_; }

    // GL contexts made so far. Each display makes its own, so a device reset
    // that really starts over shows as one more.
    uint32_t ContextsMade() const { return contextsMade_; }
    void NoteContextMade() { ++contextsMade_; }

private:
    bool OpenVideo();

    bool videoOpen_ = false;
    bool probed_ = false;
    GLProbe probe_;
    VideoResult simulatedLoss_ = VideoResults::kOk;
    uint32_t contextsMade_ = 0;
};

// A mode's depth as the layer lists it: 24-bit pixels take 32 bits.
uint32_t ListedDepth(uint32_t bitsPerPixel);

} // namespace Platform
