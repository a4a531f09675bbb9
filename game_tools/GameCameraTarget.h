#pragma once

#include "engine/core/Math.h"

namespace GameTools {

// The engine camera that a game camera moves: its lens and its pose. The
// game camera writes through this and nothing else, so the camera it drives
// can be the camera manager's default camera or a test's stand-in.
class GameCameraTarget {
public:
    virtual ~GameCameraTarget() = default;

    virtual void SetNearPlane(float distance) = 0;
    virtual void SetFarPlane(float distance) = 0;
    // Radians.
    virtual void SetFieldOfView(float angle) = 0;
    virtual float GetFieldOfView() const = 0;
    virtual void SetPose(const Halvard::Quaternion& orientation, const Halvard::Vector3& position) = 0;
};

} // namespace GameTools
