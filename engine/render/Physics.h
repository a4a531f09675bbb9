#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"
#include "engine/core/Plane.h"
#include "engine/core/Types.h"
#include "engine/render/PhysicsBroadPhase.h"

#include <memory>
#include <vector>

namespace Halvard {

class MessageManager;
class Model;

struct PhysicsContact {
    enum Kind : u32 { kFace = 1, kEdge = 2, kVertex = 3, kEmbedded = 4 };

    u32 triangle = 0;
    u32 kind = 0;
    Vector3 point{0.0f};
    Plane plane;
    // Travel along the direction of motion before touching; for an embedded
    // sphere the negated depth of penetration.
    float distance = 0.0f;
};

struct PhysicsObject {
    u32 id = 0;
    BoundingBox box;
    Model* model = nullptr;
    bool transformed = false;
    Matrix4 transform{};
    BoundingBox worldBox;
};

struct MotionState {
    Vector3 position{0.0f};
    Vector3 velocity{0.0f};

    void SetPosition(const Vector3& p) { position = p; }
    MotionState& SetVelocity(const Vector3& v)
    {
        velocity = v;
        return *this;
    }
};

// Moves one sphere through one step against the registered solids and
// reports the first contact. The sphere moves in the x-y plane. All storage
// is allocated once; a move allocates nothing. Objects registered again in
// the slots they had, as they were, are not copied again. Main thread.
class Physics {
public:
    static constexpr u32 kMaxObjects = 786;
    static constexpr u32 kMaxTriangles = 16384;
    static constexpr u32 kMaxContacts = 4;
    // Excluded ids below it are looked up in a bit set, the others in the
    // list.
    static constexpr u32 kFlaggedIds = 1024;

    explicit Physics(MessageManager* messages);
    Physics(const Physics&) = delete;
    Physics& operator=(const Physics&) = delete;
    virtual ~Physics() = default;

    void ClearObjects() { objectCount_ = 0; }
    // The model stays the caller's; its triangles are read at every move
    // whose swept box meets the model's box under the transform.
    u32 AddModelObject(Model* model, const Matrix4& transform, u32 id);
    u32 AddTransformedObject(const BoundingBox& box, const Matrix4& transform, u32 id);
    void AddStaticObject(const BoundingBox& box, u32 id);

    // Writes the new position always, the plane and id only on a contact.
    // A radius of 0 or less moves nothing and reports no contact.
    bool Move(float radius, const Vector3& position, const Vector2& displacement, const std::vector<u32>& excluded,
              Vector2& newPosition, Plane& plane, u32& objectId);

    u32 GetObjectCount() const { return objectCount_; }
    u32 GetTriangleCount() const { return triangleCount_; }
    u32 GetContactCount() const { return contactCount_; }
    const PhysicsContact& GetContact(u32 index) const { return contacts_[index]; }

private:
    PhysicsObject& NextObject();
    // The slot just taken now holds the object: the broad phase learns it.
    void Registered(const PhysicsObject& object);
    void AddNearTriangles(const BoundingBox& swept, const std::vector<u32>& excluded);
    bool IsExcluded(u32 id, const std::vector<u32>& excluded) const
    {
        if (id < kFlaggedIds)
            return (excludedBits_[id / 64] >> (id % 64) & 1) != 0;
        return excludedBeyondBits_ && IsListed(id, excluded);
    }
    static bool IsListed(u32 id, const std::vector<u32>& excluded);
    void AddObjectTriangles(const PhysicsObject& object);
    void AddBoxTriangles(const PhysicsObject& object);
    void AddModelTriangles(const PhysicsObject& object);
    void AddTriangle(const Vector3& c1, const Vector3& c2, const Vector3& c3, u32 id);
    // Corners already divided by the move's radius.
    void AddUnitTriangle(const Vector3& c1, const Vector3& c2, const Vector3& c3, u32 id);
    void SelectTriangle(u32 index);
    void Sweep(const Ray& ray, MotionState& state);
    void FindContacts(const MotionState& state);
    bool FindContact(const Vector3& p, const Vector3& v, const Vector3& u, PhysicsContact& candidate) const;
    bool FindPerimeterContact(const Vector3& p, const Vector3& v, const Vector3& u, const Vector3& h,
                              PhysicsContact& candidate) const;
    bool FindEdgeContact(const Vector3& p, const Vector3& u, const Vector3& a, const Vector3& b, const Vector3& c,
                         PhysicsContact& candidate) const;
    bool Admit(PhysicsContact& candidate, const Vector3& v, const Vector3& u) const;
    // True when the search is full.
    bool Record(const PhysicsContact& candidate);
    bool IsSphereEmbedded(const Vector3& centre, float radius, Vector3& point) const;
    bool IsPointInCurrentTriangle(const Vector3& point) const;
    static bool IntersectRaySphere(const Ray& ray, const Vector3& centre, float& t);
    static Vector3 ClosestPointOnSegment(const Vector3& a, const Vector3& b, const Vector3& point, bool& onEdge);
    static Vector3 ClosestPointOnLine(const Vector3& a, const Vector3& b, const Vector3& point);
    Vector3 ClosestPointOnPerimeter(const Vector3& point, Vector3& start, Vector3& end, bool& onEdge) const;
    static bool IsPointOnSegment(const Vector3& a, const Vector3& b, const Vector3& x);

    MessageManager* messages_;
    float radius_ = 1.0f;
    bool collided_ = false;
    Plane contactPlane_;
    u32 hitTriangle_ = 0;
    u32 hitObjectId_ = 0;
    u32 contactCount_ = 0;
    std::unique_ptr<PhysicsContact[]> contacts_;
    u32 objectCount_ = 0;
    u32 triangleCount_ = 0;
    std::unique_ptr<PhysicsObject[]> objects_;
    PhysicsBroadPhase broadPhase_;
    // One bit per id below kFlaggedIds, set during a move for its excluded
    // ids.
    std::unique_ptr<u64[]> excludedBits_;
    bool excludedBeyondBits_ = false;
    std::unique_ptr<Vector3[]> corners_;
    std::unique_ptr<Plane[]> planes_;
    std::unique_ptr<u32[]> owners_;
    const Vector3* current_ = nullptr;
    const Plane* currentPlane_ = nullptr;
};

} // namespace Halvard
