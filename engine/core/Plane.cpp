#include "engine/core/Plane.h"

#include <cmath>

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

void Plane::SetFromPoints(const Vector3& p1, const Vector3& p2, const Vector3& p3)
{
    normal_ = (p2 - p1).Cross(p3 - p1);
    d_ = -normal_.Dot(p1);
    Normalize();
}

void Plane::SetFromTriangle(const Vector3* corners) { SetFromPoints(corners[0], corners[1], corners[2]); }

void Plane::Normalize()
{
    const float length = normal_.Length();
    if (length < kEpsilon)
        return;
    normal_ /= length;
    d_ /= length;
}

bool Plane::IntersectRay(const Ray& ray, float& t) const
{
    const float den = normal_.Dot(ray.direction);
    if (std::fabs(den) < kEpsilon)
        return false;
    t = -(normal_.Dot(ray.origin) + d_) / den;
    return t > 0.0f;
}

namespace {

struct Flat {
    float u, v;
};

// Projects onto the two axes along which the plane's normal is smallest, so
// the projected triangle keeps the largest area. x wins ties, then y.
Flat Project(const Vector3& p, int dropped)
{
    switch (dropped) {
    case 0:
        return Flat{p.y, p.z};
    case 1:
        return Flat{p.x, p.z};
    default:
        return Flat{p.x, p.y};
    }
}

int DroppedAxis(const Vector3& normal)
{
    const float a = std::fabs(normal.x);
    const float b = std::fabs(normal.y);
    const float c = std::fabs(normal.z);
    const float m = std::fmax(a, std::fmax(b, c));
    if (std::fabs(a - m) <= kEpsilon)
        return 0;
    if (std::fabs(b - m) <= kEpsilon)
        return 1;
    return 2;
}

} // namespace

bool IsPointInTriangle(const Plane& plane, const Vector3& p1, const Vector3& p2, const Vector3& p3,
                       const Vector3& point)
{
    const int dropped = DroppedAxis(plane.GetNormal());
    const Flat w = Project(point - p1, dropped);
    const Flat e1 = Project(p2 - p1, dropped);
    const Flat e2 = Project(p3 - p1, dropped);
    const bool alongU = std::fabs(e1.u) >= kEpsilon;
    const float s = alongU ? (w.v * e1.u - w.u * e1.v) / (e2.v * e1.u - e2.u * e1.v) : w.u / e2.u;
    // Written so that a NaN from a degenerate triangle fails every test.
    if (!(s >= 0.0f && s <= 1.0f))
        return false;
    const float r = alongU ? (w.u - s * e2.u) / e1.u : (w.v - s * e2.v) / e1.v;
    if (!(r >= 0.0f))
        return false;
    return r + s <= 1.0f;
}

} // namespace Halvard
