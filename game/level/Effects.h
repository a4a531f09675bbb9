#pragma once

#include "engine/core/Types.h"

#include <deque>
#include <memory>
#include <vector>

namespace Halvard {
class Engine;
class Model;
class ParticleSystem;
class ParticleSystemManager;
} // namespace Halvard

namespace Tamrisk {

class Lighting;
class Shadow;

// The level's shadows, in slots reused first-freed first-taken, and its
// fire-and-forget particle effects, destroyed once spent. One per level,
// made right after the lighting and before every object that casts a shadow;
// deleted after them. A null lighting gives shadows that fall straight down.
// Main thread only.
class Effects {
public:
    Effects(Halvard::Engine* engine, const Lighting* lighting);
    Effects(const Effects&) = delete;
    Effects& operator=(const Effects&) = delete;
    virtual ~Effects();

    // The shadow stays Effects' own: give it back through RemoveShadow.
    Shadow* AddShadow(Halvard::Model* model, bool real);
    void RemoveShadow(Shadow* shadow);
    // Takes the system (a copy made through the particle-system manager),
    // restarts it, and destroys it once it has stopped emitting and its last
    // particle is gone. Null is ignored.
    void StartEffect(Halvard::ParticleSystem* system);
    void Update();

    const std::vector<Halvard::u32>& GetActiveSlots() const { return activeSlots_; }
    Shadow* GetShadow(Halvard::u32 slot) const;
    const std::vector<Halvard::ParticleSystem*>& GetEffects() const { return effects_; }
    const Lighting* GetLighting() const { return lighting_; }

private:
    Halvard::Engine* engine_;
    Halvard::ParticleSystemManager* particleSystems_;
    const Lighting* lighting_;
    std::deque<Halvard::u32> freeSlots_;
    std::vector<Halvard::u32> activeSlots_;
    std::vector<std::unique_ptr<Shadow>> shadows_;
    std::vector<Halvard::ParticleSystem*> effects_;
};

} // namespace Tamrisk
