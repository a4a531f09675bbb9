#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"

namespace GameTools {
class DataKeeper;
}

namespace Halvard {
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class SpriteGroup;
} // namespace Halvard

namespace Tamrisk {

class Bat;
class Effects;
class Shadow;

// One ball of the level: its simple and super models with their shadows, its
// trail and flare, where it is on the field (z = 0 plane, its centre at its
// radius) and where it goes, and whether the bat holds it. The ball manager
// moves a free ball; the ball itself only follows the bat while held and
// places its models. Main thread only.
class Ball {
public:
    enum Type : Halvard::u32 { kSimple = 0, kSuper = 1 };

    // The flare group is the ball manager's; the data keeper gives
    // "balls/simple/model", "balls/super/model" and the two trails.
    Ball(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, Halvard::SpriteGroup* flares);
    Ball(const Ball&) = delete;
    Ball& operator=(const Ball&) = delete;
    virtual ~Ball();

    void Activate(Bat* bat, Halvard::u32 type);
    void Deactivate();
    void SetType(Halvard::u32 type);
    void SetFrozen(bool frozen);
    void Release();
    Halvard::Vector2 GetHeldPosition() const;
    // Follows the bat while held; for a free ball only places the models at
    // the position the manager gave it.
    void Update(float scale);
    const Halvard::BoundingBox& GetBoundingBox() const;

    bool IsActive() const { return active_ != 0; }
    bool IsHeld() const { return bat_ != nullptr; }
    bool IsFrozen() const { return frozen_ != 0; }
    Halvard::u32 GetType() const { return type_; }
    float GetRadius() const { return radii_[type_]; }
    const Halvard::Vector2& GetPosition() const { return position_; }
    const Halvard::Vector2& GetDirection() const { return direction_; }
    const Halvard::Vector2& GetStep() const { return step_; }
    float GetSpeed() const { return speed_; }
    Halvard::Model* GetModel(Halvard::u32 type) const { return models_[type]; }
    Halvard::ParticleSystem* GetTrail() const { return trail_; }

    // Set by the manager.
    void SetPosition(const Halvard::Vector2& position) { position_ = position; }
    void SetDirection(const Halvard::Vector2& direction) { direction_ = direction; }
    void SetStep(const Halvard::Vector2& step) { step_ = step; }
    void SetSpeed(float speed) { speed_ = speed; }

private:
    void PlaceModels(float rolled);

    Halvard::Engine* engine_;
    Halvard::ModelManager* modelManager_;
    Halvard::ParticleSystemManager* particleSystems_;
    Effects* effects_;
    Bat* bat_ = nullptr;
    Halvard::Model* models_[2] = {nullptr, nullptr};
    Halvard::Matrix4 orientations_[2];
    float radii_[2] = {1.0f, 1.0f};
    Shadow* shadows_[2] = {nullptr, nullptr};
    Halvard::SpriteGroup* flareGroup_;
    Halvard::u32 flareIndex_ = 0;
    bool hasFlare_ = false;
    Halvard::ParticleSystem* trails_[2] = {nullptr, nullptr};
    Halvard::ParticleSystem* trail_ = nullptr;
    Halvard::u32 type_ = kSimple;
    Halvard::Vector2 position_{0.0f, 0.0f};
    Halvard::Vector2 direction_{1.0f, 0.0f};
    Halvard::Vector2 step_{0.0f, 0.0f};
    float speed_ = 0.0f;
    float holdOffset_ = 0.0f;
    Halvard::u8 active_ = 0;
    Halvard::u8 frozen_ = 0;
};

} // namespace Tamrisk
