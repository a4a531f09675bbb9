#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Types.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace Halvard {

// The broad phase of collision: which slots' world boxes meet a swept box
// (BoundingBox::Intersects: touching boxes overlap). Each slot's box is kept
// as its centre and half size, x, y and z each in an array of its own, so
// that the scan over every slot stays within the cache. All storage is
// allocated when made. Main thread.
class PhysicsBroadPhase {
public:
    // Slots tested at once; a block whose bounds the swept box misses is
    // skipped.
    static constexpr u32 kBlock = 8;

    explicit PhysicsBroadPhase(u32 maxSlots);
    PhysicsBroadPhase(const PhysicsBroadPhase&) = delete;
    PhysicsBroadPhase& operator=(const PhysicsBroadPhase&) = delete;

    void Place(u32 slot, const BoundingBox& worldBox);
    // Calls near(slot) for each of the first count slots whose box meets the
    // swept box, in slot order.
    template <class Near>
    void ForEachNear(const BoundingBox& swept, u32 count, Near near) const;

private:
    enum Reach : u32 { kCenterX, kCenterY, kCenterZ, kHalfX, kHalfY, kHalfZ, kReaches };
    enum BlockBound : u32 { kMinX, kMinY, kMinZ, kMaxX, kMaxY, kMaxZ, kBlockBounds };

    // Far more than the rounding of the sums that compare boxes, far less
    // than the gaps between objects.
    static float Slack(float magnitude) { return 0.001f * (1.0f + std::fabs(magnitude)); }
    void BoundBlock(u32 block);

    // Room for every slot, in whole blocks.
    u32 capacity_;
    // kReaches arrays of capacity_ floats.
    std::unique_ptr<float[]> reaches_;
    // Per block, a box holding every slot's box, stale slots too, a little
    // wider than they are so that rounding never hides a slot from its
    // block.
    std::unique_ptr<float[]> blockBounds_;
};

// A block is tested without branches, which the compiler turns into vector
// arithmetic, once the swept box meets the block's bounds.
template <class Near>
void PhysicsBroadPhase::ForEachNear(const BoundingBox& swept, u32 count, Near near) const
{
    const Vector3& c = swept.GetCenter();
    const Vector3& h = swept.GetHalfSize();
    const float centre[3] = {c.x, c.y, c.z};
    const float half[3] = {h.x, h.y, h.z};
    float sweptMin[3];
    float sweptMax[3];
    for (u32 axis = 0; axis < 3; ++axis) {
        const float slack = Slack(centre[axis]) + Slack(half[axis]);
        sweptMin[axis] = centre[axis] - half[axis] - slack;
        sweptMax[axis] = centre[axis] + half[axis] + slack;
    }
    const float* reach = reaches_.get();
    const float* cx = reach + kCenterX * capacity_;
    const float* cy = reach + kCenterY * capacity_;
    const float* cz = reach + kCenterZ * capacity_;
    const float* hx = reach + kHalfX * capacity_;
    const float* hy = reach + kHalfY * capacity_;
    const float* hz = reach + kHalfZ * capacity_;
    for (u32 first = 0; first < count; first += kBlock) {
        const float* bounds = &blockBounds_[first / kBlock * kBlockBounds];
        if ((sweptMax[0] < bounds[kMinX]) | (sweptMin[0] > bounds[kMaxX]) | (sweptMax[1] < bounds[kMinY]) |
            (sweptMin[1] > bounds[kMaxY]) | (sweptMax[2] < bounds[kMinZ]) | (sweptMin[2] > bounds[kMaxZ]))
            continue;
        bool meets[kBlock];
        for (u32 k = 0; k < kBlock; ++k) {
            const u32 i = first + k;
            meets[k] = (std::fabs(c.x - cx[i]) <= hx[i] + h.x) & (std::fabs(c.y - cy[i]) <= hy[i] + h.y) &
                       (std::fabs(c.z - cz[i]) <= hz[i] + h.z);
        }
        const u32 inBlock = std::min(kBlock, count - first);
        for (u32 k = 0; k < inBlock; ++k) {
            if (meets[k])
                near(first + k);
        }
    }
}

} // namespace Halvard
