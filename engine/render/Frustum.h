#pragma once

#include "engine/core/Plane.h"
#include "engine/core/Types.h"

namespace Halvard {

class BoundingBox;
struct Matrix4;

// The six planes of a camera's view volume, their normals pointing inward:
// right, left, bottom, top, far, near.
class Frustum {
public:
    enum PlaneIndex { kRight, kLeft, kBottom, kTop, kFar, kNear, kPlaneCount };

    Frustum() = default;
    virtual ~Frustum() = default;

    // From a projection and a view in the device's layout.
    void Update(const Matrix4& projection, const Matrix4& view);
    // A volume thinner than 0.001 is never visible; one that only touches a
    // plane from outside is not visible either.
    bool IsVisible(const BoundingBox& volume) const;
    bool IsVisible(const Vector3& centre, float radius) const;

    const Plane& GetPlane(u32 index) const { return planes_[index]; }

private:
    Plane planes_[kPlaneCount];
};

} // namespace Halvard
