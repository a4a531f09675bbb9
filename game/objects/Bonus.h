#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>

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
class TimerManager;
} // namespace Halvard

namespace Tamrisk {

// One falling bonus token: its model, its flare and the particles played
// when the bat catches it. Made and deleted by the bonus manager. Main
// thread only.
class Bonus {
public:
    static constexpr float kFallSpeed = 18.0f;
    static constexpr float kMissLine = -110.0f;

    // A null model makes the bonus copy "bonuses/<name>" itself.
    Bonus(Halvard::Engine* engine, GameTools::DataKeeper* data, Halvard::u32 kind, Halvard::Model* model,
          const std::string& name, Halvard::SpriteGroup* flares, float flareSize, const Halvard::Vector4& colour);
    Bonus(const Bonus&) = delete;
    Bonus& operator=(const Bonus&) = delete;
    virtual ~Bonus();

    void Start(const Halvard::Vector2& point);
    void Update(float scale);
    void Catch();
    void UpdateTransform();
    const Halvard::BoundingBox& GetBoundingBox() const;
    // The model is the caller's from now on.
    Halvard::Model* DetachModel();

    Halvard::u32 GetKind() const { return kind_; }
    bool IsActive() const { return active_ != 0; }
    bool IsCaught() const { return caught_ != 0; }
    const Halvard::Vector2& GetPosition() const { return position_; }
    Halvard::Model* GetModel() const { return model_; }

private:
    Halvard::TimerManager* timers_;
    Halvard::ModelManager* models_;
    Halvard::ParticleSystemManager* particleSystems_;
    Halvard::u32 kind_;
    Halvard::Model* model_ = nullptr;
    Halvard::ParticleSystem* catchEffect_ = nullptr;
    Halvard::SpriteGroup* flares_;
    float flareSize_;
    Halvard::Vector4 colour_;
    Halvard::u32 flareIndex_ = 0;
    bool hasFlare_ = false;
    Halvard::Vector2 position_{0.0f, 0.0f};
    Halvard::u8 caught_ = 0;
    Halvard::u8 active_ = 0;
};

} // namespace Tamrisk
