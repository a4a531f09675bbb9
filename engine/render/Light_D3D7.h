#pragma once

#include "engine/render/Light.h"

namespace Halvard {

class RenderSystem_D3D7;

// A light that owns one device light index and sends its whole description
// at every refresh; its device light goes off when it is deleted. An index
// beyond the device's lights is a logged device failure, nothing worse.
class Light_D3D7 : public Light {
public:
    Light_D3D7(MessageManager* messages, RenderSystem_D3D7* renderSystem, u32 deviceIndex);
    ~Light_D3D7() override;

    void Refresh() override;
    void DisableLight();

private:
    RenderSystem_D3D7* render_;
};

} // namespace Halvard
