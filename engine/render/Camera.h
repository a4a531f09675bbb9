#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "engine/render/Frustum.h"

#include <memory>

namespace Halvard {

class RenderSystem;
class Window;

// A position, an orientation and a lens turned into a view matrix, a
// projection, a depth-biased projection and a frustum once a frame. Every
// matrix is kept in the device's layout: a point is a row vector multiplied
// from the left, the translation lies in elements 12 to 14. The camera space
// is right-handed and the camera looks along its own -z axis. The lens is
// fixed to 4:3; in full screen on a wider or taller display the device's
// projection is widened or heightened, while the frustum and the projected
// points keep the 4:3 view. Made and owned by the CameraManager; the owner
// sets the lens fields between updates. Main thread only.
class Camera {
public:
    struct Rectangle {
        float top = 1.0f;
        float bottom = -1.0f;
        float left = -1.0f;
        float right = 1.0f;
    };

    Camera(Window* window, RenderSystem* renderSystem, bool orthographic);
    Camera(const Camera&) = delete;
    Camera& operator=(const Camera&) = delete;
    virtual ~Camera();

    // The aspect ratio is handed in by the manager but the lens ignores it.
    virtual void Update(float aspectRatio);
    virtual void Apply() {}
    virtual void ApplyZBiased() {}

    void SetPosition(const Vector3& value) { position = value; }

    bool IsOrthographic() const { return orthographic_ != 0; }
    const Matrix4& GetProjectionMatrix() const { return projection_; }
    const Matrix4& GetZBiasedProjectionMatrix() const { return zBiasedProjection_; }
    const Matrix4& GetViewMatrix() const { return view_; }
    const Rectangle& GetViewRectangle() const { return viewRectangle_; }
    const Rectangle& GetCorrectedRectangle() const { return correctedRectangle_; }
    const Vector3& GetRight() const { return right_; }
    const Vector3& GetUp() const { return up_; }
    const Vector3& GetZAxis() const { return zAxis_; }
    const Frustum& GetFrustum() const { return *frustum_; }

    float nearPlane = 1.0f;
    float farPlane = 1000.0f;
    float fieldOfView = 1.5707964f;
    float orthographicWidth = 1.0f;
    float orthographicHeight = 1.0f;
    Quaternion orientation{0.0f, 0.0f, 0.0f, 1.0f};
    Vector3 position{0.0f, 0.0f, 0.0f};

protected:
    // How much farther the z-biased projection's far plane lies.
    static constexpr float kFarBias = 1.0f;

    Window* window_;
    RenderSystem* renderSystem_;

private:
    void UpdateOrthographic();
    void UpdatePerspective();
    void UpdateView();

    u32 orthographic_;
    Matrix4 projection_;
    Matrix4 zBiasedProjection_;
    Matrix4 view_;
    Rectangle viewRectangle_;
    Rectangle correctedRectangle_;
    Vector3 right_{0.0f, 0.0f, 0.0f};
    Vector3 up_{0.0f, 0.0f, 0.0f};
    Vector3 zAxis_{0.0f, 0.0f, 0.0f};
    std::unique_ptr<Frustum> frustum_;
};

} // namespace Halvard
