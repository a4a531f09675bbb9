#pragma once

#include "engine/core/Math.h"

namespace Halvard {

// An axis-aligned box in its own space with a transform; the world box, its
// centre, half size and sphere radius are kept in step by every setter.
class BoundingBox {
public:
    BoundingBox();
    BoundingBox(const Vector3& min, const Vector3& max);
    BoundingBox(unsigned count, const Vector3* points);
    BoundingBox(const BoundingBox& other);
    BoundingBox& operator=(const BoundingBox& other);

    void Copy(const BoundingBox& other);
    const Matrix4& GetTransform() const { return transform_; }
    void SetTransform(const Matrix4& transform);
    void SetMinMax(const Vector3& min, const Vector3& max);
    void SetFromPoints(unsigned count, const Vector3* points);
    void Merge(const BoundingBox& other);

    // Touching boxes overlap.
    bool Intersects(const BoundingBox& other) const;
    // The segment runs from the ray's origin to origin + direction.
    bool IntersectsSegment(const Ray& segment) const;
    BoundingBox GetScaled(float factor) const;

    const Vector3& GetLocalMin() const { return localMin_; }
    const Vector3& GetLocalMax() const { return localMax_; }
    const Vector3& GetWorldMin() const { return worldMin_; }
    const Vector3& GetWorldMax() const { return worldMax_; }
    const Vector3& GetCenter() const { return center_; }
    const Vector3& GetHalfSize() const { return halfSize_; }
    float GetRadius() const { return radius_; }

private:
    void Update(bool withTransform);

    Vector3 localMin_;
    Vector3 localMax_;
    Matrix4 transform_;
    Matrix4 secondMatrix_;
    Vector3 worldMin_;
    Vector3 worldMax_;
    Vector3 center_;
    Vector3 halfSize_;
    float radius_;
};

BoundingBox InterpolateBoundingBox(const BoundingBox& a, const BoundingBox& b, float t);

} // namespace Halvard
