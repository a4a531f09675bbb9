#pragma once

#include "engine/core/Math.h"

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

// Whether a point on the triangle's plane lies inside the triangle; edges
// and corners count as inside. A degenerate triangle contains nothing.
bool IsPointInTriangle(const Plane& plane, const Vector3& p1, const Vector3& p2, const Vector3& p3,
                       const Vector3& point);

} // namespace Halvard
