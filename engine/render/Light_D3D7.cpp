#include "engine/render/Light_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"

namespace Halvard {

namespace {

Platform::Color ToColor(const Vector4& v) { return Platform::Color{v.x, v.y, v.z, v.w}; }

void Copy(const Vector3& v, float out[3])
{
    out[0] = v.x;
    out[1] = v.y;
    out[2] = v.z;
}

} // namespace

Light_D3D7::Light_D3D7(MessageManager* messages, RenderSystem_D3D7* renderSystem, u32 deviceIndex)
    : Light(messages, deviceIndex), render_(renderSystem)
{
}

Light_D3D7::~Light_D3D7() { DisableLight(); }

void Light_D3D7::DisableLight()
{
    render_->CheckResult("Light_D3D7::DisableLight", render_->GetDevice()->LightEnable(GetDeviceIndex(), false));
}

void Light_D3D7::Refresh()
{
    if (enabled == 0) {
        DisableLight();
        return;
    }
    Platform::LightDescription light;
    light.direction[2] = 0.0f;
    light.diffuse = ToColor(diffuse);
    light.specular = ToColor(specular);
    light.ambient = ToColor(ambient);
    light.range = range;
    switch (type) {
    case kDirectional:
        light.type = Platform::LightType::Directional;
        Copy(direction, light.direction);
        break;
    case kSpot:
        light.type = Platform::LightType::Spot;
        Copy(position, light.position);
        Copy(direction, light.direction);
        light.attenuation0 = constantAttenuation;
        light.attenuation1 = linearAttenuation;
        light.attenuation2 = quadraticAttenuation;
        light.theta = theta;
        light.phi = phi;
        light.falloff = 1.0f;
        break;
    default:
        light.type = Platform::LightType::Point;
        Copy(position, light.position);
        light.attenuation0 = constantAttenuation;
        light.attenuation1 = linearAttenuation;
        light.attenuation2 = quadraticAttenuation;
        break;
    }
    Platform::Device3D* device = render_->GetDevice();
    const char* place = "Light_D3D7::Refresh";
    render_->CheckResult(place, device->SetLight(GetDeviceIndex(), light));
    render_->CheckResult(place, device->LightEnable(GetDeviceIndex(), true));
}

} // namespace Halvard
