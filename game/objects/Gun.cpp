#include "game/objects/Gun.h"

#include "engine/app/Engine.h"
#include "engine/core/TimerManager.h"
#include "game/objects/BulletManager.h"
#include "game/objects/GunPart.h"
#include "game_tools/DataKeeper.h"

#include <string>

using namespace Halvard;

namespace Tamrisk {

namespace {

// Frames of the gun models: the arbalest's has 41, the ballista's 26.
constexpr GunAnimations kAnimations[2] = {
    {{0, 33}, {33, 40}, {33, 33}, {33, 0}},
    {{0, 19}, {19, 25}, {25, 25}, {19, 0}},
};
constexpr float kFireIntervals[2] = {0.1f, 0.17f};

} // namespace

const char* Gun::GetKindName(u32 index) { return index == kArbalest ? "arbalet" : "ballista"; }

Gun::Gun(Engine* engine, GameTools::DataKeeper* data, Effects* effects, const Matrix4* mount,
         GameFramework::SoundSet* /*sounds: the bullet manager plays the shots*/, BulletManager* bullets, u32 index)
    : timers_(engine->GetTimerManager())
    , mount_(mount)
    , bullets_(bullets)
    , index_(index == kArbalest ? kArbalest : kBallista)
    , fireInterval_(kFireIntervals[index_])
{
    const std::string folder = std::string("guns/") + GetKindName(index_) + "/";
    part_ = std::make_unique<GunPart>(engine, effects, mount, *data->GetModel(folder + "gun"),
                                      *data->GetModel(folder + "bullet"), kAnimations[index_]);
}

Gun::~Gun() = default;

void Gun::Fire()
{
    if (shots_ != 0)
        fireRequest_ = 1;
}

void Gun::AddShots(u32 count)
{
    if (count == 0)
        return;
    if (shots_ == 0) {
        part_->Mount(true);
        shotsFired_ = 0;
    }
    shots_ += count;
}

void Gun::Remove()
{
    part_->Hide();
    shots_ = 0;
}

void Gun::Update(float /*scale: the gun keeps its own clock*/)
{
    clock_ += timers_->GetFrameTime();
    if (part_->IsVisible())
        part_->Update();
    if (frozen_ != 0)
        return;
    if (part_->IsVisible() && shots_ > 0 && clock_ > lastShotTime_ + fireInterval_ && fireRequest_ != 0) {
        lastShotTime_ = clock_;
        --shots_;
        part_->Shoot(shots_ == 0);
        ++shotsFired_;
        if (index_ == kArbalest)
            bullets_->FireArbalest(*mount_);
        else
            bullets_->FireBallista(*mount_);
    }
    // A click that comes too early is dropped, not kept for later.
    fireRequest_ = 0;
}

} // namespace Tamrisk
