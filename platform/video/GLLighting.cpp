#include "platform/video/GLLighting.h"

#include <algorithm>

namespace Platform {

namespace {

constexpr float kRadiansToDegrees = 57.29578f;

std::array<GLfloat, 4> Floats(const Color& color) { return {color.r, color.g, color.b, color.a}; }

} // namespace

void GLLighting::SetMaterial(const Material& material)
{
    material_ = material;
    ApplyMaterial();
}

bool GLLighting::SetLight(uint32_t index, const LightDescription& light)
{
    if (index >= kMaxLights)
        return false;
    lights_[index].description = light;
    return true;
}

bool GLLighting::LightEnable(uint32_t index, bool enable)
{
    if (index >= kMaxLights)
        return false;
    lights_[index].enabled = enable;
    if (enable)
        glEnable(GL_LIGHT0 + index);
    else
        glDisable(GL_LIGHT0 + index);
    return true;
}

void GLLighting::ApplyMaterial() const
{
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, Floats(material_.diffuse).data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, Floats(material_.ambient).data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, Floats(material_.specular).data());
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, Floats(material_.emissive).data());
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(material_.power, 0.0f, 128.0f));
}

void GLLighting::ApplyLights() const
{
    for (uint32_t index = 0; index < kMaxLights; ++index) {
        if (!lights_[index].enabled)
            continue;
        const LightDescription& light = lights_[index].description;
        const GLenum name = GL_LIGHT0 + index;
        glLightfv(name, GL_DIFFUSE, Floats(light.diffuse).data());
        glLightfv(name, GL_SPECULAR, Floats(light.specular).data());
        glLightfv(name, GL_AMBIENT, Floats(light.ambient).data());
        const bool directional = light.type == LightType::Directional;
        const GLfloat position[4] = {directional ? -light.direction[0] : light.position[0],
                                     directional ? -light.direction[1] : light.position[1],
                                     directional ? -light.direction[2] : light.position[2], directional ? 0.0f : 1.0f};
        glLightfv(name, GL_POSITION, position);
        glLightfv(name, GL_SPOT_DIRECTION, light.direction);
        // A hard cone edge half-way between the inner and the outer cone.
        const float cutoff = (light.theta + light.phi) * 0.25f * kRadiansToDegrees;
        glLightf(name, GL_SPOT_CUTOFF, light.type == LightType::Spot ? std::min(cutoff, 90.0f) : 180.0f);
        const bool unattenuated =
            light.attenuation0 == 0.0f && light.attenuation1 == 0.0f && light.attenuation2 == 0.0f;
        glLightf(name, GL_CONSTANT_ATTENUATION, unattenuated ? 1.0f : light.attenuation0);
        glLightf(name, GL_LINEAR_ATTENUATION, light.attenuation1);
        glLightf(name, GL_QUADRATIC_ATTENUATION, light.attenuation2);
    }
}

void GLLighting::ApplyMaterialSources(bool diffuse, bool ambient)
{
    GLenum mode = 0;
    if (diffuse && ambient)
        mode = GL_AMBIENT_AND_DIFFUSE;
    else if (diffuse)
        mode = GL_DIFFUSE;
    else if (ambient)
        mode = GL_AMBIENT;
    if (mode == colorMaterialMode_)
        return;
    if (colorMaterialMode_ != 0) {
        glDisable(GL_COLOR_MATERIAL);
        ApplyMaterial();
    }
    if (mode != 0) {
        glColorMaterial(GL_FRONT_AND_BACK, mode);
        glEnable(GL_COLOR_MATERIAL);
    }
    colorMaterialMode_ = mode;
}

} // namespace Platform
