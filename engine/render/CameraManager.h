#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <vector>

namespace Halvard {

class Camera;
class MessageManager;
class RenderSystem;
class Window;

// Owns every camera in a slot table whose freed slots are reused, updates
// them once a frame with the window's size, applies a camera for drawing
// without repeating itself within a frame, and projects points between the
// world and the screen (pixels, y from the bottom of the viewport). Makes a
// perspective default camera at construction. Main thread only.
class CameraManager {
public:
    struct Viewport {
        u32 x = 0;
        u32 y = 0;
        u32 width = 0;
        u32 height = 0;
    };

    CameraManager(MessageManager* messages, Window* window, RenderSystem* renderSystem);
    CameraManager(const CameraManager&) = delete;
    CameraManager& operator=(const CameraManager&) = delete;
    virtual ~CameraManager();

    // The manager owns the camera until DestroyCamera.
    Camera* CreateCamera(bool orthographic);
    // Null and cameras of no live slot are ignored.
    void DestroyCamera(Camera* camera);

    // Before anything of the frame is drawn.
    void Update();
    // Null applies the default camera.
    void ApplyCamera(Camera* camera, bool zBiased);

    // A point in the camera's own plane (W = 0) has no direction on the
    // screen; it is placed at the viewport's centre.
    void ProjectPoint(Vector2& out, const Camera* camera, const Vector3& point) const;
    // The world point at the screen position and depth 0 ... 1; the origin
    // when the point lies at infinity or the viewport is empty.
    void UnprojectPoint(Vector3& out, const Camera* camera, float x, float y, float depth) const;

    Camera* GetDefaultCamera() const { return defaultCamera_; }
    const Viewport& GetViewport() const { return viewport_; }
    const std::vector<Camera*>& GetSlots() const { return slots_; }
    const std::vector<u32>& GetLiveSlots() const { return liveSlots_; }

private:
    std::vector<u32>::iterator FindLive(const Camera* camera);
    Matrix4 ClipTransform(const Camera* camera) const;

    MessageManager* messages_;
    Window* window_;
    RenderSystem* renderSystem_;
    Viewport viewport_;
    std::vector<u32> freeSlots_;
    std::vector<u32> liveSlots_;
    std::vector<Camera*> slots_;
    Camera* defaultCamera_ = nullptr;
    Camera* appliedCamera_ = nullptr;
    bool appliedZBiased_ = false;
};

} // namespace Halvard
