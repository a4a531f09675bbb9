#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

namespace Halvard {
class Engine;
class Model;
class ModelManager;
} // namespace Halvard

namespace Tamrisk {

class Effects;
class Shadow;

// First and last frame of each of a gun model's four animations.
struct GunAnimations {
    Halvard::u32 mount[2];
    Halvard::u32 shot[2];
    Halvard::u32 ready[2];
    Halvard::u32 unmount[2];
};

// A gun mounted on the bat: its model with the mount, shot, ready and
// unmount animations, and the bolt loaded in it. Main thread only.
class GunPart {
public:
    enum Animation : Halvard::i32 { kMount = 0, kShot = 1, kReady = 2, kUnmount = 3 };

    // mount: the matrix the part is placed on every frame (the bat's body
    // matrix), kept by its owner for the part's lifetime.
    GunPart(Halvard::Engine* engine, Effects* effects, const Halvard::Matrix4* mount, const Halvard::Model& gun,
            const Halvard::Model& bullet, const GunAnimations& animations);
    GunPart(const GunPart&) = delete;
    GunPart& operator=(const GunPart&) = delete;
    virtual ~GunPart();

    bool IsVisible() const;
    void Mount(bool mount);
    void Ready();
    void Shoot(bool last);
    void Hide();
    void Update();

    Halvard::Model* GetGunModel() const { return gun_; }
    Halvard::Model* GetBulletModel() const { return bullet_; }

private:
    Halvard::ModelManager* models_;
    Effects* effects_;
    const Halvard::Matrix4* mount_;
    Halvard::Model* gun_ = nullptr;
    Halvard::Model* bullet_ = nullptr;
    Shadow* shadow_ = nullptr;
    Halvard::u8 empty_ = 0;
};

} // namespace Tamrisk
