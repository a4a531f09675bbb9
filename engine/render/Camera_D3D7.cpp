#include "engine/render/Camera_D3D7.h"

#include "engine/render/RenderSystem_D3D7.h"

namespace Halvard {

namespace {

Matrix4 DeviceOrthographic(const Camera::Rectangle& r, float n, float f)
{
    Matrix4 m = Matrix4::Zero();
    m.m[0] = 2.0f / (r.right - r.left);
    m.m[5] = 2.0f / (r.top - r.bottom);
    m.m[10] = 1.0f / (n - f);
    m.m[12] = -(r.right + r.left) / (r.right - r.left);
    m.m[13] = -(r.top + r.bottom) / (r.top - r.bottom);
    m.m[14] = n / (n - f);
    m.m[15] = 1.0f;
    return m;
}

Matrix4 DevicePerspective(const Camera::Rectangle& r, float n, float f)
{
    Matrix4 m = Matrix4::Zero();
    m.m[0] = 2.0f * n / (r.right - r.left);
    m.m[5] = 2.0f * n / (r.top - r.bottom);
    m.m[8] = (r.right + r.left) / (r.left - r.right);
    m.m[9] = (r.top + r.bottom) / (r.bottom - r.top);
    m.m[10] = f / (f - n);
    m.m[11] = 1.0f;
    m.m[14] = f * n / (n - f);
    return m;
}

} // namespace

Camera_D3D7::Camera_D3D7(Window* window, RenderSystem_D3D7* renderSystem, bool orthographic)
    : Camera(window, renderSystem, orthographic), render_(renderSystem)
{
}

void Camera_D3D7::Update(float aspectRatio)
{
    Camera::Update(aspectRatio);
    const Rectangle& r = GetCorrectedRectangle();
    const auto make = IsOrthographic() ? DeviceOrthographic : DevicePerspective;
    RenderSystem_D3D7::ConvertMatrix(make(r, nearPlane, farPlane), deviceProjection_);
    RenderSystem_D3D7::ConvertMatrix(make(r, nearPlane, farPlane + kFarBias), deviceZBiasedProjection_);
}

void Camera_D3D7::Apply() { Send("Camera_D3D7::Apply", deviceProjection_); }

void Camera_D3D7::ApplyZBiased() { Send("Camera_D3D7::ApplyZBiased", deviceZBiasedProjection_); }

void Camera_D3D7::Send(const char* place, const float matrix[16])
{
    render_->CheckResult(place, render_->GetDevice()->SetTransform(Platform::TransformState::Projection, matrix));
    render_->SetViewMatrix(GetViewMatrix());
}

} // namespace Halvard
