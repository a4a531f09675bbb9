#include "engine/core/BoundingBox.h"

#include <cmath>

namespace Halvard {

namespace {

const Vector3 kEmptyMin(100000.0f);
const Vector3 kEmptyMax(-100000.0f);

void Widen(Vector3& min, Vector3& max, const Vector3& p)
{
    min = Vector3Minimize(min, p);
    max = Vector3Maximize(max, p);
}

Vector3 Abs(const Vector3& v) { return Vector3(std::fabs(v.x), std::fabs(v.y), std::fabs(v.z)); }

} // namespace

BoundingBox::BoundingBox()
    : localMin_(0.0f), localMax_(0.0f), transform_{}, secondMatrix_{}, worldMin_(0.0f), worldMax_(0.0f),
      center_(0.0f), halfSize_(0.0f), radius_(0.0f)
{
}

BoundingBox::BoundingBox(const Vector3& min, const Vector3& max) : BoundingBox() { SetMinMax(min, max); }

BoundingBox::BoundingBox(unsigned count, const Vector3* points) : BoundingBox() { SetFromPoints(count, points); }

BoundingBox::BoundingBox(const BoundingBox& other) : BoundingBox() { Copy(other); }

BoundingBox& BoundingBox::operator=(const BoundingBox& other)
{
    Copy(other);
    return *this;
}

void BoundingBox::Copy(const BoundingBox& other)
{
    localMin_ = other.localMin_;
    localMax_ = other.localMax_;
    transform_ = other.transform_;
    secondMatrix_ = other.secondMatrix_;
    worldMin_ = other.worldMin_;
    worldMax_ = other.worldMax_;
    center_ = other.center_;
    halfSize_ = other.halfSize_;
    radius_ = other.radius_;
}

void BoundingBox::SetTransform(const Matrix4& transform)
{
    transform_ = transform;
    Update(true);
}

void BoundingBox::SetMinMax(const Vector3& min, const Vector3& max)
{
    localMin_ = min;
    localMax_ = max;
    Update(false);
}

void BoundingBox::SetFromPoints(unsigned count, const Vector3* points)
{
    localMin_ = kEmptyMin;
    localMax_ = kEmptyMax;
    for (unsigned i = 0; i < count; ++i)
        Widen(localMin_, localMax_, points[i]);
    Update(false);
}

void BoundingBox::Merge(const BoundingBox& other)
{
    Vector3 min = worldMin_;
    Vector3 max = worldMax_;
    Widen(min, max, other.worldMin_);
    Widen(min, max, other.worldMax_);
    SetMinMax(min, max);
}

void BoundingBox::Update(bool withTransform)
{
    if (withTransform) {
        const Vector3& a = localMin_;
        const Vector3& b = localMax_;
        const Vector3 corners[8] = {
            Vector3(a.x, a.y, a.z), Vector3(b.x, a.y, a.z), Vector3(b.x, b.y, a.z), Vector3(b.x, a.y, b.z),
            Vector3(b.x, b.y, b.z), Vector3(a.x, b.y, a.z), Vector3(a.x, b.y, b.z), Vector3(a.x, a.y, b.z),
        };
        worldMin_ = kEmptyMin;
        worldMax_ = kEmptyMax;
        for (const Vector3& corner : corners) {
            Vector3 world;
            transform_.TransformPointTo(corner, world);
            Widen(worldMin_, worldMax_, world);
        }
    } else {
        MatrixIdentity(transform_);
        MatrixIdentity(secondMatrix_);
        worldMin_ = localMin_;
        worldMax_ = localMax_;
    }
    halfSize_ = (worldMax_ - worldMin_) * 0.5f;
    center_ = worldMin_ + halfSize_;
    radius_ = halfSize_.Length();
}

bool BoundingBox::Intersects(const BoundingBox& other) const
{
    const Vector3 dc = Abs(other.center_ - center_);
    const Vector3 reach = halfSize_ + other.halfSize_;
    return dc.x <= reach.x && dc.y <= reach.y && dc.z <= reach.z;
}

bool BoundingBox::IntersectsSegment(const Ray& segment) const
{
    const Vector3 mid = segment.origin + segment.direction * 0.5f;
    const Vector3 dir = segment.direction.GetNormalized();
    const float hl = segment.direction.Length() * 0.5f;
    const Vector3 d = mid - center_;
    const Vector3& h = halfSize_;
    const Vector3 ad = Abs(dir);
    if (std::fabs(d.x) > hl * ad.x + h.x || std::fabs(d.y) > hl * ad.y + h.y || std::fabs(d.z) > hl * ad.z + h.z)
        return false;
    if (std::fabs(d.y * dir.z - d.z * dir.y) > h.y * ad.z + h.z * ad.y)
        return false;
    if (std::fabs(d.z * dir.x - d.x * dir.z) > h.x * ad.z + h.z * ad.x)
        return false;
    return std::fabs(d.x * dir.y - d.y * dir.x) <= h.x * ad.y + h.y * ad.x;
}

BoundingBox BoundingBox::GetScaled(float factor) const
{
    return BoundingBox(center_ - halfSize_ * factor, center_ + halfSize_ * factor);
}

BoundingBox InterpolateBoundingBox(const BoundingBox& a, const BoundingBox& b, float t)
{
    const Vector3 centre = a.GetCenter() * (1.0f - t) + b.GetCenter() * t;
    const Vector3 half = a.GetHalfSize() * (1.0f - t) + b.GetHalfSize() * t;
    return BoundingBox(centre - half, centre + half);
}

} // namespace Halvard
