#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <cmath>
#include <limits>

namespace Halvard {

class MessageManager;

// A plain description of one device light in world space. The owner writes
// the fields directly; they reach the device at the next refresh. Made and
// owned by the LightManager, which gives it its device light index.
class Light {
public:
    enum Type : u32 { kDirectional = 0, kSpot = 1, kPoint = 2 };

    Light(MessageManager* messages, u32 deviceIndex) : messages_(messages), deviceIndex_(deviceIndex) {}
    Light(const Light&) = delete;
    Light& operator=(const Light&) = delete;
    virtual ~Light() = default;

    // Sends the description to the device.
    virtual void Refresh() {}
    virtual void ReservedSlot2() {}

    u32 GetDeviceIndex() const { return deviceIndex_; }

    u32 enabled = 1;
    u32 type = kPoint;
    Vector3 position{0.0f, 0.0f, 0.0f};
    Vector3 direction{0.0f, 0.0f, -1.0f};
    float range = std::sqrt(std::numeric_limits<float>::max());
    Vector4 ambient{1.0f, 1.0f, 1.0f, 1.0f};
    Vector4 diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    Vector4 specular{1.0f, 1.0f, 1.0f, 1.0f};
    float constantAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
    // Cone angles in radians.
    float theta = 0.0f;
    float phi = 0.0f;

protected:
    MessageManager* messages_;

private:
    u32 deviceIndex_;
};

} // namespace Halvard
