#include "engine/render/ParticleSystemManager.h"

#include "engine/core/Error.h"
#include "engine/render/ParticleSystem.h"

namespace Halvard {

ParticleSystemManager::ParticleSystemManager(MessageManager* messages, FileManager* files, TimerManager* timers,
                                             SpriteGroupManager* sprites)
    : messages_(messages), files_(files), timers_(timers), sprites_(sprites)
{
}

ParticleSystemManager::~ParticleSystemManager() = default;

ParticleSystem* ParticleSystemManager::NewParticleSystem(Camera* camera)
{
    return new ParticleSystem(messages_, files_, timers_, sprites_, camera);
}

ParticleSystem* ParticleSystemManager::NewParticleSystemFromFile(const std::string& path, Camera* camera)
{
    try {
        return new ParticleSystem(messages_, files_, timers_, sprites_, path, camera);
    } catch (const Error&) {
        return NewParticleSystem(camera);
    }
}

ParticleSystem* ParticleSystemManager::CopyParticleSystem(const ParticleSystem& source)
{
    auto* system = new ParticleSystem(source);
    systems_.Add(system);
    return system;
}

void ParticleSystemManager::DestroyParticleSystem(ParticleSystem* system)
{
    if (systems_.Remove(system))
        delete system;
}

void ParticleSystemManager::Update()
{
    for (ParticleSystem* system : systems_.GetObjects()) {
        if (system != nullptr)
            system->Update();
    }
}

} // namespace Halvard
