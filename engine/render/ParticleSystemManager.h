#pragma once

#include "engine/core/ObjectManager.h"

#include <string>

namespace Halvard {

class Camera;
class FileManager;
class MessageManager;
class ParticleSystem;
class SpriteGroupManager;
class TimerManager;

// Makes particle systems and simulates the registered ones once a frame.
// Systems from the New operations are templates that belong to the caller and
// are never simulated here; copies are registered and belong to the manager
// until DestroyParticleSystem. The file form may run on the loading thread.
class ParticleSystemManager {
public:
    // Everything given must outlive the manager and the systems it made.
    ParticleSystemManager(MessageManager* messages, FileManager* files, TimerManager* timers,
                          SpriteGroupManager* sprites);
    ParticleSystemManager(const ParticleSystemManager&) = delete;
    ParticleSystemManager& operator=(const ParticleSystemManager&) = delete;
    virtual ~ParticleSystemManager();

    ParticleSystem* NewParticleSystem(Camera* camera);
    // The built-in system when the file cannot be used, so a listed name is
    // never without a system; the reason is in the log.
    ParticleSystem* NewParticleSystemFromFile(const std::string& path, Camera* camera);
    ParticleSystem* CopyParticleSystem(const ParticleSystem& source);
    // Deletes a registered system; null and unregistered ones are left alone.
    void DestroyParticleSystem(ParticleSystem* system);

    // Every registered system, in slot order.
    void Update();

    const ObjectManager<ParticleSystem>& GetSystems() const { return systems_; }

private:
    MessageManager* messages_;
    FileManager* files_;
    TimerManager* timers_;
    SpriteGroupManager* sprites_;
    ObjectManager<ParticleSystem> systems_;
};

} // namespace Halvard
