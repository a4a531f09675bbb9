#include "engine/render/PhysicsBroadPhase.h"

namespace Halvard {

PhysicsBroadPhase::PhysicsBroadPhase(u32 maxSlots)
    : capacity_((maxSlots + kBlock - 1) / kBlock * kBlock), reaches_(new float[capacity_ * kReaches]()),
      blockBounds_(new float[capacity_ / kBlock * kBlockBounds]())
{
}

void PhysicsBroadPhase::Place(u32 slot, const BoundingBox& worldBox)
{
    const Vector3& center = worldBox.GetCenter();
    const Vector3& half = worldBox.GetHalfSize();
    float* reach = reaches_.get();
    reach[kCenterX * capacity_ + slot] = center.x;
    reach[kCenterY * capacity_ + slot] = center.y;
    reach[kCenterZ * capacity_ + slot] = center.z;
    reach[kHalfX * capacity_ + slot] = half.x;
    reach[kHalfY * capacity_ + slot] = half.y;
    reach[kHalfZ * capacity_ + slot] = half.z;
    BoundBlock(slot / kBlock);
}

void PhysicsBroadPhase::BoundBlock(u32 block)
{
    const float* reach = reaches_.get();
    float* bounds = &blockBounds_[block * kBlockBounds];
    for (u32 axis = 0; axis < 3; ++axis) {
        const float* center = reach + (kCenterX + axis) * capacity_ + block * kBlock;
        const float* half = reach + (kHalfX + axis) * capacity_ + block * kBlock;
        float low = center[0] - half[0];
        float high = center[0] + half[0];
        for (u32 k = 1; k < kBlock; ++k) {
            low = std::min(low, center[k] - half[k]);
            high = std::max(high, center[k] + half[k]);
        }
        bounds[kMinX + axis] = low - Slack(low);
        bounds[kMaxX + axis] = high + Slack(high);
    }
}

} // namespace Halvard
