#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <vector>

namespace Halvard {

class Light;
class MessageManager;
class RenderSystem;

// Owns the lights in a slot table whose freed slots are reused, gives each
// the smallest device light index no live light uses, keeps the scene's
// ambient colour and sends both to the device once a frame. The number of
// lights is not checked against the device: a light beyond the device's
// lights logs a device failure at every refresh. Main thread only.
class LightManager {
public:
    LightManager(MessageManager* messages, RenderSystem* renderSystem);
    LightManager(const LightManager&) = delete;
    LightManager& operator=(const LightManager&) = delete;
    virtual ~LightManager();

    // The manager owns the light until DestroyLight.
    Light* CreateLight();
    // Null and lights of no live slot are ignored; the device light goes off.
    void DestroyLight(Light* light);
    void SetAmbientColor(const Vector4& color) { ambientColor_ = color; }
    // Once a frame: the ambient colour, then every live light in creation
    // order.
    void Update();
    // Device lighting on or off for the next drawing; sent only on a change.
    void SetLighting(bool on);

    const Vector4& GetAmbientColor() const { return ambientColor_; }
    const std::vector<Light*>& GetSlots() const { return slots_; }
    const std::vector<u32>& GetLiveSlots() const { return liveSlots_; }

private:
    u32 FreeDeviceIndex() const;

    MessageManager* messages_;
    RenderSystem* renderSystem_;
    std::vector<u32> freeSlots_;
    std::vector<u32> liveSlots_;
    std::vector<Light*> slots_;
    Vector4 ambientColor_{0.0f, 0.0f, 0.0f, 1.0f};
};

} // namespace Halvard
