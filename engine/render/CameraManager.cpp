#include "engine/render/CameraManager.h"

#include "engine/core/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/RenderSystem.h"

#include <algorithm>
#include <cmath>

namespace Halvard {

CameraManager::CameraManager(MessageManager* messages, Window* window, RenderSystem* renderSystem)
    : messages_(messages), window_(window), renderSystem_(renderSystem)
{
    defaultCamera_ = CreateCamera(false);
}

CameraManager::~CameraManager()
{
    DestroyCamera(defaultCamera_);
    freeSlots_.clear();
    for (u32 slot : liveSlots_)
        delete slots_[slot];
    liveSlots_.clear();
    slots_.clear();
}

Camera* CameraManager::CreateCamera(bool orthographic)
{
    u32 slot = static_cast<u32>(slots_.size());
    if (!freeSlots_.empty()) {
        slot = freeSlots_.back();
        freeSlots_.pop_back();
    }
    Camera* camera = renderSystem_->CreateCamera(orthographic).release();
    if (slot == slots_.size())
        slots_.push_back(camera);
    else
        slots_[slot] = camera;
    liveSlots_.push_back(slot);
    return camera;
}

std::vector<u32>::iterator CameraManager::FindLive(const Camera* camera)
{
    return std::find_if(liveSlots_.begin(), liveSlots_.end(), [&](u32 slot) { return slots_[slot] == camera; });
}

void CameraManager::DestroyCamera(Camera* camera)
{
    if (camera == nullptr)
        return;
    const auto live = FindLive(camera);
    if (live == liveSlots_.end())
        return;
    if (appliedCamera_ == camera)
        appliedCamera_ = nullptr;
    if (defaultCamera_ == camera)
        defaultCamera_ = nullptr;
    const u32 slot = *live;
    delete camera;
    slots_[slot] = nullptr;
    freeSlots_.push_back(slot);
    liveSlots_.erase(live);
}

void CameraManager::Update()
{
    viewport_ = Viewport{0, 0, window_->GetClientWidth(), window_->GetClientHeight()};
    const float aspect = static_cast<float>(viewport_.width) / static_cast<float>(viewport_.height);
    for (u32 slot : liveSlots_)
        slots_[slot]->Update(aspect);
    appliedCamera_ = nullptr;
}

void CameraManager::ApplyCamera(Camera* camera, bool zBiased)
{
    if (camera == nullptr)
        camera = defaultCamera_;
    if (camera == nullptr || (camera == appliedCamera_ && zBiased == appliedZBiased_))
        return;
    appliedCamera_ = camera;
    appliedZBiased_ = zBiased;
    if (zBiased)
        camera->ApplyZBiased();
    else
        camera->Apply();
}

// The camera's view and projection as one matrix for column vectors.
Matrix4 CameraManager::ClipTransform(const Camera* camera) const
{
    Matrix4 clip = camera->GetViewMatrix() * camera->GetProjectionMatrix();
    clip.Transpose();
    return clip;
}

void CameraManager::ProjectPoint(Vector2& out, const Camera* camera, const Vector3& point) const
{
    const Vector4 clip = ClipTransform(camera).Transform(Vector4(point.x, point.y, point.z, 1.0f));
    Vector2 normalised(0.0f, 0.0f);
    if (std::fabs(clip.w) >= kEpsilon)
        normalised = Vector2(clip.x / clip.w, clip.y / clip.w);
    const Vector2 s = normalised * 0.5f + Vector2(0.5f, 0.5f);
    out = Vector2(static_cast<float>(viewport_.width) * s.x + static_cast<float>(viewport_.x),
                  static_cast<float>(viewport_.height) * s.y + static_cast<float>(viewport_.y));
}

void CameraManager::UnprojectPoint(Vector3& out, const Camera* camera, float x, float y, float depth) const
{
    out = Vector3(0.0f, 0.0f, 0.0f);
    if (viewport_.width == 0 || viewport_.height == 0)
        return;
    Matrix4 clip = ClipTransform(camera);
    clip.Invert();
    const float nx = 2.0f * (x - static_cast<float>(viewport_.x)) / static_cast<float>(viewport_.width) - 1.0f;
    const float ny = 2.0f * (y - static_cast<float>(viewport_.y)) / static_cast<float>(viewport_.height) - 1.0f;
    const Vector4 world = clip.Transform(Vector4(nx, ny, 2.0f * depth - 1.0f, 1.0f));
    if (std::fabs(world.w) < kEpsilon)
        return;
    out = Vector3(world.x / world.w, world.y / world.w, world.z / world.w);
}

} // namespace Halvard
