#include "engine/render/Camera.h"

#include "engine/core/Window.h"

#include <cmath>

namespace Halvard {

namespace {

constexpr float kLensAspect = 1.3333333f;
constexpr float kLensWidth = 1.3333334f;

Matrix4 Orthographic(const Camera::Rectangle& r, float nearPlane, float farPlane)
{
    Matrix4 m;
    MatrixIdentity(m);
    m.m[0] = 2.0f / (r.right - r.left);
    m.m[5] = 2.0f / (r.top - r.bottom);
    m.m[10] = -2.0f / (farPlane - nearPlane);
    m.m[12] = -(r.right + r.left) / (r.right - r.left);
    m.m[13] = -(r.top + r.bottom) / (r.top - r.bottom);
    m.m[14] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    m.m[15] = 1.0f;
    return m;
}

Matrix4 Perspective(const Camera::Rectangle& r, float nearPlane, float farPlane)
{
    Matrix4 m = Matrix4::Zero();
    m.m[0] = 2.0f * nearPlane / (r.right - r.left);
    m.m[5] = 2.0f * nearPlane / (r.top - r.bottom);
    m.m[8] = (r.right + r.left) / (r.right - r.left);
    m.m[9] = (r.top + r.bottom) / (r.top - r.bottom);
    m.m[10] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    m.m[11] = -1.0f;
    m.m[14] = -2.0f * farPlane * nearPlane / (farPlane - nearPlane);
    return m;
}

// The lens is widened or heightened for the display only in full screen,
// where the picture fills a screen of another shape.
bool CorrectsForDisplay(const Window* window) { return window != nullptr && window->IsFullScreen(); }

} // namespace

Camera::Camera(Window* window, RenderSystem* renderSystem, bool orthographic)
    : window_(window), renderSystem_(renderSystem), orthographic_(orthographic ? 1 : 0),
      frustum_(std::make_unique<Frustum>())
{
    MatrixIdentity(projection_);
    MatrixIdentity(zBiasedProjection_);
    MatrixIdentity(view_);
}

Camera::~Camera() = default;

void Camera::Update(float)
{
    if (orthographic_ != 0)
        UpdateOrthographic();
    else
        UpdatePerspective();
    UpdateView();
    frustum_->Update(projection_, view_);
}

void Camera::UpdateOrthographic()
{
    viewRectangle_ = Rectangle{orthographicHeight, 0.0f, 0.0f, orthographicWidth};
    correctedRectangle_ = viewRectangle_;
    if (CorrectsForDisplay(window_)) {
        const float aspect = window_->GetAspectRatio();
        if (window_->IsWide()) {
            const float k = (aspect / kLensAspect - 1.0f) * orthographicWidth / 2.0f;
            correctedRectangle_.left -= k;
            correctedRectangle_.right += k;
        } else if (window_->IsTall()) {
            const float k = (1.0f - aspect / kLensAspect) * orthographicHeight / 2.0f;
            correctedRectangle_.top += k;
            correctedRectangle_.bottom -= k;
        }
    }
    projection_ = Orthographic(viewRectangle_, nearPlane, farPlane);
    zBiasedProjection_ = Orthographic(viewRectangle_, nearPlane, farPlane + kFarBias);
}

void Camera::UpdatePerspective()
{
    const float t = std::tan(kLensWidth * fieldOfView * 0.25f);
    const float top = nearPlane * t;
    viewRectangle_ = Rectangle{top, -top, -top * kLensWidth, top * kLensWidth};
    correctedRectangle_ = viewRectangle_;
    if (CorrectsForDisplay(window_)) {
        const float aspect = window_->GetAspectRatio();
        if (window_->IsWide()) {
            correctedRectangle_.left *= aspect / kLensAspect;
            correctedRectangle_.right *= aspect / kLensAspect;
        } else if (window_->IsTall()) {
            correctedRectangle_.top *= kLensAspect / aspect;
            correctedRectangle_.bottom *= kLensAspect / aspect;
        }
    }
    projection_ = Perspective(viewRectangle_, nearPlane, farPlane);
    zBiasedProjection_ = Perspective(viewRectangle_, nearPlane, farPlane + kFarBias);
}

// The inverse of the camera's placement: its rotation transposed, then the
// move back from its position.
void Camera::UpdateView()
{
    Matrix4 view;
    orientation.ToMatrix(view);
    view.Transpose();
    view.Translate(-position);
    view.Transpose();
    view_ = view;
    right_ = Vector3(view_.m[0], view_.m[4], view_.m[8]);
    up_ = Vector3(view_.m[1], view_.m[5], view_.m[9]);
    zAxis_ = Vector3(view_.m[2], view_.m[6], view_.m[10]);
    zAxis_.Normalize(1.0f);
}

} // namespace Halvard
