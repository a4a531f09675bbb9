#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <memory>

namespace GameFramework {
class SoundSet;
}

namespace GameTools {
class DataKeeper;
}

namespace Halvard {
class Engine;
class GUIManager;
class Model;
class ModelManager;
class ParticleSystem;
class TimerManager;
} // namespace Halvard

namespace Tamrisk {

class Effects;
class Explosion;
class Shadow;

// The player's paddle: head, body and screw following the mouse across the
// field, leaning, rolling and recoiling, stretching with the length bonuses,
// rising into place at the start and after a lost life, and bursting into
// pieces when the last ball is lost. Main thread only.
class Bat {
public:
    static constexpr float kFieldWidth = 150.0f;
    static constexpr float kMaxLength = 60.0f;

    // The data keeper gives "bat/head", "bat/body", "bat/screw", the
    // destruction effect and the pieces; the sound set may be null.
    Bat(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, GameFramework::SoundSet* sounds);
    Bat(const Bat&) = delete;
    Bat& operator=(const Bat&) = delete;
    virtual ~Bat();

    void Respawn();
    // The bat's own motion uses the unscaled frame time; the scale only
    // decides whether it follows the mouse.
    void Update(float scale);
    void SetVisible(bool visible);
    bool IsHidden() const;
    void Destroy();
    void Enlarge();
    void Shrink();
    void Recoil();
    void SetFrozen(bool frozen) { frozen_ = frozen ? 1 : 0; }
    Halvard::Vector2 GetBounceDirection(const Halvard::Vector2& point) const;
    const Halvard::BoundingBox& GetHeadBox() const;
    const Halvard::BoundingBox& GetBodyBox() const;

    Halvard::Model* GetHead() const { return head_; }
    Halvard::Model* GetBody() const { return body_; }
    Halvard::Model* GetScrew() const { return screw_; }
    const Halvard::BoundingBox& GetCatchBox() const { return catchBox_; }
    // The body's world matrix, which the guns are mounted on.
    const Halvard::Matrix4& GetBodyMatrix() const { return bodyMatrix_; }
    bool IsPresent() const { return present_ != 0; }
    bool HasRisen() const { return risen_ != 0; }
    float GetX() const { return x_; }
    float GetLength() const { return length_; }
    float GetTargetLength() const { return targetLength_; }
    float GetHeight() const { return height_; }
    const Explosion* GetExplosion(unsigned part) const;

private:
    void UpdateDestruction();
    void UpdateLength(float dt);
    float FollowMouse(float scale);
    void UpdateSprings(float dx, float dt);
    void Rise(float dt);
    void UpdateTransform();

    Halvard::Engine* engine_;
    Halvard::TimerManager* timers_;
    Halvard::ModelManager* models_;
    Halvard::GUIManager* gui_;
    Effects* effects_;
    GameFramework::SoundSet* sounds_;
    Halvard::Model* head_ = nullptr;
    Halvard::Model* body_ = nullptr;
    Halvard::Model* screw_ = nullptr;
    Halvard::Vector3 headPivot_;
    Halvard::Vector3 bodyPivot_;
    Halvard::Vector3 screwPivot_;
    Halvard::ParticleSystem* destruction_ = nullptr;
    Shadow* headShadow_ = nullptr;
    Shadow* bodyShadow_ = nullptr;
    std::unique_ptr<Explosion> explosions_[3];
    float x_ = 75.0f;
    float lean_ = 0.0f;
    float recoil_ = 0.0f;
    float recoilSpeed_ = 0.0f;
    float roll_ = 0.0f;
    float rollSpeed_ = 0.0f;
    float screwAngle_ = 0.0f;
    float screwSpin_ = 0.0f;
    Halvard::BoundingBox catchBox_;
    float targetLength_ = 20.0f;
    float length_ = 20.0f;
    Halvard::Matrix4 bodyMatrix_;
    Halvard::u8 waiting_ = 1;
    float waitTime_ = 1.8f;
    float riseSpeed_ = 75.0f;
    float height_ = -30.0f;
    float extraHeight_ = 0.0f;
    Halvard::u8 present_ = 0;
    Halvard::u8 risen_ = 0;
    Halvard::u8 frozen_ = 0;
};

} // namespace Tamrisk
