#include "engine/render/Frustum.h"

#include "engine/core/BoundingBox.h"

namespace Halvard {

void Frustum::Update(const Matrix4& projection, const Matrix4& view)
{
    const Matrix4 clip = view * projection;
    const float* c = clip.m;
    planes_[kRight].Set(c[3] - c[0], c[7] - c[4], c[11] - c[8], c[15] - c[12]);
    planes_[kLeft].Set(c[3] + c[0], c[7] + c[4], c[11] + c[8], c[15] + c[12]);
    planes_[kBottom].Set(c[3] + c[1], c[7] + c[5], c[11] + c[9], c[15] + c[13]);
    planes_[kTop].Set(c[3] - c[1], c[7] - c[5], c[11] - c[9], c[15] - c[13]);
    planes_[kFar].Set(c[3] - c[2], c[7] - c[6], c[11] - c[10], c[15] - c[14]);
    planes_[kNear].Set(c[3] + c[2], c[7] + c[6], c[11] + c[10], c[15] + c[14]);
}

bool Frustum::IsVisible(const BoundingBox& volume) const { return IsVisible(volume.GetCenter(), volume.GetRadius()); }

bool Frustum::IsVisible(const Vector3& centre, float radius) const
{
    // Written so that a radius that is not a number is rejected too.
    if (!(radius >= 0.001f))
        return false;
    for (const Plane& plane : planes_) {
        if (-radius >= plane.GetDistance(centre))
            return false;
    }
    return true;
}

} // namespace Halvard
