#pragma once

#include "engine/render/Camera.h"

namespace Halvard {

class RenderSystem_D3D7;

// A camera that sends its projections to the device in the device's own
// form (left-handed, depth 0 to 1) and its view through the render system's
// cache. The device is looked up at every Apply, so a device reset is seen.
class Camera_D3D7 : public Camera {
public:
    Camera_D3D7(Window* window, RenderSystem_D3D7* renderSystem, bool orthographic);

    void Update(float aspectRatio) override;
    void Apply() override;
    void ApplyZBiased() override;

    const float* GetDeviceProjection() const { return deviceProjection_; }
    const float* GetDeviceZBiasedProjection() const { return deviceZBiasedProjection_; }

private:
    void Send(const char* place, const float matrix[16]);

    RenderSystem_D3D7* render_;
    float deviceProjection_[16] = {};
    float deviceZBiasedProjection_[16] = {};
};

} // namespace Halvard
