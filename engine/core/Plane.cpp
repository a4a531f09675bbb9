#include "engine/core/Plane.h"

namespace Halvard {

void Plane::Set(float a, float b, float c, float d)
{
    normal_ = Vector3(a, b, c);
    d_ = d;
    Normalize();
}

void Plane::SetNormalAndPoint(const Vector3& normal, const Vector3& point)
{
    normal_ = normal;
    d_ = -normal.Dot(point);
    Normalize();
}

void Plane::SetFromTriangle(const Vector3* corners) { SetFromPoints(corners[0], corners[1], corners[2]); }

} // namespace Halvard
