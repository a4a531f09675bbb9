#pragma once

#include "engine/core/Math.h"

#include <memory>
#include <vector>

namespace Halvard {
class AnimationControl;
class Camera;
class Engine;
}

namespace GameTools {

// Moves the engine's default camera along a path of key frames: key frame k is entry k
// of both key-frame lists, and the animation control's frames A and B with
// its blend pick the two key frames to blend. After Reset the camera rests at
// the base pose until the animation is started. The owner fills the lists
// and the animation control; frames beyond the lists take the last key frame.
// Main thread only.
class GameCamera {
public:
    explicit GameCamera(Halvard::Engine* engine);
    GameCamera(const GameCamera&) = delete;
    GameCamera& operator=(const GameCamera&) = delete;
    virtual ~GameCamera();

    void SetNearPlane(float distance);
    void SetFarPlane(float distance);
    void SetFieldOfView(float angle);
    float GetFieldOfView() const;

    void Reset();
    // Once per frame: advances the animation and poses the camera.
    void Update();

    std::unique_ptr<Halvard::AnimationControl> animation;
    Halvard::Quaternion baseOrientation{0.0f, 0.0f, 0.0f, 1.0f};
    Halvard::Vector3 basePosition{0.0f, 0.0f, 0.0f};
    Halvard::Quaternion currentOrientation{0.0f, 0.0f, 0.0f, 1.0f};
    Halvard::Vector3 currentPosition{0.0f, 0.0f, 0.0f};
    std::vector<Halvard::Quaternion> keyOrientations{Halvard::Quaternion(0.0f, 0.0f, 0.0f, 1.0f)};
    std::vector<Halvard::Vector3> keyPositions{Halvard::Vector3(0.0f, 0.0f, 0.0f)};

private:
    void FollowKeyFrames();

    Halvard::Camera* camera_;
    bool reset_ = false;
};

} // namespace GameTools
