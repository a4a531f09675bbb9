#include "engine/sound/SoundSystem.h"

namespace Halvard {

SoundSystem::SoundSystem(MessageManager* messages, FileManager* files, bool sound3D)
    : messages_(messages), files_(files), sound3D_(sound3D)
{
}

SoundSystem::~SoundSystem() = default;

void SoundSystem::Refresh() {}

void SoundSystem::SetListenerPosition(const Vector3& position) { listenerPosition_ = position; }

void SoundSystem::SetListenerOrientation(const Vector3& front, const Vector3& top)
{
    listenerFront_ = front;
    listenerTop_ = top;
}

void SoundSystem::ResetListener()
{
    SetListenerPosition(Vector3(0.0f, 0.0f, 0.0f));
    SetListenerOrientation(Vector3(0.0f, 0.0f, -1.0f), Vector3(0.0f, 1.0f, 0.0f));
}

} // namespace Halvard
