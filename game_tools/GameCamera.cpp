#include "game_tools/GameCamera.h"

#include "engine/app/Engine.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"

#include <algorithm>

namespace GameTools {

using namespace Halvard;

namespace {

// An animation may run past the key frames the owner gave; it then holds the
// last one instead of reading beyond the lists.
template <typename T>
const T& KeyFrame(const std::vector<T>& keys, u32 frame)
{
    return keys[std::min<std::size_t>(frame, keys.size() - 1)];
}

} // namespace

GameCamera::GameCamera(Engine* engine)
    : animation(std::make_unique<AnimationControl>(engine->GetMessageManager(), engine->GetTimerManager(), 0, 1)),
      camera_(engine->GetCameraManager()->GetDefaultCamera())
{
}

GameCamera::~GameCamera() = default;

void GameCamera::SetNearPlane(float distance) { camera_->nearPlane = distance; }

void GameCamera::SetFarPlane(float distance) { camera_->farPlane = distance; }

void GameCamera::SetFieldOfView(float angle) { camera_->fieldOfView = angle; }

float GameCamera::GetFieldOfView() const { return camera_->fieldOfView; }

void GameCamera::Reset()
{
    reset_ = true;
    currentOrientation = baseOrientation;
    currentPosition = basePosition;
}

void GameCamera::Update()
{
    const bool wasPlaying = animation->playing != 0;
    animation->Update();
    if (!reset_ || wasPlaying) {
        reset_ = false;
        FollowKeyFrames();
    } else {
        currentOrientation = baseOrientation;
        currentPosition = basePosition;
    }
    camera_->orientation = currentOrientation;
    camera_->SetPosition(currentPosition);
}

void GameCamera::FollowKeyFrames()
{
    if (keyOrientations.empty() || keyPositions.empty())
        return;
    const u32 a = animation->GetFrameA();
    const u32 b = animation->GetFrameB();
    const float t = animation->GetBlend();
    QuaternionLerp(currentOrientation, KeyFrame(keyOrientations, a), KeyFrame(keyOrientations, b), t);
    currentPosition = KeyFrame(keyPositions, a) * (1.0f - t) + KeyFrame(keyPositions, b) * t;
}

} // namespace GameTools
