#pragma once

#include "engine/core/BoundingBox.h"
#include "engine/core/Types.h"

#include <vector>

namespace GameFramework {
class SoundSet;
}

namespace GameTools {
class DataKeeper;
}

namespace Halvard {
class Engine;
class Model;
class ModelManager;
} // namespace Halvard

namespace Tamrisk {

class Effects;
class Shadow;

// Up to three ropes stretched across the field behind the bat; a ball that
// would be lost bounces off one instead and takes it away. Main thread only.
class Barrier {
public:
    static constexpr Halvard::u32 kMaxStrength = 3;

    Barrier(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, GameFramework::SoundSet* sounds);
    Barrier(const Barrier&) = delete;
    Barrier& operator=(const Barrier&) = delete;
    virtual ~Barrier();

    void Activate();
    void Hit();
    void Update();

    Halvard::u32 GetStrength() const { return strength_; }
    // Rope 0's box, reaching far above and below the field.
    const Halvard::BoundingBox& GetBox() const { return box_; }
    const std::vector<Halvard::Model*>& GetPosts() const { return posts_; }
    const std::vector<Halvard::Model*>& GetRopes() const { return ropes_; }

private:
    Halvard::ModelManager* models_;
    Effects* effects_;
    std::vector<Halvard::Model*> posts_;
    std::vector<Shadow*> postShadows_;
    std::vector<Halvard::Model*> ropes_;
    Shadow* ropeShadow_ = nullptr;
    Halvard::BoundingBox box_;
    Halvard::u32 strength_ = 0;
};

} // namespace Tamrisk
