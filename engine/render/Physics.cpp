#include "engine/render/Physics.h"

#include "engine/core/MessageManager.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Halvard {

namespace {

constexpr float kTolerance = 0.0001f;
constexpr float kSnap = 0.0002f;
// Transformed boxes are found however far above or below the ball's plane
// they stand.
constexpr float kDepthReach = 1000.0f;

// Like Plane::IntersectRay, but the parameter is kept for hits just behind
// the origin too: a sphere resting against a plane meets it at distance 0.
bool RayParameter(const Plane& plane, const Ray& ray, float& t)
{
    const float den = plane.GetNormal().Dot(ray.direction);
    if (std::fabs(den) < kTolerance)
        return false;
    t = -(plane.GetNormal().Dot(ray.origin) + plane.GetD()) / den;
    return true;
}

// Bit for bit, so that an object registered again counts as unchanged only
// when every result made from it would be the same.
template <class Value>
bool Same(const Value& a, const Value& b)
{
    return std::memcmp(&a, &b, sizeof(Value)) == 0;
}

bool SameExtent(const BoundingBox& a, const BoundingBox& b)
{
    return Same(a.GetWorldMin(), b.GetWorldMin()) && Same(a.GetWorldMax(), b.GetWorldMax());
}

bool SameShape(const BoundingBox& a, const BoundingBox& b)
{
    return Same(a.GetLocalMin(), b.GetLocalMin()) && Same(a.GetLocalMax(), b.GetLocalMax());
}

// The excluded ids of one move flagged in the bit set, and unflagged when the
// move ends, however it ends.
class ExcludedFlags {
public:
    ExcludedFlags(u64* bits, bool& beyond, const std::vector<u32>& excluded)
        : bits_(bits), excluded_(excluded)
    {
        beyond = false;
        for (u32 id : excluded) {
            if (id < Physics::kFlaggedIds)
                bits_[id / 64] |= u64{1} << (id % 64);
            else
                beyond = true;
        }
    }
    ~ExcludedFlags()
    {
        for (u32 id : excluded_) {
            if (id < Physics::kFlaggedIds)
                bits_[id / 64] &= ~(u64{1} << (id % 64));
        }
    }
    ExcludedFlags(const ExcludedFlags&) = delete;
    ExcludedFlags& operator=(const ExcludedFlags&) = delete;

private:
    u64* bits_;
    const std::vector<u32>& excluded_;
};

} // namespace

Physics::Physics(MessageManager* messages)
    : messages_(messages), contacts_(new PhysicsContact[kMaxContacts]),
      objects_(new PhysicsObject[kMaxObjects]), broadPhase_(kMaxObjects),
      excludedBits_(new u64[kFlaggedIds / 64]()), corners_(new Vector3[kMaxTriangles * 3]),
      planes_(new Plane[kMaxTriangles]), owners_(new u32[kMaxTriangles])
{
    std::fill(corners_.get(), corners_.get() + kMaxTriangles * 3, Vector3(0.0f));
}

PhysicsObject& Physics::NextObject()
{
    if (objectCount_ >= kMaxObjects)
        messages_->LogFatal("Physics: objects buffer overflow");
    return objects_[objectCount_++];
}

void Physics::Registered(const PhysicsObject& object) { broadPhase_.Place(objectCount_ - 1, object.worldBox); }

u32 Physics::AddModelObject(Model* model, const Matrix4& transform, u32 id)
{
    PhysicsObject& object = NextObject();
    if (object.id == id && object.model == model && Same(object.transform, transform) &&
        SameShape(object.box, model->boundingBox))
        return objectCount_;
    object.id = id;
    object.box = model->boundingBox;
    object.model = model;
    object.transformed = true;
    object.transform = transform;
    object.worldBox = object.box;
    object.worldBox.SetTransform(transform);
    Registered(object);
    return objectCount_;
}

u32 Physics::AddTransformedObject(const BoundingBox& box, const Matrix4& transform, u32 id)
{
    PhysicsObject& object = NextObject();
    if (object.id == id && object.model == nullptr && object.transformed && Same(object.transform, transform) &&
        SameShape(object.box, box) && SameExtent(object.box, box))
        return objectCount_;
    object.id = id;
    object.box = box;
    object.model = nullptr;
    object.transformed = true;
    object.transform = transform;
    object.worldBox = box;
    object.worldBox.SetTransform(transform);
    object.worldBox.SetMinMax(object.worldBox.GetWorldMin() - Vector3(0.0f, 0.0f, kDepthReach),
                              object.worldBox.GetWorldMax() + Vector3(0.0f, 0.0f, kDepthReach));
    Registered(object);
    return objectCount_;
}

// A static box is read only through its world extent.
void Physics::AddStaticObject(const BoundingBox& box, u32 id)
{
    PhysicsObject& object = NextObject();
    if (object.id == id && object.model == nullptr && !object.transformed && SameExtent(object.worldBox, box))
        return;
    object.id = id;
    object.box = box;
    object.model = nullptr;
    object.transformed = false;
    object.worldBox = box;
    Registered(object);
}

bool Physics::IsListed(u32 id, const std::vector<u32>& excluded)
{
    return std::find(excluded.begin(), excluded.end(), id) != excluded.end();
}

// In table order.
void Physics::AddNearTriangles(const BoundingBox& swept, const std::vector<u32>& excluded)
{
    broadPhase_.ForEachNear(swept, objectCount_, [&](u32 slot) {
        if (!IsExcluded(objects_[slot].id, excluded))
            AddObjectTriangles(objects_[slot]);
    });
}

bool Physics::Move(float radius, const Vector3& position, const Vector2& displacement,
                   const std::vector<u32>& excluded, Vector2& newPosition, Plane& plane, u32& objectId)
{
    collided_ = false;
    if (!(radius > 0.0f)) {
        newPosition = Vector2(position.x, position.y);
        return false;
    }
    radius_ = radius;
    const Vector3 scale(radius);
    const Ray ray(position / scale, Vector3(displacement.x / radius, displacement.y / radius, 0.0f));
    MotionState state;

    const Vector3 d(displacement.x, displacement.y, 0.0f);
    const Vector3 corners[4] = {position + scale, position - scale, position + scale + d, position - scale + d};
    const BoundingBox swept = BoundingBox(4, corners).GetScaled(1.1f);

    triangleCount_ = 0;
    const ExcludedFlags flags(excludedBits_.get(), excludedBeyondBits_, excluded);
    AddNearTriangles(swept, excluded);

    Sweep(ray, state);
    const Vector3 moved = state.position * scale;
    newPosition = Vector2(moved.x, moved.y);
    if (collided_) {
        plane = contactPlane_;
        objectId = hitObjectId_;
    }
    return collided_;
}

void Physics::AddObjectTriangles(const PhysicsObject& object)
{
    if (object.model != nullptr)
        AddModelTriangles(object);
    else
        AddBoxTriangles(object);
}

// Strips keep one winding for every triangle, as the model files are made.
void Physics::AddModelTriangles(const PhysicsObject& object)
{
    const IndexBuffer& indices = object.model->GetIndexBuffer();
    const VertexBuffer& vertices = object.model->GetVertexBuffer();
    const bool list = (object.model->GetFlags() & Model::kTriangleList) != 0;
    const u32 indexCount = indices.GetIndexCount();
    const u32 count = list ? indexCount / 3 : (indexCount < 3 ? 0 : indexCount - 2);
    const u32 stride = vertices.GetStride();
    const auto corner = [&](u32 position) {
        float p[3];
        std::memcpy(p, vertices.GetData() + static_cast<std::size_t>(indices.ReadIndex(position)) * stride,
                    sizeof p);
        const Vector3 point(p[0], p[1], p[2]);
        return object.transformed ? object.transform.TransformPoint(point) : point;
    };
    for (u32 i = 0; i < count; ++i) {
        const u32 first = list ? 3 * i : i;
        AddTriangle(corner(first), corner(first + 1), corner(first + 2), object.id);
    }
}

void Physics::AddBoxTriangles(const PhysicsObject& object)
{
    const Vector3& a = object.box.GetWorldMin();
    const Vector3& b = object.box.GetWorldMax();
    Vector3 c[8] = {
        Vector3(b.x, b.y, b.z), Vector3(b.x, b.y, a.z), Vector3(a.x, b.y, a.z), Vector3(a.x, b.y, b.z),
        Vector3(a.x, a.y, a.z), Vector3(b.x, a.y, a.z), Vector3(b.x, a.y, b.z), Vector3(a.x, a.y, b.z),
    };
    // Each corner is brought to unit-sphere space once for its six triangles.
    for (Vector3& corner : c)
        corner = (object.transformed ? object.transform.TransformPoint(corner) : corner) / radius_;
    // The order of each triple makes every face look outwards.
    static constexpr int kFaces[12][3] = {
        {0, 1, 2}, {2, 3, 0}, {4, 5, 6}, {6, 7, 4}, {3, 2, 4}, {4, 7, 3},
        {5, 1, 0}, {0, 6, 5}, {6, 0, 3}, {7, 6, 3}, {2, 1, 5}, {2, 5, 4},
    };
    for (const auto& face : kFaces)
        AddUnitTriangle(c[face[0]], c[face[1]], c[face[2]], object.id);
}

void Physics::AddTriangle(const Vector3& c1, const Vector3& c2, const Vector3& c3, u32 id)
{
    AddUnitTriangle(c1 / radius_, c2 / radius_, c3 / radius_, id);
}

void Physics::AddUnitTriangle(const Vector3& c1, const Vector3& c2, const Vector3& c3, u32 id)
{
    if (triangleCount_ >= kMaxTriangles)
        messages_->LogFatal("Physics: triangles buffer overflow");
    Vector3* stored = &corners_[triangleCount_ * 3];
    stored[0] = c1;
    stored[1] = c2;
    stored[2] = c3;
    planes_[triangleCount_].SetFromTriangle(stored);
    owners_[triangleCount_] = id;
    ++triangleCount_;
}

void Physics::SelectTriangle(u32 index)
{
    current_ = &corners_[index * 3];
    currentPlane_ = &planes_[index];
}

void Physics::Sweep(const Ray& ray, MotionState& state)
{
    state.SetPosition(ray.origin);
    const Vector3 velocity = state.SetVelocity(ray.direction).velocity;
    FindContacts(state);
    collided_ = contactCount_ > 0;
    if (!collided_) {
        state.position += state.velocity;
        return;
    }
    const PhysicsContact& first = contacts_[0];
    if (first.kind == PhysicsContact::kEmbedded) {
        state.position -= first.plane.GetNormal() * first.distance;
        contactPlane_.Set(first.plane.GetA(), first.plane.GetB(), first.plane.GetC(), first.plane.GetD() * radius_);
    } else {
        state.position += velocity.GetNormalized() * first.distance;
        const Vector3* c = &corners_[first.triangle * 3];
        contactPlane_.SetFromPoints(c[0] * radius_, c[1] * radius_, c[2] * radius_);
    }
    hitTriangle_ = first.triangle;
    hitObjectId_ = owners_[hitTriangle_];
    state.velocity = velocity;
}

void Physics::FindContacts(const MotionState& state)
{
    contactCount_ = 0;
    const Vector3& p = state.position;
    const Vector3& v = state.velocity;
    const Vector3 u = v.GetNormalized();
    for (u32 i = 0; i < triangleCount_; ++i) {
        SelectTriangle(i);
        PhysicsContact candidate;
        candidate.triangle = i;
        if (!FindContact(p, v, u, candidate))
            continue;
        if (Record(candidate))
            return;
    }
}

bool Physics::FindContact(const Vector3& p, const Vector3& v, const Vector3& u, PhysicsContact& candidate) const
{
    // Only front faces count.
    const float height = currentPlane_->GetDistance(p);
    if (height <= 0.0f)
        return false;
    Vector3 q;
    if (IsSphereEmbedded(p, 1.0f, q)) {
        candidate.kind = PhysicsContact::kEmbedded;
        candidate.point = q;
        candidate.distance = (q - p).Length() - 1.0f;
        candidate.plane.SetNormalAndPoint(p - q, q);
        return true;
    }
    const Vector3& normal = currentPlane_->GetNormal();
    const Vector3 s = p - normal;
    float t = 0.0f;
    Vector3 h;
    if (RayParameter(*currentPlane_, Ray(s, u), t) && t > -kSnap) {
        h = s + u * t;
    } else if (height < 1.0f) {
        // The sphere already reaches through the plane: it touches the face
        // now, or may still meet the triangle's edges and corners.
        h = p - normal * height;
        t = 0.0f;
    } else {
        return false;
    }
    if (IsPointInCurrentTriangle(h)) {
        candidate.kind = PhysicsContact::kFace;
        candidate.point = h;
        candidate.distance = t;
        candidate.plane = *currentPlane_;
    } else if (!FindPerimeterContact(p, v, u, h, candidate)) {
        return false;
    }
    return Admit(candidate, v, u);
}

bool Physics::FindPerimeterContact(const Vector3& p, const Vector3& v, const Vector3& u, const Vector3& h,
                                   PhysicsContact& candidate) const
{
    Vector3 a, b;
    bool onEdge = false;
    const Vector3 c = ClosestPointOnPerimeter(h, a, b, onEdge);
    if (onEdge)
        return FindEdgeContact(p, u, a, b, c, candidate);

    float t = 0.0f;
    if (!IntersectRaySphere(Ray(c, -u), p, t))
        return false;
    const Vector3 w = c - u * t;
    candidate.plane.SetNormalAndPoint(p - w, c);
    const Plane& plane = candidate.plane;
    if (v.Dot(p - c) > 0.0f || plane.GetNormal().Dot(currentPlane_->GetNormal()) < 0.0f ||
        plane.GetDistance(a) > 0.0f || plane.GetDistance(b) > 0.0f)
        return false;
    candidate.kind = PhysicsContact::kVertex;
    candidate.point = c;
    candidate.distance = t;
    return true;
}

bool Physics::FindEdgeContact(const Vector3& p, const Vector3& u, const Vector3& a, const Vector3& b,
                              const Vector3& c, PhysicsContact& candidate) const
{
    const Vector3 edge = b - a;
    Plane e1;
    e1.SetNormalAndPoint(u.Cross(edge.GetNormalized()), b);
    const Vector3 projected = e1.ProjectPoint(p);
    if ((projected - p).Length() > 1.0f - kTolerance)
        return false;
    const Vector3 q = ClosestPointOnLine(a, b, projected);
    float t = 0.0f;
    const Vector3 towards = (projected - q).GetNormalized();
    if (!IntersectRaySphere(Ray(q, towards), p, t))
        return false;
    const Vector3 hit = q + towards * t;

    Plane e2;
    e2.SetNormalAndPoint(edge.Cross(u).Cross(edge).GetNormalized(), a);
    // The parameter stays the sphere's when the ray runs parallel to the plane.
    e2.IntersectRay(Ray(hit, u), t);
    if (!IsPointOnSegment(a, b, hit + u * t))
        return false;

    candidate.plane.SetNormalAndPoint(p - hit, c);
    const Vector3 centroid = (current_[0] + current_[1] + current_[2]) / 3.0f;
    if (candidate.plane.GetDistance(centroid) > 0.0f ||
        candidate.plane.GetNormal().Dot(currentPlane_->GetNormal()) < 0.0f)
        return false;
    float travel = 0.0f;
    if (!RayParameter(candidate.plane, Ray(hit, u), travel) || travel <= -kSnap)
        return false;
    candidate.kind = PhysicsContact::kEdge;
    candidate.point = c;
    candidate.distance = travel;
    return true;
}

bool Physics::Admit(PhysicsContact& candidate, const Vector3& v, const Vector3& u) const
{
    if (candidate.kind == PhysicsContact::kEmbedded)
        return true;
    if (std::fabs(candidate.distance) < kSnap)
        candidate.distance = 0.0f;
    if (candidate.distance > v.Length())
        return false;
    return candidate.plane.GetNormal().Dot(u) < 0.0f;
}

bool Physics::Record(const PhysicsContact& candidate)
{
    if (contactCount_ > 0) {
        const float d0 = contacts_[0].distance;
        if (std::fabs(candidate.distance - d0) <= kTolerance) {
            for (u32 i = 0; i < contactCount_; ++i) {
                if (contacts_[i].plane.GetNormal().Dot(candidate.plane.GetNormal()) > 1.0f - kTolerance)
                    return false;
            }
        } else if (candidate.distance < d0) {
            contactCount_ = 0;
        } else {
            return false;
        }
    }
    contacts_[contactCount_++] = candidate;
    return contactCount_ >= kMaxContacts;
}

bool Physics::IsSphereEmbedded(const Vector3& centre, float radius, Vector3& point) const
{
    const float d = currentPlane_->GetDistance(centre);
    if (d > radius - kTolerance)
        return false;
    point = centre - currentPlane_->GetNormal() * d;
    if (IsPointInCurrentTriangle(point))
        return true;
    Vector3 start, end;
    bool onEdge = false;
    point = ClosestPointOnPerimeter(point, start, end, onEdge);
    return (point - centre).Length() <= radius - kTolerance;
}

bool Physics::IsPointInCurrentTriangle(const Vector3& point) const
{
    return IsPointInTriangle(*currentPlane_, current_[0], current_[1], current_[2], point);
}

bool Physics::IntersectRaySphere(const Ray& ray, const Vector3& centre, float& t)
{
    const Vector3 q = centre - ray.origin;
    const float c = q.Length();
    const float w = q.Dot(ray.direction);
    const float d = 1.0f - (c * c - w * w);
    if (d < 0.0f) {
        t = 0.0f;
        return false;
    }
    t = w - std::sqrt(d);
    return true;
}

Vector3 Physics::ClosestPointOnSegment(const Vector3& a, const Vector3& b, const Vector3& point, bool& onEdge)
{
    const Vector3 v = (b - a).GetNormalized();
    const float t = v.Dot(point - a);
    onEdge = false;
    if (t < 0.0f)
        return a;
    if (t > (b - a).Length())
        return b;
    onEdge = true;
    return a + v * t;
}

Vector3 Physics::ClosestPointOnLine(const Vector3& a, const Vector3& b, const Vector3& point)
{
    const Vector3 v = (b - a).GetNormalized();
    return a + v * v.Dot(point - a);
}

Vector3 Physics::ClosestPointOnPerimeter(const Vector3& point, Vector3& start, Vector3& end, bool& onEdge) const
{
    Vector3 best(0.0f);
    float bestDistance = 0.0f;
    int bestEdge = -1;
    for (int i = 0; i < 3; ++i) {
        bool flag = false;
        const Vector3 candidate = ClosestPointOnSegment(current_[i], current_[(i + 1) % 3], point, flag);
        const float distance = (candidate - point).Length();
        if (bestEdge < 0 || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
            bestEdge = i;
            onEdge = flag;
        }
    }
    const int startIndex = bestEdge;
    const int endIndex = (bestEdge + 1) % 3;
    if (onEdge) {
        start = current_[startIndex];
        end = current_[endIndex];
    } else {
        // The corners around the one that closes the kept edge.
        start = current_[startIndex];
        end = current_[(endIndex + 1) % 3];
    }
    return best;
}

bool Physics::IsPointOnSegment(const Vector3& a, const Vector3& b, const Vector3& x) { return (a - x).Dot(b - x) <= 0.0f; }

} // namespace Halvard
