#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"

namespace GameFramework {
class SoundSet;
}

namespace Halvard {
class Engine;
class Model;
class ModelManager;
class ParticleSystem;
class ParticleSystemManager;
class TimerManager;
} // namespace Halvard

namespace Tamrisk {

class Effects;
class GameField;
class GameGeometry;
class Shadow;

// What makes one kind of bolt.
struct BulletSettings {
    Halvard::u32 kind = 0;
    float baseSpeed = 80.0f;
    float launchFactor = 1.4f;
    // The spread argument given to a block it destroys.
    bool blockHitSpread = false;
    bool floorTest = false;
    // A piercing bolt passes through blocks and stops only at a wall.
    bool piercing = false;
    Halvard::u32 hitSound = 26;
};

// One bolt of a gun: flies from the bat along the field, sinks to a height
// of 1, destroys blocks and stops at the first block (arbalest) or the first
// wall (ballista), then lets its particles run out. Main thread only.
class Bullet {
public:
    // The train and destruction templates may be null: that effect is left
    // out. The sound set may be null.
    Bullet(Halvard::Engine* engine, Effects* effects, const GameField* field, GameGeometry* geometry,
           GameFramework::SoundSet* sounds, const Halvard::Model& model, const Halvard::ParticleSystem* train,
           const Halvard::ParticleSystem* destruction, const BulletSettings& settings);
    Bullet(const Bullet&) = delete;
    Bullet& operator=(const Bullet&) = delete;
    virtual ~Bullet();

    void Launch(const Halvard::Matrix4& transform);
    void Update(float scale);
    void SetFrozen(bool frozen);
    void PlaceModels();
    const Halvard::BoundingBox& GetBox() const;

    bool IsActive() const { return active_ != 0; }
    bool HasHit() const { return hit_ != 0; }
    Halvard::u32 GetKind() const { return settings_.kind; }
    float GetSpeed() const { return speed_; }
    const Halvard::Vector3& GetOffset() const { return offset_; }
    Halvard::Model* GetModel() const { return model_; }

private:
    void Fly(float scale);
    bool HitBlocks(const Halvard::BoundingBox& swept);
    bool HitWalls(const Halvard::BoundingBox& swept) const;
    void Explode();
    void RunOut();

    Halvard::Engine* engine_;
    Halvard::TimerManager* timers_;
    Halvard::ModelManager* models_;
    Halvard::ParticleSystemManager* particleSystems_;
    Effects* effects_;
    const GameField* field_;
    GameGeometry* geometry_;
    GameFramework::SoundSet* sounds_;
    Halvard::Model* model_ = nullptr;
    Shadow* shadow_ = nullptr;
    Halvard::ParticleSystem* train_ = nullptr;
    Halvard::ParticleSystem* destruction_ = nullptr;
    Halvard::Vector3 trainOffset_;
    BulletSettings settings_;
    Halvard::Matrix4 launchTransform_;
    float speed_ = 0.0f;
    Halvard::Vector3 offset_{0.0f, 0.0f, 0.0f};
    Halvard::u8 active_ = 0;
    Halvard::u8 hit_ = 0;
    Halvard::u8 frozen_ = 0;
};

} // namespace Tamrisk
