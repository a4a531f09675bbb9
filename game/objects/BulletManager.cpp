#include "game/objects/BulletManager.h"

#include "framework/sound/SoundSet.h"
#include "game/SoundTable.h"
#include "game/objects/Bullet.h"
#include "game/objects/Gun.h"
#include "game_tools/DataKeeper.h"

#include <string>

using namespace Halvard;

namespace Tamrisk {

namespace {

struct PoolRecord {
    unsigned size;
    float baseSpeed;
    float launchFactor;
    u32 shotSound;
};

constexpr PoolRecord kPools[2] = {
    {BulletManager::kArbalestPool, 80.0f, 1.4f, kSoundArbalestShot},
    {BulletManager::kBallistaPool, 70.0f, 1.0f, kSoundBallistaShot},
};
constexpr u32 kHitSounds[2] = {kSoundArbalestHitField, kSoundBallistaHitField};

} // namespace

BulletManager::BulletManager(Engine* engine, GameTools::DataKeeper* data, Effects* effects,
                             GameFramework::SoundSet* sounds, const GameField* field, GameGeometry* geometry)
    : sounds_(sounds)
{
    for (unsigned kind = 0; kind < 2; ++kind) {
        const std::string folder = std::string("guns/") + Gun::GetKindName(kind) + "/";
        BulletSettings settings;
        settings.kind = kind;
        settings.baseSpeed = kPools[kind].baseSpeed;
        settings.launchFactor = kPools[kind].launchFactor;
        settings.piercing = kind == Gun::kBallista;
        settings.hitSound = kHitSounds[kind];
        const Model& model = *data->GetModel(folder + "bullet");
        const ParticleSystem* train = data->GetParticleSystem(folder + "bullet_train");
        const ParticleSystem* destruction = data->GetParticleSystem(folder + "bullet_destruction");
        pools_[kind].reserve(kPools[kind].size);
        for (unsigned i = 0; i < kPools[kind].size; ++i) {
            bullets_.push_back(std::make_unique<Bullet>(engine, effects, field, geometry, sounds, model, train,
                                                        destruction, settings));
            pools_[kind].push_back(bullets_.back().get());
        }
    }
}

BulletManager::~BulletManager() = default;

void BulletManager::SetFrozen(bool frozen)
{
    frozen_ = frozen;
    for (const auto& bullet : bullets_)
        bullet->SetFrozen(frozen);
}

void BulletManager::FireArbalest(const Matrix4& transform) { Fire(Gun::kArbalest, transform); }

void BulletManager::FireBallista(const Matrix4& transform) { Fire(Gun::kBallista, transform); }

Bullet* BulletManager::FindFreeBullet(const std::vector<Bullet*>& pool)
{
    for (Bullet* bullet : pool)
        if (!bullet->IsActive())
            return bullet;
    // Every bolt is in flight: take the last one that has only its particles
    // left to run.
    for (auto it = pool.rbegin(); it != pool.rend(); ++it)
        if ((*it)->HasHit())
            return *it;
    return nullptr;
}

void BulletManager::Fire(unsigned kind, const Matrix4& transform)
{
    Bullet* bullet = FindFreeBullet(pools_[kind]);
    if (bullet == nullptr)
        return;
    bullet->Launch(transform);
    if (sounds_ != nullptr)
        sounds_->PlaySound(kPools[kind].shotSound);
}

void BulletManager::Update(float scale)
{
    if (frozen_)
        return;
    for (const auto& bullet : bullets_)
        bullet->Update(scale);
}

} // namespace Tamrisk
