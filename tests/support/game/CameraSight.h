#pragma once

#include "engine/core/Math.h"

#include <string>
#include <vector>

namespace Halvard {
class CameraManager;
class Model;
class Window;
} // namespace Halvard

namespace Testing {

// A drawn model that may stand between the camera and what is looked at.
struct Occluder {
    const Halvard::Model* model;
    std::string name;
};

// A point on a sphere's disc as the camera sees it, and how far along the
// camera's ray through it the sphere begins.
struct DiscSample {
    Halvard::Vector3 point;
    float entry;
};

// What the default camera sees along its rays, read through the models' own
// ray tests: which model shows at a window pixel, what hides a point or a
// share of a ball's disc. Main thread only; the camera and the models are
// read as they stand now.
class CameraSight {
public:
    CameraSight(const Halvard::CameraManager& cameras, const Halvard::Window& window);

    const Halvard::Vector3& Eye() const { return eye_; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    // How far from the eye the ray towards the target first meets the model;
    // a negative value when it does not, or when the model is not shown.
    float Reach(const Halvard::Model& model, const Halvard::Ray& ray) const;
    // The model meets the ray from the eye to the point before the given
    // distance (a surface only grazed does not count).
    bool Hides(const Halvard::Model& model, const Halvard::Vector3& point, float distance) const;
    bool HidesAny(const std::vector<Occluder>& occluders, const Halvard::Vector3& point, float distance) const;
    // In the window's picture: between its edges and beyond the near plane.
    bool OnScreen(const Halvard::Vector3& point) const;
    // The window position of a point, in pixels, y up.
    Halvard::Vector2 Project(const Halvard::Vector3& point) const;
    // The pixels' rectangle that the box's corners span, as {left, bottom,
    // right, top}.
    Halvard::Vector4 ScreenRect(const Halvard::Vector3& min, const Halvard::Vector3& max) const;

    // Points over the sphere's disc: its outline and a grid inside it.
    std::vector<DiscSample> Disc(const Halvard::Vector3& centre, float radius) const;
    // The share of the disc's points that one of the models hides.
    float HiddenShare(const std::vector<Occluder>& occluders, const Halvard::Vector3& centre, float radius) const;
    // The same for a disc's points that lie on the screen: the share of
    // them hidden by the models, whose points beyond the screen count as
    // hidden too.
    float ShownShare(const std::vector<Occluder>& occluders, const Halvard::Vector3& centre, float radius) const;

    // The ray from the eye through the middle of a window pixel (y up).
    Halvard::Ray PixelRay(int x, int y) const;
    // The index of the model the ray meets first, or -1.
    int FirstHit(const std::vector<Occluder>& models, const Halvard::Ray& ray) const;

private:
    const Halvard::CameraManager& cameras_;
    Halvard::Vector3 eye_;
    int width_;
    int height_;
};

} // namespace Testing
