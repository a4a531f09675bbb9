#pragma once

#include "engine/core/Math.h"

#include <cmath>

namespace Halvard {

// A plane kept normalised after every setter, so GetDistance is a true
// signed distance. A degenerate plane (normal shorter than the tolerance)
// stays as it was given.
class Plane {
public:
    Plane() : normal_(0.0f) {}
    Plane(const Plane&) = default;
    Plane& operator=(const Plane&) = default;
    virtual ~Plane() = default;

    float GetA() const { return normal_.x; }
    float GetB() const { return normal_.y; }
    float GetC() const { return normal_.z; }
    float GetD() const { return d_; }
    const Vector3& GetNormal() const { return normal_; }

    void Set(float a, float b, float c, float d);
    void SetNormalAndPoint(const Vector3& normal, const Vector3& point);
    // The normal follows the right-hand rule over p1, p2, p3.
    void SetFromPoints(const Vector3& p1, const Vector3& p2, const Vector3& p3);
    // Three consecutive corners.
    void SetFromTriangle(const Vector3* corners);
    void Normalize();

    float GetDistance(const Vector3& point) const { return normal_.Dot(point) + d_; }
    Vector3 ProjectPoint(const Vector3& point) const { return point - normal_ * GetDistance(point); }
    // True only for a hit in front of the origin (t > 0); t is in units of
    // the ray's direction and is stored unless the ray runs parallel.
    bool IntersectRay(const Ray& ray, float& t) const;

private:
    Vector3 normal_;
    float d_ = 0.0f;
};

// What a model's ray test runs for each of its triangles is defined here, so
// that the compiler builds it into that loop.

inline void Plane::SetFromPoints(const Vector3& p1, const Vector3& p2, const Vector3& p3)
{
    normal_ = (p2 - p1).Cross(p3 - p1);
    d_ = -normal_.Dot(p1);
    Normalize();
}

inline void Plane::Normalize()
{
    const float length = normal_.Length();
    if (length < kEpsilon)
        return;
    normal_ /= length;
    d_ /= length;
}

inline bool Plane::IntersectRay(const Ray& ray, float& t) const
{
    const float den = normal_.Dot(ray.direction);
    if (std::fabs(den) < kEpsilon)
        return false;
    t = -(normal_.Dot(ray.origin) + d_) / den;
    return t > 0.0f;
}

namespace PlaneTriangle {

struct Flat {
    float u, v;
};

// Projects onto the two axes along which the plane's normal is smallest, so
// the projected triangle keeps the largest area. x wins ties, then y.
inline Flat Project(const Vector3& p, int dropped)
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

inline int DroppedAxis(const Vector3& normal)
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

} // namespace PlaneTriangle

// Whether a point on the triangle's plane lies inside the triangle; edges
// and corners count as inside. A degenerate triangle contains nothing.
inline bool IsPointInTriangle(const Plane& plane, const Vector3& p1, const Vector3& p2, const Vector3& p3,
                              const Vector3& point)
{
    using PlaneTriangle::Flat;
    using PlaneTriangle::Project;
    const int dropped = PlaneTriangle::DroppedAxis(plane.GetNormal());
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
