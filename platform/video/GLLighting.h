#pragma once

#include <array>
#include <cstdint>

#include "platform/video/GLApi.h"
#include "platform/video/VideoTypes.h"

namespace Platform {

// The fixed-function lights and material of the GL device. GL takes a
// light's position through the modelview matrix in force, so the device,
// which knows what is loaded, says when the lights go out. GL's colour
// tracking overwrites the material, which is therefore sent again whenever
// tracking stops or changes. Main thread.
class GLLighting {
public:
    static constexpr uint32_t kMaxLights = 8;

    // Sent at once.
    void SetMaterial(const Material& material);
    // Both false for an index past the lights, which then change nothing.
    bool SetLight(uint32_t index, const LightDescription& light);
    bool LightEnable(uint32_t index, bool enable);

    void ApplyMaterial() const;
    // Every enabled light, in world space under the modelview in force.
    void ApplyLights() const;
    // Which of the material's colours follow the vertex colours from now on.
    void ApplyMaterialSources(bool diffuse, bool ambient);

private:
    struct Light {
        LightDescription description;
        bool enabled = false;
    };

    Material material_;
    std::array<Light, kMaxLights> lights_{};
    // The material colours that follow the vertex colours; 0 for none.
    GLenum colorMaterialMode_ = 0;
};

} // namespace Platform
