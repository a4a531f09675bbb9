#include "tests/support/game/CameraSight.h"

#include "engine/core/Window.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Testing {

using Halvard::Model;
using Halvard::Ray;
using Halvard::Vector2;
using Halvard::Vector3;
using Halvard::Vector4;

namespace {

// Rays that only graze a surface do not count as hidden.
constexpr float kGrazing = 0.01f;
// A pixel's ray is followed this far, past everything on the field.
constexpr float kPixelReach = 2000.0f;
constexpr int kRimPoints = 24;
constexpr int kGrid = 7;

} // namespace

CameraSight::CameraSight(const Halvard::CameraManager& cameras, const Halvard::Window& window)
    : cameras_(cameras), eye_(cameras.GetDefaultCamera()->position), width_(static_cast<int>(window.GetClientWidth())),
      height_(static_cast<int>(window.GetClientHeight()))
{
}

float CameraSight::Reach(const Model& model, const Ray& ray) const
{
    float distance = 0.0f;
    if ((model.GetFlags() & Model::kVisible) == 0 || !model.IntersectRay(ray, &distance))
        return -1.0f;
    return distance;
}

bool CameraSight::Hides(const Model& model, const Vector3& point, float distance) const
{
    const float reach = Reach(model, Ray(eye_, point - eye_));
    return reach >= 0.0f && reach < distance - kGrazing;
}

bool CameraSight::HidesAny(const std::vector<Occluder>& occluders, const Vector3& point, float distance) const
{
    return std::any_of(occluders.begin(), occluders.end(),
                       [&](const Occluder& o) { return Hides(*o.model, point, distance); });
}

Vector2 CameraSight::Project(const Vector3& point) const
{
    Vector2 screen(0.0f, 0.0f);
    cameras_.ProjectPoint(screen, cameras_.GetDefaultCamera(), point);
    return screen;
}

bool CameraSight::OnScreen(const Vector3& point) const
{
    const Halvard::Camera& camera = *cameras_.GetDefaultCamera();
    const Vector2 screen = Project(point);
    return std::fabs((point - eye_).Dot(camera.GetZAxis())) >= camera.nearPlane && screen.x >= 0.0f &&
           screen.x <= static_cast<float>(width_) && screen.y >= 0.0f && screen.y <= static_cast<float>(height_);
}

Vector4 CameraSight::ScreenRect(const Vector3& min, const Vector3& max) const
{
    Vector4 rect(1e9f, 1e9f, -1e9f, -1e9f);
    for (int corner = 0; corner < 8; ++corner) {
        const Vector3 p((corner & 1) != 0 ? max.x : min.x, (corner & 2) != 0 ? max.y : min.y,
                        (corner & 4) != 0 ? max.z : min.z);
        const Vector2 s = Project(p);
        rect = Vector4(std::min(rect.x, s.x), std::min(rect.y, s.y), std::max(rect.z, s.x), std::max(rect.w, s.y));
    }
    return rect;
}

std::vector<DiscSample> CameraSight::Disc(const Vector3& centre, float radius) const
{
    const Vector3 toward = centre - eye_;
    const float d = toward.Length();
    const Vector3 n = toward * (1.0f / d);
    const float r = radius;
    const Vector3 middle = centre - n * (r * r / d);
    const float rim = r * std::sqrt(d * d - r * r) / d;
    Vector3 across = n.Cross(Vector3(0.0f, 0.0f, 1.0f));
    across.Normalize(1.0f);
    const Vector3 up = across.Cross(n);
    std::vector<Vector3> points;
    for (int i = 0; i < kRimPoints; ++i) {
        const float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(i) / kRimPoints;
        points.push_back(middle + across * (rim * std::cos(a) * 0.999f) + up * (rim * std::sin(a) * 0.999f));
    }
    for (int i = 0; i < kGrid; ++i) {
        for (int j = 0; j < kGrid; ++j) {
            const float u = (2.0f * static_cast<float>(i) + 1.0f) / kGrid - 1.0f;
            const float v = (2.0f * static_cast<float>(j) + 1.0f) / kGrid - 1.0f;
            if (u * u + v * v < 1.0f)
                points.push_back(middle + across * (rim * u) + up * (rim * v));
        }
    }
    std::vector<DiscSample> samples;
    for (const Vector3& point : points) {
        const Vector3 dir = (point - eye_).GetNormalized();
        const Vector3 m = eye_ - centre;
        const float b = m.Dot(dir);
        const float c = m.Dot(m) - r * r;
        samples.push_back({point, -b - std::sqrt(std::max(b * b - c, 0.0f))});
    }
    return samples;
}

float CameraSight::HiddenShare(const std::vector<Occluder>& occluders, const Vector3& centre, float radius) const
{
    const std::vector<DiscSample> samples = Disc(centre, radius);
    const auto hidden = std::count_if(samples.begin(), samples.end(), [&](const DiscSample& s) {
        return HidesAny(occluders, s.point, s.entry);
    });
    return static_cast<float>(hidden) / static_cast<float>(samples.size());
}

float CameraSight::ShownShare(const std::vector<Occluder>& occluders, const Vector3& centre, float radius) const
{
    const std::vector<DiscSample> samples = Disc(centre, radius);
    const auto shown = std::count_if(samples.begin(), samples.end(), [&](const DiscSample& s) {
        return OnScreen(s.point) && !HidesAny(occluders, s.point, s.entry);
    });
    return static_cast<float>(shown) / static_cast<float>(samples.size());
}

Ray CameraSight::PixelRay(int x, int y) const
{
    Vector3 far(0.0f);
    cameras_.UnprojectPoint(far, cameras_.GetDefaultCamera(), static_cast<float>(x) + 0.5f,
                            static_cast<float>(y) + 0.5f, 1.0f);
    return Ray(eye_, (far - eye_).GetNormalized() * kPixelReach);
}

int CameraSight::FirstHit(const std::vector<Occluder>& models, const Ray& ray) const
{
    int first = -1;
    float nearest = 0.0f;
    for (std::size_t i = 0; i < models.size(); ++i) {
        const float reach = Reach(*models[i].model, ray);
        if (reach >= 0.0f && (first < 0 || reach < nearest)) {
            first = static_cast<int>(i);
            nearest = reach;
        }
    }
    return first;
}

} // namespace Testing
